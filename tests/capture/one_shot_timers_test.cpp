// The one-shot timers of selection capture fire once per arming and then
// stay off: the double-click window Timer3333, Kopirane and TimerDesen. A
// window that re-armed itself would close the window of a later gesture
// early and a real double click would be missed.

#include "capture/capture_fixture.h"

namespace prevod {

namespace {

class OneShotTimers : public CaptureFixture {
 protected:
  // Switches on and clicks once; returns when the press was detected, with
  // the watcher waiting for the next press.
  int64_t first_click_seen() {
    switch_on();
    advance(10);
    click_button(1);
    advance_to_tick(form2().Timer1111);
    const int64_t detected = now();
    advance_to_tick(form2().Timer4444);
    EXPECT_EQ(watcher_state(), "AwaitNextPress");
    return detected;
  }
  // A short left click that the AwaitNextPress poll at `at` sees.
  void click_seen_at(int64_t at) {
    advance(at - 10 - now());
    click_button(1, 5);
    advance(at - now());
  }
};

TEST_F(OneShotTimers, TheDoubleClickWindowClosesOnceAndStaysClosed) {
  Form2& f = form2();
  const int64_t first = first_click_seen();
  advance(first + 600 - now());
  EXPECT_FALSE(f.Timer3333.Enabled());
  EXPECT_EQ(f.PressSeen, 0);
  advance(5000);
  EXPECT_FALSE(f.Timer3333.Enabled());
  EXPECT_EQ(watcher_state(), "AwaitNextPress");
}

TEST_F(OneShotTimers, ADoubleClickAfterALoneClickGetsAFullWindowOfItsOwn) {
  Form2& f = form2();
  const int64_t first = first_click_seen();
  // A lone click, then a second one 1000 ms later: its press opens a new
  // window of 600 ms, which a window left running from the first click
  // would cut at 1200 ms.
  click_seen_at(first + 1000);
  ASSERT_EQ(watcher_state(), "AwaitRelease");
  advance_to_tick(f.Timer4444);
  click_seen_at(first + 1300);
  EXPECT_TRUE(f.Kopirane.Enabled()) << "a double click";
  EXPECT_EQ(watcher_state(), "Armed");
  advance(1000);
  EXPECT_EQ(copy_sequences(), 1);
}

TEST_F(OneShotTimers, EachCopyTimerFiresOncePerArming) {
  Form2& f = form2();
  act([&] {
    f.Kopirane.set_Enabled(true);
    f.TimerDesen.set_Enabled(true);
  });
  advance(300);
  EXPECT_FALSE(f.Kopirane.Enabled());
  EXPECT_EQ(copy_sequences(), 1);
  advance(200);
  EXPECT_FALSE(f.TimerDesen.Enabled());
  EXPECT_EQ(copy_sequences(), 2);
  advance(5000);
  EXPECT_EQ(copy_sequences(), 2);
}

}  // namespace

}  // namespace prevod
