// The speech settings panel on the speech window's strip: opening and
// closing with its captions, colours and controls, the gesture option held
// off while it is open, the clipboard hint, and the hover zone's strict
// bounds.

#include <gtest/gtest.h>

#include "support/system_fixture.h"

namespace prevod {

namespace {

constexpr Rgb White{255, 255, 255};
constexpr Rgb Blue{0, 0, 255};

class SettingsPanelTest : public SystemFixture {
 protected:
  void SetUp() override {
    boot();
    boot_to_ready();
    advance(8000);
  }
  void toggle() { click(form1().Label5); }
  bool centred_in_Picture7() {
    return form1().Label5.Left() == form1().Picture7.Width() / 2 - form1().Label5.Width() / 2;
  }
  // Puts the speech window's corner at a place in twips and the cursor at
  // a place in pixels, then lets the hover logic look once.
  void hover(float left, float top, int32_t x_px, int32_t y_px) {
    act([&] {
      form1().set_Left(left);
      form1().set_Top(top);
      desktop().set_cursor(x_px, y_px);
    });
    advance(50);
  }
};

TEST_F(SettingsPanelTest, OpeningBringsTheSpeechWindowForwardWithItsExtraControls) {
  ASSERT_EQ(form1().Label5.Caption(), "НАСТРОЙКА НА ГОВОРА");
  toggle();
  Form1& f1 = form1();
  EXPECT_EQ(shared().SpeechSettingsOpen, 1);
  EXPECT_EQ(f1.Label5.Caption(), "ПОТВЪРДИ");
  EXPECT_EQ(f1.Label5.ForeColor(), Blue);
  EXPECT_TRUE(centred_in_Picture7());
  for (Control* shown : {static_cast<Control*>(&f1.Picture8), static_cast<Control*>(&f1.Picture9),
                         static_cast<Control*>(&f1.Picture10), static_cast<Control*>(&f1.VScroll1),
                         static_cast<Control*>(&f1.Text6), static_cast<Control*>(&f1.Label9)}) {
    EXPECT_TRUE(shown->Visible()) << shown->name();
  }
  for (Control* hidden : {static_cast<Control*>(&f1.Picture11), static_cast<Control*>(&f1.Picture4),
                          static_cast<Control*>(&f1.Label10)}) {
    EXPECT_FALSE(hidden->Visible()) << hidden->name();
  }
  EXPECT_FALSE(desktop().topmost(form2().hWnd()));
  EXPECT_EQ(desktop().foreground(), f1.hWnd());
}

TEST_F(SettingsPanelTest, OpeningAndClosingOnceLeavesTheShortCaptionInWhiteCentred) {
  toggle();
  toggle();
  Form1& f1 = form1();
  EXPECT_EQ(shared().SpeechSettingsOpen, 0);
  EXPECT_EQ(f1.Label5.Caption(), "НАСТРОЙКИ ГОВОР");
  EXPECT_EQ(f1.Label5.ForeColor(), White);
  EXPECT_TRUE(centred_in_Picture7());
  for (Control* hidden : {static_cast<Control*>(&f1.Picture8), static_cast<Control*>(&f1.Picture9),
                          static_cast<Control*>(&f1.Picture10), static_cast<Control*>(&f1.VScroll1),
                          static_cast<Control*>(&f1.Text6), static_cast<Control*>(&f1.Label9)}) {
    EXPECT_FALSE(hidden->Visible()) << hidden->name();
  }
  EXPECT_TRUE(f1.Picture4.Visible());
  EXPECT_TRUE(f1.Label10.Visible());
  EXPECT_TRUE(form2().Picture2.Visible());
  EXPECT_TRUE(desktop().topmost(form2().hWnd()));
  EXPECT_EQ(f1.Left(), form2().Left());
  EXPECT_EQ(f1.Top(), form2().Top());
}

TEST_F(SettingsPanelTest, ThePictureUnderTheLabelTogglesTheSame) {
  click(form1().Picture7);
  EXPECT_EQ(shared().SpeechSettingsOpen, 1);
  click(form1().Picture7);
  EXPECT_EQ(shared().SpeechSettingsOpen, 0);
}

TEST_F(SettingsPanelTest, TheGestureOptionIsHeldOffWhileOpenAndRestoredAfter) {
  act([&] { form2().Check1.set_Value(1); });
  ASSERT_TRUE(form2().Timer5.Enabled()) << "the clipboard watcher runs with the option";
  toggle();
  EXPECT_EQ(form2().Check1.Value(), 0);
  EXPECT_EQ(shared().SavedCheck1Value, 1);
  EXPECT_FALSE(form2().Timer5.Enabled());
  toggle();
  EXPECT_EQ(form2().Check1.Value(), 1);
  EXPECT_TRUE(form2().Timer5.Enabled());
}

TEST_F(SettingsPanelTest, AGestureOptionThatWasOffStaysOff) {
  ASSERT_EQ(form2().Check1.Value(), 0);
  toggle();
  toggle();
  EXPECT_EQ(form2().Check1.Value(), 0);
}

TEST_F(SettingsPanelTest, OpeningPutsTheHintOnTheClipboardAndClosingLeavesIt) {
  desktop().sim_clipboard().put("something copied");
  toggle();
  EXPECT_EQ(clipboard(),
            "The program reads the text from Clipboard. Copy the text to hear the pronunciation.");
  desktop().sim_clipboard().put("copied while open");
  toggle();
  EXPECT_EQ(clipboard(), "copied while open");
}

TEST_F(SettingsPanelTest, TheHoverZoneHasStrictBounds) {
  // Corner at (20, 100) twips: the zone is 7305 < X < 10620 and
  // 600 < Y < 3500, which fall on whole pixels at its right and top.
  hover(20, 100, 600, 100);
  EXPECT_TRUE(form1().Picture13.Visible());
  EXPECT_TRUE(form1().image1.Visible());
  EXPECT_TRUE(form1().Image2.Visible());

  hover(20, 100, 600, 40);  // Y = 600, exactly 500 below the top
  EXPECT_FALSE(form1().Picture13.Visible());
  hover(20, 100, 600, 41);
  EXPECT_TRUE(form1().Picture13.Visible());
  hover(20, 100, 708, 100);  // X = 10620, exactly the right edge
  EXPECT_FALSE(form1().Picture13.Visible());
  hover(20, 100, 707, 100);
  EXPECT_TRUE(form1().Picture13.Visible());
  hover(20, 100, 487, 100);  // X = 7305, exactly Form2's width - 20 from the corner
  EXPECT_FALSE(form1().Picture13.Visible());
  hover(20, 100, 488, 100);
  EXPECT_TRUE(form1().Picture13.Visible());
  hover(20, 100, 600, 233);  // Y = 3495
  EXPECT_TRUE(form1().Picture13.Visible());
  hover(20, 95, 600, 233);  // Y = 3495, exactly Picture5's Top below a corner at 95
  EXPECT_FALSE(form1().Picture13.Visible());
}

TEST_F(SettingsPanelTest, WhileOpenTheHoverPanelShowsWithoutItsIconButtons) {
  toggle();
  hover(20, 100, 600, 100);
  EXPECT_TRUE(form1().Picture13.Visible());
  EXPECT_FALSE(form1().image1.Visible());
  EXPECT_FALSE(form1().Image2.Visible());
  toggle();
  hover(20, 100, 600, 100);
  EXPECT_TRUE(form1().image1.Visible());
  EXPECT_TRUE(form1().Image2.Visible());
}

TEST_F(SettingsPanelTest, WhileCollapsedTheHoverPanelNeverShows) {
  click(form1().Picture4);
  EXPECT_EQ(shared().Form1Collapsed, 1);
  EXPECT_EQ(form1().Width(), 7280);
  hover(20, 100, 600, 100);
  EXPECT_FALSE(form1().Picture13.Visible());
  // The flag alone keeps it hidden, whatever the width.
  act([&] { form1().set_Width(10600); });
  hover(20, 100, 600, 100);
  EXPECT_FALSE(form1().Picture13.Visible());
  act([&] { form1().set_Width(7280); });
  click(form1().Picture11);
  EXPECT_EQ(form1().Width(), 10600);
  hover(20, 100, 600, 100);
  EXPECT_TRUE(form1().Picture13.Visible());
}

TEST_F(SettingsPanelTest, TheThreeStripButtonsCollapseAndExpandAsTheirTableSays) {
  Form1& f1 = form1();
  click(f1.Picture3);
  EXPECT_EQ(shared().Form1Collapsed, 1);
  EXPECT_EQ(f1.Width(), 7280);
  EXPECT_TRUE(f1.Picture11.Visible());
  EXPECT_TRUE(form2().Picture2.Visible()) << "only Picture4 hides the patch";
  click(f1.Picture3);
  EXPECT_EQ(shared().Form1Collapsed, 0);
  EXPECT_EQ(f1.Width(), 10600);
  EXPECT_FALSE(f1.Picture11.Visible());

  click(f1.Picture4);
  EXPECT_EQ(f1.Width(), 7280);
  EXPECT_FALSE(form2().Picture2.Visible());
  click(f1.Picture11);
  EXPECT_EQ(shared().Form1Collapsed, 0);
  EXPECT_EQ(f1.Width(), 10600);
  EXPECT_FALSE(f1.Picture11.Visible());

  click(f1.Picture11);  // collapses, leaving its own visibility alone
  EXPECT_EQ(shared().Form1Collapsed, 1);
  EXPECT_EQ(f1.Width(), 7280);
  EXPECT_FALSE(f1.Picture11.Visible());
}

TEST_F(SettingsPanelTest, LeavingVoiceOnlyModeRestoresBothWidthsAndTheZOrder) {
  Form1& f1 = form1();
  const float browser_left = f1.WebBrowser1.Left();
  const float panel_left = f1.Picture13.Left();
  click(form2().Label18);
  ASSERT_EQ(f1.Width(), 10600 - 7305);
  ASSERT_EQ(form2().Width(), 0);
  ASSERT_TRUE(f1.Picture12.Visible());

  click(f1.Picture12);
  EXPECT_EQ(f1.Width(), 10600);
  EXPECT_EQ(form2().Width(), 7305);
  EXPECT_EQ(f1.WebBrowser1.Left(), browser_left);
  EXPECT_EQ(f1.Picture13.Left(), panel_left);
  EXPECT_FALSE(f1.Picture12.Visible());
  EXPECT_FALSE(f1.Picture14.Visible());
  EXPECT_TRUE(desktop().topmost(form2().hWnd()));
  EXPECT_FALSE(desktop().topmost(f1.hWnd()));
}

TEST_F(SettingsPanelTest, TheHideButtonOfVoiceOnlyModeParksBothWindowsUntilTheTrayIcon) {
  click(form2().Label18);
  click(form1().Picture14);
  EXPECT_FALSE(form2().Visible());
  EXPECT_EQ(form1().Left(), -form1().Width());
  EXPECT_EQ(form1().Width(), 10600 - 7305) << "the geometry stays";
}

}  // namespace

}  // namespace prevod
