#pragma once

// A desktop backend as the program's code reaches it: the Win32-named entry
// points, the clipboard, the screen, the application's instance handle and
// the input queue. Two backends implement it: the simulated desktop (tests
// and the console) and the real X11 desktop. How the model windows appear on
// the desktop is the other half of a backend (WindowSystem, in the model).

#include <cstdint>

namespace prevod {

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

  // Delivers the synthetic input queued so far, in order, to whatever has
  // the keyboard focus when each event is taken.
  virtual void deliver_input() = 0;
};

}  // namespace prevod
