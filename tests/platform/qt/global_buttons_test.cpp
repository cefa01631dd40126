#include "platform/qt/global_buttons.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/keys.h"
#include "platform/qt/x11_session.h"

// Xlib last: its macros clash with the Qt headers above.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace prevod {
namespace {

using testing::poll_until;
using testing::xdotool;

class X11GlobalButtons : public ::testing::Test {
 protected:
  void SetUp() override {
    buttons = std::make_unique<GlobalButtons>(trace);
    ASSERT_TRUE(buttons->watching());
  }
  // The state of a button once the server has told us something about it.
  int16_t first_news(uint8_t button) {
    int16_t state = 0;
    poll_until([&] { return (state = buttons->async_key_state(button)) != 0; });
    return state;
  }

  Trace trace;
  std::unique_ptr<GlobalButtons> buttons;
};

TEST_F(X11GlobalButtons, AShortClickBetweenTwoQueriesReadsAsPressedOnceThenNothing) {
  ASSERT_TRUE(xdotool({"click", "1"}));
  int16_t state = first_news(vk::LBUTTON);
  EXPECT_EQ(state & 1, 1);
  ASSERT_TRUE(poll_until([&] { return buttons->async_key_state(vk::LBUTTON) == 0; }));
  EXPECT_EQ(buttons->async_key_state(vk::LBUTTON), 0);
}

TEST_F(X11GlobalButtons, AHeldButtonReadsAsDownUntilReleasedAndAsPressedOnlyOnce) {
  ASSERT_TRUE(xdotool({"mousedown", "1"}));
  EXPECT_EQ(static_cast<uint16_t>(first_news(vk::LBUTTON)), 0x8001);
  EXPECT_EQ(static_cast<uint16_t>(buttons->async_key_state(vk::LBUTTON)), 0x8000);
  EXPECT_EQ(buttons->async_key_state(vk::RBUTTON), 0);
  ASSERT_TRUE(xdotool({"mouseup", "1"}));
  EXPECT_TRUE(poll_until([&] { return buttons->async_key_state(vk::LBUTTON) == 0; }));
}

TEST_F(X11GlobalButtons, TheRightButtonHasItsOwnLatch) {
  ASSERT_TRUE(xdotool({"click", "3"}));
  EXPECT_EQ(first_news(vk::RBUTTON) & 1, 1);
  EXPECT_EQ(buttons->async_key_state(vk::LBUTTON), 0);
}

TEST_F(X11GlobalButtons, TwoClicksBetweenTwoPollsOfADoubleClickAreEachSeen) {
  // The watcher polls every 50 ms; clicks 120 ms apart fall into different
  // polls, and each shows as a press however short it was.
  std::vector<int16_t> polls;
  QProcess clicks;
  clicks.start("xdotool", {"click", "--repeat", "2", "--delay", "120", "1"});
  EXPECT_TRUE(poll_until([&] {
    polls.push_back(buttons->async_key_state(vk::LBUTTON));
    return std::count_if(polls.begin(), polls.end(), [](int16_t s) { return s & 1; }) >= 2;
  }));
  clicks.waitForFinished();
}

TEST_F(X11GlobalButtons, TheCursorPositionFollowsThePointer) {
  ASSERT_TRUE(xdotool({"mousemove", "321", "123"}));
  int32_t x = 0, y = 0;
  EXPECT_TRUE(poll_until([&] { return buttons->cursor_pos(x, y) && x == 321 && y == 123; }))
      << x << "," << y;
  ASSERT_TRUE(xdotool({"mousemove", "5", "799"}));
  EXPECT_TRUE(poll_until([&] { return buttons->cursor_pos(x, y) && x == 5 && y == 799; }));
}

// The pointer is read from the server only when it may have moved; the
// clock here stands still unless a test moves it.
class X11PointerReadings : public ::testing::Test {
 protected:
  void SetUp() override {
    buttons = std::make_unique<GlobalButtons>(trace, [this] { return now; });
    ASSERT_TRUE(buttons->watching());
  }
  bool at(int32_t x, int32_t y) {
    int32_t got_x = -1, got_y = -1;
    return buttons->cursor_pos(got_x, got_y) && got_x == x && got_y == y;
  }

  int64_t now = 0;
  Trace trace;
  std::unique_ptr<GlobalButtons> buttons;
};

TEST_F(X11PointerReadings, APointerAtRestIsReadOnceForManyQueries) {
  ASSERT_TRUE(xdotool({"mousemove", "40", "50"}));
  ASSERT_TRUE(poll_until([&] { return at(40, 50); }));
  const int64_t readings = buttons->pointer_readings();
  for (int tick = 0; tick < 20; ++tick) EXPECT_TRUE(at(40, 50));
  EXPECT_EQ(buttons->pointer_readings(), readings);
}

TEST_F(X11PointerReadings, APointerMovedByADeviceIsReadAgainWithoutWaitingForTheRefresh) {
  ASSERT_TRUE(xdotool({"mousemove", "60", "70"}));
  ASSERT_TRUE(poll_until([&] { return at(60, 70); }));
  // A device's motion (here XTest's) is heard of as raw motion; the clock
  // never reaches the refresh.
  Display* device = XOpenDisplay(nullptr);
  ASSERT_NE(device, nullptr);
  for (int step = 1; step <= 3; ++step) {
    XTestFakeMotionEvent(device, -1, 60 + step * 100, 70, CurrentTime);
    XSync(device, False);
    EXPECT_TRUE(poll_until([&] { return at(60 + step * 100, 70); })) << "step " << step;
  }
  XCloseDisplay(device);
}

TEST_F(X11PointerReadings, AWarpedPointerIsSeenOnceTheReadingIsOld) {
  ASSERT_TRUE(xdotool({"mousemove", "80", "90"}));
  ASSERT_TRUE(poll_until([&] { return at(80, 90); }));
  // Another program warps the pointer (as xdotool does), which makes no raw
  // motion.
  Display* other = XOpenDisplay(nullptr);
  ASSERT_NE(other, nullptr);
  XWarpPointer(other, None, DefaultRootWindow(other), 0, 0, 0, 0, 300, 200);
  XSync(other, False);
  XCloseDisplay(other);
  now += GlobalButtons::PointerRefreshMs;
  EXPECT_TRUE(poll_until([&] { return at(300, 200); }));
}

}  // namespace
}  // namespace prevod
