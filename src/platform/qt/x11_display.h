#pragma once

// The program's X display, through Qt's xcb platform. Before Qt is started
// it tells whether a display answers at all (Qt ends the process when it
// cannot connect), so that the program can choose another mode instead.
// It then makes the QApplication on xcb, also under Wayland, where the
// program runs through XWayland. When the X server goes away, on Qt's
// connection or on any of our own, the process ends at once with one line
// on standard error and status 1: nothing waits for a server that is gone.

#include <memory>
#include <string>

class QApplication;

namespace prevod {

class X11Display {
 public:
  // The line printed when the server goes away.
  static constexpr const char* GoneLine = "prevod: the X server has gone away; ending";

  // Why no X display can be used here, or "" when one answers.
  static std::string unavailable_reason();

  // Makes the QApplication on the display; `argc` and `argv` must outlive
  // it.
  X11Display(int& argc, char** argv);
  ~X11Display();
  X11Display(const X11Display&) = delete;
  X11Display& operator=(const X11Display&) = delete;

 private:
  std::unique_ptr<QApplication> m_application;
};

}  // namespace prevod
