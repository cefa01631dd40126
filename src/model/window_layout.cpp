#include "model/window_layout.h"

namespace prevod {

const char* control_kind_name(ControlKind kind) {
  switch (kind) {
    case ControlKind::PictureBox:
      return "picture box";
    case ControlKind::Label:
      return "label";
    case ControlKind::Image:
      return "image";
    case ControlKind::CheckBox:
      return "check box";
    case ControlKind::OptionButton:
      return "option button";
    case ControlKind::CommandButton:
      return "command button";
    case ControlKind::RichTextBox:
      return "rich text box";
    case ControlKind::TextBox:
      return "text box";
    case ControlKind::ScrollBar:
      return "scroll bar";
    case ControlKind::Line:
      return "line";
    case ControlKind::WebBrowser:
      return "web browser";
    case ControlKind::Timer:
      return "timer";
  }
  return "unknown";
}

bool control_kind_windowed(ControlKind kind) {
  switch (kind) {
    case ControlKind::Label:
    case ControlKind::Image:
    case ControlKind::Line:
    case ControlKind::Timer:
      return false;
    case ControlKind::PictureBox:
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
    case ControlKind::CommandButton:
    case ControlKind::RichTextBox:
    case ControlKind::TextBox:
    case ControlKind::ScrollBar:
    case ControlKind::WebBrowser:
      return true;
  }
  return false;
}

const ControlSpec* WindowLayout::control(std::string_view control_name) const {
  for (const ControlSpec& design : controls) {
    if (design.name == control_name) return &design;
  }
  return nullptr;
}

const TimerSpec* WindowLayout::timer(std::string_view timer_name) const {
  for (const TimerSpec& design : timers) {
    if (design.name == timer_name) return &design;
  }
  return nullptr;
}

}  // namespace prevod
