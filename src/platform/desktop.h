#pragma once

// A desktop backend: the window system the model windows live on, the
// Win32-named entry points, the clipboard, the screen, and the input queue.
// Two backends implement it: the simulated desktop (tests and the console)
// and the real X11 desktop.

#include <cstdint>

#include "platform/keys.h"

class Window;
class User32;
class Shell32;
class Clipboard;
class Screen;

class Desktop {
 public:
  virtual ~Desktop() = default;

  virtual User32& user32() = 0;
  virtual Shell32& shell32() = 0;
  virtual Clipboard& clipboard() = 0;
  virtual Screen& screen() = 0;
  // The application's instance handle (the tray icon's identifier).
  virtual uint32_t App_hInstance() const = 0;

  // A model window came into being; returns its 32-bit handle.
  virtual uint32_t create_window(Window& window) = 0;
  // The window was unloaded.
  virtual void destroy_window(uint32_t hWnd) = 0;
  // Its geometry or visibility changed (the model is the truth).
  virtual void window_changed(Window& window) = 0;
  // The handle of the window's own icon (0 when it has none).
  virtual uint32_t window_icon(const Window& window) = 0;
  // It became the active window (SetFocus on it or on one of its controls).
  virtual void activate(Window& window) = 0;

  // Delivers the synthetic input queued so far, in order, to whatever has
  // the keyboard focus when each event is taken.
  virtual void deliver_input() = 0;
};
