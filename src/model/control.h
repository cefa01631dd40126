#pragma once

// A control of a window: its name, kind and container, its position and size
// in twips relative to the container, its visibility, and the events a
// person can raise on it. The concrete kinds add their own properties.
// Assigning a value that raises an event of the control runs that event's
// handler at once, nested, before the assignment returns.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "model/window_layout.h"
#include "platform/keys.h"

namespace prevod {

class Window;
struct Runtime;

class Control {
 public:
  Control(Window& window, const ControlSpec& design);
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::string& name() const { return m_spec.name; }
  ControlKind kind() const { return m_spec.kind; }
  const ControlSpec& design() const { return m_spec; }
  Window& window() const { return m_window; }
  // The picture box that holds this control, or nullptr for the window.
  Control* container() const { return m_container; }
  void set_container(Control* container) { m_container = container; }

  float Left() const { return m_left; }
  float Top() const { return m_top; }
  float Width() const { return m_width; }
  float Height() const { return m_height; }
  void set_Left(float value);
  void set_Top(float value);
  void set_Width(float value);
  void set_Height(float value);
  bool Visible() const { return m_visible; }
  void set_Visible(bool value);
  bool Enabled() const { return m_enabled; }
  void set_Enabled(bool value);
  // Visible itself and inside a visible container.
  bool shown() const;
  // The position of the control's top-left corner in the window, in twips.
  float window_left() const;
  float window_top() const;

  // Gives the control the keyboard focus and activates its window.
  // RuntimeError when the control or its window cannot take the focus.
  void SetFocus();
  virtual bool can_take_focus() const { return false; }
  // The control gained or lost the keyboard focus.
  virtual void focus_gained() {}
  // A key event reaching the control while it has the keyboard focus.
  virtual void key_event(const KeyEvent&) {}

  // A click by the user; raises on_click.
  virtual void user_click();
  // A mouse button pressed or released over the control by the user.
  void user_mouse(bool down, int button, float x, float y);

  // A property by its name, as the console shows it; nullopt when the
  // control has no such property.
  virtual std::optional<std::string> property(std::string_view property_name) const;

  std::function<void()> on_click;
  std::function<void(int button, int shift, float x, float y)> on_mouse_down;
  std::function<void(int button, int shift, float x, float y)> on_mouse_up;

 protected:
  Runtime& runtime() const;
  // Runs an event handler of this control, nested: a RuntimeError that
  // escapes it stops that handler only.
  void raise(std::string_view event, const std::function<void()>& handler);
  // Tells the desktop that something a person sees has changed.
  void changed();

 private:
  Window& m_window;
  ControlSpec m_spec;
  Control* m_container = nullptr;
  float m_left;
  float m_top;
  float m_width;
  float m_height;
  bool m_visible;
  bool m_enabled = true;
};

}  // namespace prevod
