#pragma once

// A timer control: the scheduling rules of TimerCore on a window, raising
// the Timer event as a nested event of the window's control. While Enabled
// it raises Timer every Interval milliseconds on the window thread; an
// unloaded window's timers stop for good.

#include <cstdint>
#include <functional>

#include "base/timer_core.h"
#include "model/control.h"

namespace prevod {

class Timer : public Control {
 public:
  Timer(Window& window, const TimerSpec& design);

  bool Enabled() const { return m_core.Enabled(); }
  void set_Enabled(bool value) { m_core.set_Enabled(value); }
  int32_t Interval() const { return m_core.Interval(); }
  // Values are rounded to the nearest whole number, a half to the even one;
  // RuntimeError for values outside 0..65535.
  void set_Interval(double value) { m_core.set_Interval(value); }
  // When the next tick is due, or -1 when none is scheduled.
  int64_t next_tick() const { return m_core.next_tick(); }
  // Stops the timer for good (its window is being unloaded).
  void shut_down() { m_core.shut_down(); }

  std::optional<std::string> property(std::string_view name) const override;

  std::function<void()> on_timer;

 private:
  TimerCore m_core;
};

}  // namespace prevod
