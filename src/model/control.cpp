#include "model/control.h"

#include "base/event_loop.h"
#include "base/runtime_error.h"
#include "base/text.h"
#include "model/runtime.h"
#include "model/window.h"

namespace prevod {

Control::Control(Window& window, const ControlSpec& design)
    : m_window(window),
      m_spec(design),
      m_left(design.left),
      m_top(design.top),
      m_width(design.width),
      m_height(design.height),
      m_visible(design.visible) {}

Runtime& Control::runtime() const {
  return m_window.runtime();
}

void Control::changed() {
  m_window.control_changed(*this);
}

void Control::set_Left(float value) {
  m_left = value;
  changed();
}

void Control::set_Top(float value) {
  m_top = value;
  changed();
}

void Control::set_Width(float value) {
  if (value < 0) throw RuntimeError("Invalid property value");
  m_width = value;
  changed();
}

void Control::set_Height(float value) {
  if (value < 0) throw RuntimeError("Invalid property value");
  m_height = value;
  changed();
}

void Control::set_Visible(bool value) {
  if (m_visible == value) return;
  m_visible = value;
  changed();
}

void Control::set_Enabled(bool value) {
  m_enabled = value;
  changed();
}

bool Control::shown() const {
  for (const Control* c = this; c != nullptr; c = c->container()) {
    if (!c->Visible()) return false;
  }
  return true;
}

float Control::window_left() const {
  float left = m_left;
  for (const Control* c = m_container; c != nullptr; c = c->container()) left += c->Left();
  return left;
}

float Control::window_top() const {
  float top = m_top;
  for (const Control* c = m_container; c != nullptr; c = c->container()) top += c->Top();
  return top;
}

void Control::SetFocus() {
  if (!can_take_focus() || !shown() || !m_enabled || !m_window.Visible()) {
    throw RuntimeError("Invalid procedure call: " + name() + " cannot take the focus");
  }
  m_window.focus_control(this);
}

void Control::user_click() {
  if (on_click) raise("Click", on_click);
}

void Control::user_mouse(bool down, int button, float x, float y) {
  auto& handler = down ? on_mouse_down : on_mouse_up;
  if (handler) raise(down ? "MouseDown" : "MouseUp", [&] { handler(button, 0, x, y); });
}

void Control::raise(std::string_view event, const std::function<void()>& handler) {
  std::string what = m_window.name() + "." + name() + "_" + std::string(event);
  runtime().loop.raise(what, handler);
}

std::optional<std::string> Control::property(std::string_view property_name) const {
  if (property_name == "Left") return text::format_number(m_left);
  if (property_name == "Top") return text::format_number(m_top);
  if (property_name == "Width") return text::format_number(m_width);
  if (property_name == "Height") return text::format_number(m_height);
  if (property_name == "Visible") return m_visible ? "True" : "False";
  if (property_name == "Enabled") return m_enabled ? "True" : "False";
  return std::nullopt;
}

}  // namespace prevod
