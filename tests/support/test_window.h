#pragma once

// A window of our own making, built from a small layout on a running
// system, for tests of the run-time model itself.

#include <string>

#include "model/window.h"
#include "model/window_layout.h"

namespace prevod {

inline ControlSpec spec_of(const std::string& name, ControlKind kind,
                           const std::string& container = "", int value = 0) {
  ControlSpec design;
  design.name = name;
  design.kind = kind;
  design.container = container;
  design.width = 100;
  design.height = 100;
  design.value = value;
  return design;
}

inline TimerSpec timer_of(const std::string& name, bool enabled, int interval) {
  TimerSpec design;
  design.name = name;
  design.enabled = enabled;
  design.interval = interval;
  return design;
}

class TestWindow : public Window {
 public:
  TestWindow(Application& app, const WindowLayout& layout) : Window(app, layout) {}
};

}  // namespace prevod
