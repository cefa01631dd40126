// Voice-only mode and the hint window: entering needs a speech option on,
// and otherwise shows the hint for five seconds from its creation; entering
// saves the widths and shifts the speech window's browser and hover panel,
// also from a collapsed strip; leaving restores them; and the hint goes
// with the translation window when the program ends.

#include <gtest/gtest.h>

#include "support/system_fixture.h"

namespace prevod {

namespace {

class VoiceOnlyMode : public SystemFixture {
 protected:
  void SetUp() override {
    boot();
    boot_to_ready();
    advance(8000);
  }
  void set_speech_options(bool english, bool bulgarian) {
    act([&] {
      english ? form2().Picture23_Click() : form2().Picture18_Click();
      bulgarian ? form2().Picture22_Click() : form2().Picture19_Click();
    });
  }
  Form3* hint() { return system->app.Form3_if_loaded(); }
};

TEST_F(VoiceOnlyMode, WithBothSpeechOptionsOffOnlyTheHintIsShownTopmost) {
  set_speech_options(false, false);
  Form1& f1 = form1();
  Form2& f2 = form2();
  desktop().sim_clipboard().put("kept");
  ASSERT_EQ(hint(), nullptr);

  click(f2.Label18);
  ASSERT_NE(hint(), nullptr);
  EXPECT_TRUE(hint()->Visible());
  EXPECT_TRUE(desktop().topmost(hint()->hWnd()));
  EXPECT_EQ(hint()->Label1.Caption(),
            "Изберете език за изговаряне на фраза и след това изберете тази опция!");
  EXPECT_EQ(f2.Check1.Value(), 0) << "the gesture option stays off";
  EXPECT_EQ(clipboard(), "kept");
  EXPECT_EQ(f2.Width(), 7305);
  EXPECT_EQ(f1.Width(), 10600);
  EXPECT_FALSE(f1.Picture12.Visible());
  EXPECT_FALSE(f1.Picture14.Visible());
}

TEST_F(VoiceOnlyMode, TheEnglishSpeechOptionAloneIsEnough) {
  set_speech_options(true, false);
  click(form2().Picture20);
  EXPECT_EQ(hint(), nullptr);
  EXPECT_EQ(form2().Width(), 0);
  EXPECT_TRUE(form1().Picture12.Visible());
}

TEST_F(VoiceOnlyMode, TheBulgarianSpeechOptionAloneIsEnough) {
  set_speech_options(false, true);
  click(form2().Picture20);
  EXPECT_EQ(hint(), nullptr);
  EXPECT_EQ(form2().Width(), 0);
  EXPECT_TRUE(form1().Picture12.Visible());
}

TEST_F(VoiceOnlyMode, EnteringSavesTheWidthsAndShiftsTheStripIntoTheTranslationWindowsPlace) {
  Form1& f1 = form1();
  Form2& f2 = form2();
  const float browser_left = f1.WebBrowser1.Left();
  const float panel_left = f1.Picture13.Left();
  ASSERT_EQ(f2.Check1.Value(), 0);

  click(f2.Label18);
  EXPECT_EQ(shared().SavedForm1Width, 10600);
  EXPECT_EQ(shared().SavedBrowserLeft, browser_left);
  EXPECT_EQ(shared().SavedForm2Width, 7305);
  EXPECT_EQ(f1.Width(), 3295);
  EXPECT_EQ(f2.Width(), 0);
  EXPECT_EQ(f1.WebBrowser1.Left(), browser_left - 7305);
  EXPECT_EQ(f1.Picture13.Left(), panel_left - 7305);
  EXPECT_FALSE(f1.Picture2.Visible());
  EXPECT_EQ(f1.Height(), 3400);
  EXPECT_EQ(f2.Height(), shared().FormHeights[0].number());
  EXPECT_TRUE(f1.Picture12.Visible());
  EXPECT_TRUE(f1.Picture14.Visible());
  EXPECT_TRUE(desktop().topmost(f1.hWnd()));
  EXPECT_EQ(f2.Check1.Value(), 1) << "the gesture option goes on";
  EXPECT_TRUE(f2.Timer5.Enabled());
  EXPECT_TRUE(f2.Picture2.Visible());
  EXPECT_EQ(shared().Form1Collapsed, 0);

  click(f1.Picture12);
  EXPECT_EQ(f1.Width(), 10600);
  EXPECT_EQ(f2.Width(), 7305);
  EXPECT_EQ(f1.WebBrowser1.Left(), browser_left);
  EXPECT_EQ(f1.Picture13.Left(), panel_left);
  EXPECT_EQ(f2.Check1.Value(), 1) << "leaving does not touch the gesture option";
  EXPECT_FALSE(f1.Picture2.Visible()) << "the note strip waits for the next reshaping";
}

TEST_F(VoiceOnlyMode, EnteringFromACollapsedStripWidensItFirstAndLeavesItWide) {
  Form1& f1 = form1();
  click(f1.Picture4);
  ASSERT_EQ(shared().Form1Collapsed, 1);
  ASSERT_EQ(f1.Width(), 7280);

  click(form2().Label18);
  EXPECT_EQ(shared().Form1Collapsed, 0);
  EXPECT_EQ(shared().SavedForm1Width, 10600);
  EXPECT_EQ(f1.Width(), 10600 - 7305);
  EXPECT_TRUE(form2().Picture2.Visible());

  click(f1.Picture12);
  EXPECT_EQ(f1.Width(), 10600);
  EXPECT_EQ(shared().Form1Collapsed, 0);
}

TEST_F(VoiceOnlyMode, EnteringWithTheGestureOptionOnDoesNotEmptyTheClipboardAgain) {
  click(form2().Picture17);
  ASSERT_EQ(form2().Check1.Value(), 1);
  desktop().sim_clipboard().put("kept");
  click(form2().Label18);
  EXPECT_EQ(clipboard(), "kept");
}

TEST_F(VoiceOnlyMode, TheHintLivesFiveSecondsFromItsCreationAndASecondRefusalDoesNotRestartIt) {
  set_speech_options(false, false);
  click(form2().Label18);
  const int64_t created = now();
  Form3* first = hint();
  ASSERT_NE(first, nullptr);
  const uint32_t first_handle = first->hWnd();

  advance(3000);
  click(form2().Label18);
  EXPECT_EQ(hint(), first) << "the same window is shown again";
  advance(created + 4999 - now());
  ASSERT_NE(hint(), nullptr);
  advance(1);
  EXPECT_EQ(hint(), nullptr) << "gone five seconds after it was first shown";
  EXPECT_EQ(desktop().window_of(first_handle), nullptr);

  advance(1000);
  click(form2().Label18);
  const int64_t again = now();
  ASSERT_NE(hint(), nullptr) << "a later refusal creates a fresh window";
  EXPECT_TRUE(hint()->Visible());
  advance(4999);
  EXPECT_NE(hint(), nullptr) << "with a fresh five seconds";
  advance(1);
  EXPECT_EQ(hint(), nullptr);
  EXPECT_EQ(now(), again + 5000);
  EXPECT_FALSE(system->app.ended()) << "the program goes on without the hint";
}

TEST_F(VoiceOnlyMode, TheHintGoesWithTheTranslationWindowAtExit) {
  set_speech_options(false, false);
  click(form2().Label18);
  ASSERT_NE(hint(), nullptr);
  const uint32_t handle = hint()->hWnd();

  click(form2().Picture1);
  EXPECT_EQ(hint(), nullptr);
  EXPECT_EQ(desktop().window_of(handle), nullptr) << "no window is left on the screen";
  EXPECT_TRUE(system->app.ended()) << "the program ends with its windows";
  EXPECT_TRUE(desktop().tray().icons().empty());
}

}  // namespace

}  // namespace prevod
