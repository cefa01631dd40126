#include "model/window.h"

#include "base/runtime_error.h"
#include "base/text.h"
#include "model/application.h"
#include "model/check_box.h"
#include "model/command_button.h"
#include "model/control.h"
#include "model/image.h"
#include "model/label.h"
#include "model/option_button.h"
#include "model/picture_box.h"
#include "model/rich_text_box.h"
#include "model/runtime.h"
#include "model/scroll_bar.h"
#include "model/text_box.h"
#include "model/timer.h"
#include "model/web_browser.h"
#include "model/window_system.h"
#include "platform/desktop.h"
#include "platform/screen.h"

namespace prevod {

namespace {

std::unique_ptr<Control> make_control(Window& window, const ControlSpec& design) {
  switch (design.kind) {
    case ControlKind::PictureBox:
      return std::make_unique<PictureBox>(window, design);
    case ControlKind::Label:
      return std::make_unique<Label>(window, design);
    case ControlKind::Image:
    case ControlKind::Line:
      return std::make_unique<Image>(window, design);
    case ControlKind::CheckBox:
      return std::make_unique<CheckBox>(window, design);
    case ControlKind::OptionButton:
      return std::make_unique<OptionButton>(window, design);
    case ControlKind::CommandButton:
      return std::make_unique<CommandButton>(window, design);
    case ControlKind::RichTextBox:
      return std::make_unique<RichTextBox>(window, design);
    case ControlKind::TextBox:
      return std::make_unique<TextBox>(window, design);
    case ControlKind::ScrollBar:
      return std::make_unique<ScrollBar>(window, design);
    case ControlKind::WebBrowser:
      return std::make_unique<WebBrowser>(window, design);
    case ControlKind::Timer:
      break;
  }
  return nullptr;
}

}  // namespace

Window::Window(Application& app, const WindowLayout& layout)
    : m_app(app),
      m_layout(layout),
      m_width(layout.width),
      m_height(layout.height),
      m_deferred(app.runtime().loop) {
  m_hwnd = runtime().windows.create_window(*this);
  build_controls();
}

Window::~Window() {
  // Timers first: nothing may tick into a half-destroyed window.
  stop_scheduled_work();
}

void Window::stop_scheduled_work() {
  for (auto& control : m_controls) {
    if (auto* timer = dynamic_cast<Timer*>(control.get())) timer->shut_down();
  }
  m_deferred.cancel_all();
}

Runtime& Window::runtime() const {
  return m_app.runtime();
}

void Window::build_controls() {
  for (const ControlSpec& design : m_layout.controls) {
    if (auto control = make_control(*this, design)) m_controls.push_back(std::move(control));
  }
  for (const TimerSpec& design : m_layout.timers)
    m_controls.push_back(std::make_unique<Timer>(*this, design));
  for (auto& control : m_controls) {
    if (!control->design().container.empty())
      control->set_container(find(control->design().container));
  }
}

Control* Window::find(const std::string& control_name) const {
  for (const auto& control : m_controls) {
    if (control->name() == control_name) return control.get();
  }
  return nullptr;
}

std::vector<Control*> Window::controls_in(const Control* container) const {
  std::vector<Control*> inside;
  for (const auto& control : m_controls) {
    if (control->container() == container) inside.push_back(control.get());
  }
  return inside;
}

void Window::changed() {
  if (!m_unloaded) runtime().windows.window_changed(*this);
}

void Window::control_changed(Control&) {
  changed();
}

void Window::set_Left(float value) {
  m_positioned = true;
  m_left = value;
  changed();
}

void Window::set_Top(float value) {
  m_positioned = true;
  m_top = value;
  changed();
}

void Window::set_Width(float value) {
  m_width = value < 0 ? 0 : value;
  changed();
}

void Window::set_Height(float value) {
  m_height = value < 0 ? 0 : value;
  changed();
}

void Window::Show() {
  if (m_unloaded) return;
  // A window placed centred takes the screen's centre when first shown,
  // unless code has placed it already.
  if (!m_visible && m_layout.centred && !m_shown_once && !m_positioned) {
    const Screen& screen = runtime().desktop.screen();
    m_left = screen.Width() / 2 - m_width / 2;
    m_top = screen.Height() / 2 - m_height / 2;
  }
  m_shown_once = true;
  m_visible = true;
  changed();
}

void Window::Hide() {
  m_visible = false;
  changed();
}

void Window::shown_by_desktop(bool visible) {
  if (visible) {
    Show();
  } else {
    Hide();
  }
}

void Window::Unload() {
  m_app.unload(*this);
}

void Window::mark_unloaded() {
  stop_scheduled_work();
  m_visible = false;
  m_focused = nullptr;
  runtime().windows.destroy_window(m_hwnd);
  m_unloaded = true;
}

void Window::SetFocus() {
  if (!m_visible) throw RuntimeError("Invalid procedure call: " + name() + " is not visible");
  runtime().windows.activate(*this);
  if (m_focused != nullptr) m_focused->focus_gained();
}

void Window::focus_control(Control* control) {
  m_focused = control;
  runtime().windows.activate(*this);
  if (control != nullptr) control->focus_gained();
}

void Window::deliver_key(const KeyEvent& event) {
  if (m_focused != nullptr && !m_unloaded) m_focused->key_event(event);
}

std::optional<std::string> Window::property(std::string_view property_name) const {
  if (property_name == "Left") return text::format_number(m_left);
  if (property_name == "Top") return text::format_number(m_top);
  if (property_name == "Width") return text::format_number(m_width);
  if (property_name == "Height") return text::format_number(m_height);
  if (property_name == "Visible") return m_visible ? "True" : "False";
  if (property_name == "hWnd") return std::to_string(m_hwnd);
  if (property_name == "Loaded") return m_unloaded ? "False" : "True";
  return std::nullopt;
}

}  // namespace prevod
