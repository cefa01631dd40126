#include "model/timer.h"

#include "base/event_loop.h"
#include "model/runtime.h"
#include "model/window.h"

namespace prevod {

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
      m_core(runtime().loop, design.enabled, design.interval, [this] {
        if (on_timer) raise("Timer", on_timer);
      }) {}

std::optional<std::string> Timer::property(std::string_view name) const {
  if (name == "Enabled") return Enabled() ? "True" : "False";
  if (name == "Interval") return std::to_string(Interval());
  return Control::property(name);
}

}  // namespace prevod
