#pragma once

// A top-level window of the system, built from its layout table with all its
// controls and timers. It has Left, Top, Width and Height in twips, Visible,
// a 32-bit handle, the operations Show, Hide and Unload, and the keyboard
// focus among its controls. The forms derive from it and add their handlers.
// Windows are created through the Application, the first time they are used.

#include <cassert>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/deferred_tasks.h"
#include "model/window_layout.h"
#include "platform/keys.h"

namespace prevod {

class Application;
class Control;
struct Runtime;

class Window {
 public:
  Window(Application& app, const WindowLayout& layout);
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  const std::string& name() const { return m_layout.name; }
  const WindowLayout& layout() const { return m_layout; }
  Application& app() const { return m_app; }
  Runtime& runtime() const;
  uint32_t hWnd() const { return m_hwnd; }

  float Left() const { return m_left; }
  float Top() const { return m_top; }
  float Width() const { return m_width; }
  float Height() const { return m_height; }
  void set_Left(float value);
  void set_Top(float value);
  void set_Width(float value);
  void set_Height(float value);
  bool Visible() const { return m_visible; }

  void Show();
  void Hide();
  // Destroys the window: Form_Unload runs, its timers stop, its handle goes.
  void Unload();
  bool unloaded() const { return m_unloaded; }
  // Called by the Application when it unloads the window.
  void mark_unloaded();

  // Activates the window and gives the focus to its focused control.
  void SetFocus();
  Control* focused_control() const { return m_focused; }
  // Moves the keyboard focus to a control of this window and activates it.
  void focus_control(Control* control);
  // A key event for this window: the focused control takes it.
  void deliver_key(const KeyEvent& event);

  Control* find(const std::string& control_name) const;
  template <typename T>
  T& get(const std::string& control_name) const {
    auto* control = dynamic_cast<T*>(find(control_name));
    assert(control != nullptr && "a control of the layout, of the expected kind");
    return *control;
  }
  const std::vector<std::unique_ptr<Control>>& controls() const { return m_controls; }
  // The controls whose container is `container` (nullptr: the window).
  std::vector<Control*> controls_in(const Control* container) const;

  // A mouse button pressed or released on the window's own background.
  std::function<void()> on_mouse_down;
  std::function<void()> on_mouse_up;

  // Runs `step` as a top-level handler `delay` milliseconds from now on the
  // window's behalf. Unloading the window cancels it with the window's
  // timers, so a deferred step never runs into a window that is gone.
  DeferredTasks::TaskId call_later(int64_t delay, EventLoop::Callback step) {
    return m_deferred.call_later(delay, std::move(step));
  }
  void cancel_deferred(DeferredTasks::TaskId id) { m_deferred.cancel(id); }

  // Called once, right after creation, and once at Unload.
  virtual void Form_Load() {}
  virtual void Form_Unload() {}

  // Called by the backend when the desktop itself showed or hid the window
  // (ShowWindow on its handle).
  void shown_by_desktop(bool visible);
  // Called by controls when something a person sees changed.
  void control_changed(Control& control);
  // The window's property by name, as the console shows it.
  std::optional<std::string> property(std::string_view property_name) const;

 private:
  void build_controls();
  // Stops every timer of the window for good and cancels its deferred steps.
  void stop_scheduled_work();
  void changed();

  Application& m_app;
  const WindowLayout& m_layout;
  std::vector<std::unique_ptr<Control>> m_controls;
  uint32_t m_hwnd = 0;
  float m_left = 0;
  float m_top = 0;
  float m_width;
  float m_height;
  bool m_visible = false;
  bool m_unloaded = false;
  bool m_shown_once = false;
  bool m_positioned = false;
  Control* m_focused = nullptr;
  DeferredTasks m_deferred;
};

}  // namespace prevod
