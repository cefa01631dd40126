// The gesture watcher on the running program: the capture option and its
// pictures, the four polling timers with the double-click window, the right
// button, and what happens to the clipboard.

#include "capture/capture_fixture.h"

namespace prevod {

namespace {

class GestureWatcher : public CaptureFixture {
 protected:
  // Switches on, clicks once and steps until the press and its release have
  // been seen. Returns the time the press was detected.
  int64_t first_click_seen() {
    switch_on();
    advance(10);
    click_button(1);
    advance_to_tick(form2().Timer1111);
    int64_t detected = now();
    advance_to_tick(form2().Timer4444);
    EXPECT_EQ(watcher_state(), "AwaitNextPress");
    return detected;
  }
  // A short left click made so that the AwaitNextPress poll at `at` sees it.
  void click_seen_at(int64_t at) {
    advance(at - 10 - now());
    click_button(1, 5);
    advance(at - now());
  }
};

TEST_F(GestureWatcher, SwitchingOnEmptiesTheClipboardAndArmsTheWatcherAndSwitchingOffStopsIt) {
  Form2& f = form2();
  desktop().sim_clipboard().put("left over");
  switch_on();
  EXPECT_EQ(f.Check1.Value(), 1);
  EXPECT_FALSE(desktop().sim_clipboard().peek().has_value());
  EXPECT_TRUE(f.Timer5.Enabled());
  EXPECT_EQ(watcher_state(), "Armed");
  EXPECT_TRUE(f.Picture24.Visible());
  EXPECT_FALSE(f.Picture17.Visible());

  click_button(1);
  advance_to_tick(f.Timer1111);
  switch_off();
  EXPECT_EQ(f.Check1.Value(), 0);
  EXPECT_TRUE(f.Picture17.Visible());
  EXPECT_FALSE(f.Picture24.Visible());
  EXPECT_FALSE(f.Timer5.Enabled());
  EXPECT_FALSE(f.Timer3333.Enabled());
  EXPECT_EQ(watcher_state(), "none");
  EXPECT_EQ(f.PressSeen, 1) << "the counters keep their values";
}

TEST_F(GestureWatcher, TheLabelsOnTheOptionPicturesAreTheirTwins) {
  Form2& f = form2();
  click(f.Label12);
  EXPECT_EQ(f.Check1.Value(), 1);
  EXPECT_TRUE(f.Picture24.Visible());
  EXPECT_EQ(watcher_state(), "Armed");
  click(f.Label11);
  EXPECT_EQ(f.Check1.Value(), 0);
  EXPECT_TRUE(f.Picture17.Visible());
  EXPECT_EQ(watcher_state(), "none");
}

TEST_F(GestureWatcher, SettingTheOptionToTheValueItHasChangesNothing) {
  Form2& f = form2();
  switch_on();
  advance(10);
  press(1);
  advance_to_tick(f.Timer1111);
  ASSERT_EQ(watcher_state(), "AwaitRelease");
  desktop().sim_clipboard().put("copied meanwhile");
  int64_t release_poll = f.Timer4444.next_tick();
  int64_t window_end = f.Timer3333.next_tick();
  int64_t clipboard_poll = f.Timer5.next_tick();

  act([&] { f.Picture17_Click(); });
  act([&] { f.Check1.set_Value(1); });
  EXPECT_EQ(clipboard(), "copied meanwhile");
  EXPECT_EQ(watcher_state(), "AwaitRelease");
  EXPECT_EQ(f.Timer4444.next_tick(), release_poll);
  EXPECT_EQ(f.Timer3333.next_tick(), window_end);
  EXPECT_EQ(f.Timer5.next_tick(), clipboard_poll);

  release(1);
  switch_off();
  act([&] { f.Picture24_Click(); });
  act([&] { f.Check1.set_Value(0); });
  EXPECT_EQ(watcher_state(), "none");
  EXPECT_FALSE(f.Timer5.Enabled());
}

TEST_F(GestureWatcher,
       ASecondPressSeenWithinTheWindowIsADoubleClickThatEmptiesTheClipboardBeforeTheKeys) {
  Form2& f = form2();
  int64_t first = first_click_seen();
  EXPECT_EQ(f.PressSeen, 1);
  EXPECT_EQ(f.ReleaseSeen, 1);
  EXPECT_EQ(f.Timer3333.next_tick(), first + 600) << "the window opens at the first detection";

  desktop().sim_clipboard().put("stale");
  click_seen_at(first + 550);
  EXPECT_FALSE(desktop().sim_clipboard().peek().has_value());
  EXPECT_EQ(watcher_state(), "Armed");
  EXPECT_FALSE(f.Timer3333.Enabled());
  EXPECT_EQ(f.PressSeen, 0);
  EXPECT_EQ(f.ReleaseSeen, 0);
  EXPECT_EQ(f.ClickTally, 0);
  ASSERT_TRUE(f.Kopirane.Enabled());
  EXPECT_EQ(f.Kopirane.next_tick(), now() + 300);

  advance(299);
  EXPECT_EQ(copy_sequences(), 0);
  advance(1);
  EXPECT_EQ(copy_sequences(), 1);
  EXPECT_FALSE(f.Kopirane.Enabled());
}

TEST_F(GestureWatcher, ASecondPressSeen600MsOrMoreAfterTheFirstOpensANewGesture) {
  Form2& f = form2();
  int64_t first = first_click_seen();
  click_seen_at(first + 600);
  EXPECT_FALSE(f.Kopirane.Enabled());
  EXPECT_EQ(watcher_state(), "AwaitRelease");
  EXPECT_EQ(f.PressSeen, 1);
  EXPECT_EQ(f.Timer3333.next_tick(), first + 1200) << "the new press has a window of its own";

  // A quick click after it pairs with the new press.
  advance_to_tick(f.Timer4444);
  click_seen_at(f.Timer2222.next_tick());
  EXPECT_TRUE(f.Kopirane.Enabled());
  advance(1000);
  EXPECT_EQ(copy_sequences(), 1);
}

TEST_F(GestureWatcher, ADragHeldPast600MsAndThenAClickIsNotADoubleClick) {
  Form2& f = form2();
  switch_on();
  advance(10);
  press(1);
  advance_to_tick(f.Timer1111);
  advance(700);
  EXPECT_EQ(watcher_state(), "AwaitRelease");
  EXPECT_EQ(f.PressSeen, 0) << "the window closed while the button was held";
  release(1);
  advance_to_tick(f.Timer4444);
  click_seen_at(f.Timer2222.next_tick());
  EXPECT_FALSE(f.Kopirane.Enabled());
  EXPECT_EQ(watcher_state(), "AwaitRelease");
  advance(1000);
  EXPECT_EQ(copy_sequences(), 0);
}

TEST_F(GestureWatcher, ARightClickAsTheFirstActionAfterSwitchingOnIsIgnoredAlsoLater) {
  Form2& f = form2();
  switch_on();
  advance(10);
  click_button(2);
  advance(500);
  EXPECT_EQ(watcher_state(), "Armed");
  EXPECT_FALSE(f.TimerDesen.Enabled());
  // The right press is not held over for the first AwaitNextPress poll.
  click_button(1);
  advance(2000);
  EXPECT_EQ(watcher_state(), "AwaitNextPress");
  EXPECT_EQ(copy_sequences(), 0);
}

TEST_F(GestureWatcher, ARightClickAfterADoubleClickIsIgnoredUntilTheNextLeftClick) {
  Form2& f = form2();
  int64_t first = first_click_seen();
  click_seen_at(first + 200);
  advance(400);
  ASSERT_EQ(copy_sequences(), 1);
  ASSERT_EQ(watcher_state(), "Armed");
  click_button(2);
  advance(300);
  click_button(1);
  advance(2000);
  EXPECT_EQ(copy_sequences(), 1);
  EXPECT_FALSE(f.TimerDesen.Enabled());
  // After that left click a right click counts.
  click_button(2);
  advance(50);
  EXPECT_TRUE(f.TimerDesen.Enabled());
}

TEST_F(GestureWatcher, ALeftPressMadeWhileTheOptionWasOffIsNoGesture) {
  Form2& f = form2();
  click_button(1);
  switch_on();
  advance_to_tick(f.Timer1111);
  EXPECT_EQ(watcher_state(), "Armed");
  EXPECT_EQ(f.PressSeen, 0);
}

TEST_F(GestureWatcher, ARightPressAfterALeftClickArmsTimerDesenWithoutEmptyingTheClipboard) {
  Form2& f = form2();
  first_click_seen();
  advance(30);
  desktop().sim_clipboard().put("kept");
  press(2);
  advance_to_tick(f.Timer2222);
  release(2);
  ASSERT_TRUE(f.TimerDesen.Enabled());
  EXPECT_EQ(f.TimerDesen.next_tick(), now() + 500);
  EXPECT_EQ(clipboard(), "kept");
  EXPECT_EQ(watcher_state(), "AwaitNextPress") << "the right button does not change the state";
}

TEST_F(GestureWatcher, ARightButtonHeldOverSeveralPollsCopiesOncePerFiringOfTimerDesen) {
  Form2& f = form2();
  first_click_seen();
  advance(20);
  press(2);
  advance_to_tick(f.Timer2222);
  int64_t seen = now();
  ASSERT_EQ(f.TimerDesen.next_tick(), seen + 500);
  advance(300);  // six more polls see it down
  EXPECT_EQ(f.TimerDesen.next_tick(), seen + 500) << "arming a pending timer keeps its schedule";
  release(2);
  advance(1500);
  EXPECT_EQ(copy_sequences(), 1);

  // Held past the firing: the next poll arms it again.
  press(2);
  advance_to_tick(f.Timer2222);
  seen = now();
  advance(560);
  release(2);
  EXPECT_EQ(copy_sequences(), 2);
  ASSERT_TRUE(f.TimerDesen.Enabled());
  EXPECT_EQ(f.TimerDesen.next_tick(), seen + 1000);
  advance(1000);
  EXPECT_EQ(copy_sequences(), 3);
  EXPECT_FALSE(f.TimerDesen.Enabled());
}

TEST_F(GestureWatcher, OptionSetByCodeBehavesAsTheOptionRow) {
  Form2& f = form2();
  act([&] { f.Check1.set_Value(1); });
  EXPECT_TRUE(f.Picture24.Visible());
  EXPECT_FALSE(f.Picture17.Visible());
  EXPECT_EQ(watcher_state(), "Armed");
  act([&] { f.Check1.set_Value(0); });
  EXPECT_TRUE(f.Picture17.Visible());
  EXPECT_EQ(watcher_state(), "none");
}

TEST_F(GestureWatcher, AClipboardHeldAtSwitchOnLeavesTheOptionOnWithItsWatchers) {
  Form2& f = form2();
  // A tick of the watcher first, so that nothing is pending from our own
  // clipboard writes.
  switch_on();
  advance(400);
  switch_off();
  desktop().sim_clipboard().put("copied while off");
  desktop().sim_clipboard().set_held(true);
  switch_on();
  EXPECT_EQ(f.Check1.Value(), 1);
  EXPECT_TRUE(f.Timer5.Enabled());
  EXPECT_EQ(watcher_state(), "Armed");
  EXPECT_TRUE(f.Picture24.Visible());
  EXPECT_FALSE(f.Picture17.Visible());

  advance(700);
  desktop().sim_clipboard().set_held(false);
  advance(700);
  EXPECT_NE(f.Text1.Text(), "copied while off")
      << "what lay there before switching on is not taken";
  desktop().sim_clipboard().put("copied now");
  advance(300);
  EXPECT_EQ(f.Text1.Text(), "copied now");
}

TEST_F(GestureWatcher, AClipboardHeldAtADoubleClickLeavesTheWatcherRunning) {
  Form2& f = form2();
  int64_t first = first_click_seen();
  desktop().sim_clipboard().set_held(true);
  click_seen_at(first + 200);
  EXPECT_EQ(watcher_state(), "Armed");
  EXPECT_TRUE(f.Kopirane.Enabled());
  advance(300);
  EXPECT_EQ(copy_sequences(), 1);
  desktop().sim_clipboard().set_held(false);
}

}  // namespace

}  // namespace prevod
