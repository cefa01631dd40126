#include "app/timer.h"

#include <cmath>

#include "app/runtime.h"
#include "app/runtime_error.h"
#include "app/window.h"

namespace {

ControlSpec timer_control_spec(const TimerSpec& design) {
  ControlSpec control;
  control.name = design.name;
  control.kind = ControlKind::Timer;
  control.container = design.container;
  control.visible = false;
  return control;
}

}  // namespace

Timer::Timer(Window& window, const TimerSpec& design)
    : Control(window, timer_control_spec(design)),
      m_enabled(design.enabled),
      m_interval(design.interval) {
  schedule();
}

Timer::~Timer() {
  unschedule();
}

void Timer::schedule() {
  unschedule();
  if (!m_enabled || m_interval == 0) return;
  m_due = runtime().loop.now() + m_interval;
  m_task = runtime().loop.call_at(m_due, [this] { tick(); });
}

void Timer::unschedule() {
  if (m_task != 0) runtime().loop.cancel(m_task);
  m_task = 0;
  m_due = -1;
}

void Timer::tick() {
  m_task = 0;
  m_due = -1;
  schedule();  // the next tick, one interval on; the handler may change it
  if (on_timer) raise("Timer", on_timer);
}

void Timer::set_Enabled(bool value) {
  if (value == m_enabled) return;
  m_enabled = value;
  schedule();
}

void Timer::set_Interval(double value) {
  double rounded = std::nearbyint(value);  // the default rounding mode: a half to even
  if (!(rounded >= 0 && rounded <= 65535)) throw RuntimeError("Invalid property value");
  m_interval = static_cast<int32_t>(rounded);
  schedule();
}

int64_t Timer::next_tick() const {
  return m_due;
}

void Timer::shut_down() {
  m_enabled = false;
  unschedule();
}

std::optional<std::string> Timer::property(std::string_view name) const {
  if (name == "Enabled") return m_enabled ? "True" : "False";
  if (name == "Interval") return std::to_string(m_interval);
  return Control::property(name);
}
