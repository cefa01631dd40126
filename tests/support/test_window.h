#pragma once

// A window of our own making, built from a small layout on a running
// system, for tests of the run-time model itself.

#include <string>

#include "app/window.h"
#include "desktop/window_layout.h"

inline ControlSpec spec_of(const std::string& name, ControlKind kind,
                           const std::string& container = "", int value = 0) {
  ControlSpec spec;
  spec.name = name;
  spec.kind = kind;
  spec.container = container;
  spec.width = 100;
  spec.height = 100;
  spec.value = value;
  return spec;
}

inline TimerSpec timer_of(const std::string& name, bool enabled, int interval) {
  TimerSpec spec;
  spec.name = name;
  spec.enabled = enabled;
  spec.interval = interval;
  return spec;
}

class TestWindow : public Window {
 public:
  TestWindow(Application& app, const WindowLayout& layout) : Window(app, layout) {}
};
