#pragma once

// The program's X display, through Qt's xcb platform. It tells whether a
// display answers before Qt is started (Qt ends the process when it cannot
// connect), so that the program can choose another mode instead, and it
// makes the QApplication on xcb, also under Wayland, where the program runs
// through XWayland. When the X server goes away, on Qt's connection or on
// any of our own, the process ends at once with one line on standard error
// and status 1: nothing waits for a server that is gone.

#include <memory>
#include <string>

class QApplication;

namespace prevod {

class X11Display {
 public:
  // The line printed when the server goes away.
  static constexpr const char* GoneLine = "prevod: the X server has gone away; ending";

  // Opens the display that $DISPLAY names; nullptr when there is none or it
  // does not answer, with `why` saying which. `argc` and `argv` must outlive
  // the display.
  static std::unique_ptr<X11Display> open(int& argc, char** argv, std::string& why);
  ~X11Display();
  X11Display(const X11Display&) = delete;
  X11Display& operator=(const X11Display&) = delete;

 private:
  X11Display(int& argc, char** argv);

  std::unique_ptr<QApplication> m_application;
};

}  // namespace prevod
