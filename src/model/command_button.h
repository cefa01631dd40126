#pragma once

// A command button with a caption. Several are hidden and only carry an
// action for code to call.

#include "model/control.h"

namespace prevod {

class CommandButton : public Control {
 public:
  CommandButton(Window& window, const ControlSpec& design)
      : Control(window, design), m_caption(design.caption) {}
  const std::string& Caption() const { return m_caption; }
  bool can_take_focus() const override { return true; }
  std::optional<std::string> property(std::string_view name) const override {
    if (name == "Caption") return m_caption;
    return Control::property(name);
  }

 private:
  std::string m_caption;
};

}  // namespace prevod
