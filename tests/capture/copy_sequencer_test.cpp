// The copy sequencer: Kopirane and TimerDesen type Escape and Ctrl+C into
// the focused window, once per arming.

#include "capture/capture_fixture.h"

namespace prevod {

namespace {

using CopySequencer = CaptureFixture;

TEST_F(CopySequencer, EachTimerSendsExactlyEscapeThenCtrlCOncePerArming) {
  for (Timer* timer : {&form2().Kopirane, &form2().TimerDesen}) {
    SCOPED_TRACE(timer->name());
    desktop().clear_key_log();
    act([&] { timer->set_Enabled(true); });
    int64_t due = now() + timer->Interval();
    advance(due - 1 - now());
    EXPECT_TRUE(desktop().key_log().empty());
    advance(1);
    EXPECT_FALSE(timer->Enabled());
    EXPECT_EQ(desktop().key_log().size(), 6u) << "nothing else goes out with the sequence";
    EXPECT_EQ(copy_sequences(), 1);
    advance(3000);
    EXPECT_EQ(copy_sequences(), 1);
  }
  EXPECT_EQ(form2().Kopirane.Interval(), 300);
  EXPECT_EQ(form2().TimerDesen.Interval(), 500);
}

TEST_F(CopySequencer, ArmingAPendingTimerAgainKeepsItsSchedule) {
  Timer& timer = form2().Kopirane;
  act([&] { timer.set_Enabled(true); });
  int64_t due = timer.next_tick();
  advance(200);
  act([&] { timer.set_Enabled(true); });
  EXPECT_EQ(timer.next_tick(), due);
  advance(100);
  EXPECT_EQ(copy_sequences(), 1);
}

TEST_F(CopySequencer, TheKeysCopyTheSelectionOfTheProgramsOwnInputBox) {
  Form2& f = form2();
  click(f.Text1);
  type("good morning");
  key(vk::A, false, true);
  ASSERT_EQ(f.Text1.Text(), "good morning");
  switch_on();
  act([&] { f.Kopirane.set_Enabled(true); });
  advance(300);
  EXPECT_EQ(copy_sequences(), 1);
  EXPECT_EQ(clipboard(), "good morning");
  EXPECT_EQ(f.Text1.Text(), "good morning") << "Escape does not touch the box";
}

TEST_F(CopySequencer, ARightClickWhereNothingIsCopiedTranslatesNothingNew) {
  Form2& f = form2();
  desktop().editor().open_with("nothing selected here");
  switch_on();
  advance(400);  // the first poll only records our own last clipboard write
  desktop().sim_clipboard().put("seen before");
  advance(300);  // the watcher takes it
  ASSERT_EQ(f.Text1.Text(), "seen before");
  advance(3000);  // its translation and speech
  std::string result = f.Text3.Text();
  std::string clipboard_before = clipboard();

  cursor_over_editor_character(3);
  click_button(1);
  advance(120);
  click_button(2);
  advance(1000);
  EXPECT_EQ(copy_sequences(), 1);
  EXPECT_FALSE(desktop().editor().menu_open()) << "Escape closed the menu";
  EXPECT_EQ(clipboard(), clipboard_before) << "the right-click path does not empty the clipboard";
  advance(3000);
  EXPECT_EQ(f.Text1.Text(), "seen before");
  EXPECT_EQ(f.Text3.Text(), result);
}

}  // namespace

}  // namespace prevod
