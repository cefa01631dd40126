// The desktop backend's tests run with a QApplication on this thread: on
// Qt's offscreen platform for the loop, on the X server of the session that
// scripts/x11-session starts for everything that talks to X.

#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
