#pragma once

// A timer control. While Enabled it raises Timer every Interval milliseconds
// on the window thread. Interval is 0..65535; 0 never fires; other values
// are refused (RuntimeError) and leave it unchanged. Enabling a disabled
// timer starts a full interval; enabling an enabled one keeps its schedule;
// assigning Interval restarts the count.

#include <cstdint>
#include <functional>

#include "app/control.h"
#include "app/event_loop.h"

class Timer : public Control {
 public:
  Timer(Window& window, const TimerSpec& design);
  ~Timer() override;

  bool Enabled() const { return m_enabled; }
  void set_Enabled(bool value);
  int32_t Interval() const { return m_interval; }
  // Values are rounded to the nearest whole number, a half to the even one.
  void set_Interval(double value);
  // When the next tick is due, or -1 when none is scheduled.
  int64_t next_tick() const;
  // Stops the timer for good (its window is being unloaded).
  void shut_down();

  std::optional<std::string> property(std::string_view name) const override;

  std::function<void()> on_timer;

 private:
  void schedule();
  void unschedule();
  void tick();

  bool m_enabled;
  int32_t m_interval;
  EventLoop::TaskId m_task = 0;
  int64_t m_due = -1;
};
