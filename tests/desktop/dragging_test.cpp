// Dragging the borderless windows: a press on a drag surface takes the
// cursor's offset from the translation window's corner, every 50 ms both
// windows move to keep it, in both coordinates, until the release; the
// offsets and positions come out exactly as the worked example says, also
// for cursor positions beyond 2184 pixels.

#include <gtest/gtest.h>

#include "support/system_fixture.h"

namespace prevod {

namespace {

class Dragging : public SystemFixture {
 protected:
  void SetUp() override {
    boot();
    boot_to_ready();
  }
  // Puts both windows at a common corner, as they stand after a drag.
  void place_form2(float left, float top) {
    act([&] {
      form2().set_Left(left);
      form2().set_Top(top);
      form1().set_Left(left);
      form1().set_Top(top);
    });
  }
  void cursor(int32_t x, int32_t y) { desktop().set_cursor(x, y); }
  void press_form1() {
    act([&] { form1().on_mouse_down(); });
  }
  void release_form1() {
    act([&] { form1().on_mouse_up(); });
  }
  void press(Control& surface) {
    act([&] { surface.user_mouse(true, 1, 0, 0); });
  }
  void release(Control& surface) {
    act([&] { surface.user_mouse(false, 1, 0, 0); });
  }
  // Both windows' common corner, checked to be common.
  void expect_corner(float left, float top) {
    EXPECT_EQ(form2().Left(), left);
    EXPECT_EQ(form2().Top(), top);
    EXPECT_EQ(form1().Left(), left);
    EXPECT_EQ(form1().Top(), top);
  }
};

TEST_F(Dragging, TheWorkedExampleGivesItsExactOffsetsAndPositions) {
  place_form2(3000, 1500);
  cursor(300, 200);
  press_form1();
  EXPECT_EQ(shared().DragOffsetX, 1500);
  EXPECT_EQ(shared().DragOffsetY, 1500);
  EXPECT_TRUE(form2().Timer7.Enabled());

  cursor(310, 205);
  advance(form2().Timer7.next_tick() - now());
  expect_corner(3150, 1575);
}

TEST_F(Dragging, BothWindowsFollowTheCursorInEachCoordinateEveryFiftyMilliseconds) {
  place_form2(3000, 1500);
  act([&] { form1().set_Left(-form1().Width()); });  // parked off-screen
  cursor(400, 300);
  press(form2().Picture5);
  const int64_t pressed = now();

  cursor(450, 300);  // across only
  advance(49);
  EXPECT_EQ(form2().Left(), 3000) << "the windows move only at the ticks";
  advance(1);
  EXPECT_EQ(now(), pressed + 50);
  expect_corner(3750, 1500);

  cursor(450, 260);  // up only
  advance(50);
  expect_corner(3750, 900);

  cursor(-100, -50);  // beyond the screen's top-left corner
  advance(50);
  expect_corner(-100 * 15 - 3000, -50 * 15 - 3000);
}

TEST_F(Dragging, CursorPositionsBeyond2184PixelsGiveTheRightTwips) {
  place_form2(0, 0);
  cursor(100, 100);
  press(form2().Picture5);
  cursor(3000, 2500);  // a wide desktop: 45000 and 37500 twips
  advance(50);
  expect_corner(45000 - 1500, 37500 - 1500);

  cursor(2185, 2184);
  advance(50);
  expect_corner(2185 * 15 - 1500, 2184 * 15 - 1500);

  cursor(-4000, -3000);
  advance(50);
  expect_corner(-60000 - 1500, -45000 - 1500);
}

TEST_F(Dragging, ThePressTakesTheOffsetFromTheTranslationWindowEvenWhenItIsHidden) {
  place_form2(6000, 3000);
  act([&] { form2().Hide(); });
  act([&] { form1().set_Left(-form1().Width()); });
  cursor(500, 300);  // 7500, 4500 twips
  press(form1().Picture13);
  EXPECT_EQ(shared().DragOffsetX, 1500);
  EXPECT_EQ(shared().DragOffsetY, 1500);
  cursor(510, 300);
  advance(50);
  expect_corner(6150, 3000);
}

TEST_F(Dragging, ReleasingStopsTheWindowsAndOnlyTheHeaderGivesTheFocusBack) {
  place_form2(3000, 1500);
  cursor(300, 200);
  press_form1();
  act([&] { desktop().activate(form1()); });
  release_form1();
  EXPECT_FALSE(form2().Timer7.Enabled());
  EXPECT_EQ(desktop().foreground(), form1().hWnd()) << "a release on Form1 leaves the focus";
  cursor(400, 300);
  advance(200);
  expect_corner(3000, 1500);

  press(form2().Picture5);
  release(form2().Picture5);
  EXPECT_FALSE(form2().Timer7.Enabled());
  EXPECT_EQ(desktop().foreground(), form2().hWnd()) << "a release on the header gives it back";
}

TEST_F(Dragging, ASecondPressWhileDraggingTakesNewOffsetsAndKeepsTheSchedule) {
  place_form2(3000, 1500);
  cursor(300, 200);
  press_form1();
  const int64_t due = form2().Timer7.next_tick();
  advance(20);
  cursor(200, 100);
  press(form2().Picture5);
  EXPECT_EQ(shared().DragOffsetX, 0);
  EXPECT_EQ(shared().DragOffsetY, 0);
  EXPECT_EQ(form2().Timer7.next_tick(), due);
  cursor(210, 110);
  advance(due - now());
  expect_corner(3150, 1650);
}

}  // namespace

}  // namespace prevod
