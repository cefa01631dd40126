#pragma once

// The scheduling rules of a timer, apart from any window: while Enabled it
// calls its tick every Interval milliseconds on the loop. Interval runs from
// 0 to 65535, and 0 never fires; an assignment is rounded to the nearest
// whole number (a half to the even one), and a value outside the range is
// refused with RuntimeError and leaves the interval unchanged. Enabling a disabled
// timer starts a full interval; enabling an enabled one keeps its schedule;
// assigning Interval restarts the count. The next tick is scheduled before
// the tick runs, so the tick itself may change any of it.

#include <cstdint>
#include <functional>

#include "base/deferred_tasks.h"

namespace prevod {

class TimerCore {
 public:
  TimerCore(EventLoop& loop, bool enabled, int32_t interval, std::function<void()> on_tick);

  bool Enabled() const { return m_enabled; }
  void set_Enabled(bool value);
  int32_t Interval() const { return m_interval; }
  void set_Interval(double value);
  // When the next tick is due, or -1 when none is scheduled.
  int64_t next_tick() const { return m_due; }
  // Stops the timer for good.
  void shut_down();

 private:
  void schedule();
  void unschedule();
  void tick();

  DeferredTasks m_tasks;
  std::function<void()> m_on_tick;
  bool m_enabled;
  int32_t m_interval;
  int64_t m_due = -1;
};

}  // namespace prevod
