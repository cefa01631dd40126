// The whole program's desktop tests run with the program's own X display
// (a QApplication on xcb) on this thread, inside the X session that
// scripts/x11-session starts.

#include <gtest/gtest.h>

#include "platform/qt/x11_display.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  prevod::X11Display display(argc, argv);
  return RUN_ALL_TESTS();
}
