// The whole program's desktop tests run with the program's own X display
// (a QApplication on xcb) on this thread, inside the X session that
// scripts/x11-session starts.

#include <gtest/gtest.h>

#include <iostream>
#include <memory>
#include <string>

#include "platform/qt/x11_display.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  std::string why;
  std::unique_ptr<prevod::X11Display> display = prevod::X11Display::open(argc, argv, why);
  if (!display) {
    std::cerr << "these tests run in an X session (scripts/x11-session): " << why << "\n";
    return 1;
  }
  return RUN_ALL_TESTS();
}
