#pragma once

// How the model windows live on a desktop: a backend gives each window its
// handle, shows what the model says (the model is the truth, nothing is read
// back), moves the keyboard focus where the model moves it, and forgets a
// window when it is unloaded.

#include <cstdint>

namespace prevod {

class Window;

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  // A model window came into being; returns its 32-bit handle.
  virtual uint32_t create_window(Window& window) = 0;
  // The window was unloaded.
  virtual void destroy_window(uint32_t hWnd) = 0;
  // Its geometry, visibility or one of its controls changed.
  virtual void window_changed(Window& window) = 0;
  // The handle of the window's own icon (0 when it has none).
  virtual uint32_t window_icon(const Window& window) = 0;
  // It became the active window (SetFocus on it or on one of its controls).
  virtual void activate(Window& window) = 0;
};

}  // namespace prevod
