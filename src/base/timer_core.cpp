#include "base/timer_core.h"

#include <cmath>

#include "base/runtime_error.h"

namespace prevod {

TimerCore::TimerCore(EventLoop& loop, bool enabled, int32_t interval, std::function<void()> on_tick)
    : m_tasks(loop), m_on_tick(std::move(on_tick)), m_enabled(enabled), m_interval(interval) {
  schedule();
}

void TimerCore::schedule() {
  unschedule();
  if (!m_enabled || m_interval == 0) return;
  m_due = m_tasks.loop().now() + m_interval;
  m_tasks.call_at(m_due, [this] { tick(); });
}

void TimerCore::unschedule() {
  m_tasks.cancel_all();
  m_due = -1;
}

void TimerCore::tick() {
  m_due = -1;
  schedule();  // the next tick, one interval on; the tick may change it
  if (m_on_tick) m_on_tick();
}

void TimerCore::set_Enabled(bool value) {
  if (value == m_enabled) return;
  m_enabled = value;
  schedule();
}

void TimerCore::set_Interval(double value) {
  double rounded = std::nearbyint(value);  // the default rounding mode: a half to even
  if (!(rounded >= 0 && rounded <= 65535)) throw RuntimeError("Invalid property value");
  m_interval = static_cast<int32_t>(rounded);
  schedule();
}

void TimerCore::shut_down() {
  m_enabled = false;
  unschedule();
}

}  // namespace prevod
