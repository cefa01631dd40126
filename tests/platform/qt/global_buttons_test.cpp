#include "platform/qt/global_buttons.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/keys.h"
#include "platform/qt/x11_session.h"

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

}  // namespace
}  // namespace prevod
