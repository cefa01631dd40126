#include <gtest/gtest.h>

#include "base/runtime_error.h"
#include "model/rich_text_box.h"
#include "platform/keys.h"
#include "support/model_fixture.h"
#include "support/test_window.h"

namespace prevod {

namespace {

class SimDesktopTest : public ModelFixture {
 protected:
  void SetUp() override {
    layout.name = "Editor";
    layout.controls = {spec_of("Box", ControlKind::RichTextBox)};
    window = std::make_unique<TestWindow>(app, layout);
    window->Show();
    box().SetFocus();
  }
  RichTextBox& box() { return window->get<RichTextBox>("Box"); }

  WindowLayout layout;
  std::unique_ptr<TestWindow> window;
};

TEST_F(SimDesktopTest, TypingEnterEndAndSelectAllEditTheFocusedBox) {
  type("Hello");
  key(vk::RETURN);
  type("there");
  EXPECT_EQ(box().Text(), "Hello\r\nthere");
  act([&] { box().set_SelStart(2); });
  key(vk::END);
  type("!");
  EXPECT_EQ(box().Text(), "Hello!\r\nthere");
  key('A', false, true);
  EXPECT_EQ(box().SelLength(), 13);
  type("x");
  EXPECT_EQ(box().Text(), "x");
}

TEST_F(SimDesktopTest, CtrlCCopiesTheSelectionAndCtrlVPastesTheClipboard) {
  type("котка");
  key('A', false, true);
  key('C', false, true);
  EXPECT_EQ(clipboard(), "котка");
  key(vk::END);
  key('V', false, true);
  EXPECT_EQ(box().Text(), "коткакотка");
  key(vk::ESCAPE);
  EXPECT_EQ(box().Text(), "коткакотка");
}

TEST_F(SimDesktopTest, KeyPressMayCancelOrChangeTheCharacter) {
  box().on_key_press = [](int16_t& KeyAscii) {
    if (KeyAscii == 'x') KeyAscii = 0;
    if (KeyAscii == 'y') KeyAscii = 'Y';
  };
  type("axyb");
  EXPECT_EQ(box().Text(), "aYb");
}

TEST_F(SimDesktopTest, TheButtonLatchReportsAPressSinceTheLastQueryOnce) {
  User32& user32 = desktop().user32();
  EXPECT_EQ(user32.GetAsyncKeyState(1), 0);
  desktop().mouse_button(1, true);
  desktop().mouse_button(1, false);
  EXPECT_NE(user32.GetAsyncKeyState(1), 0) << "pressed since the previous query";
  EXPECT_EQ(user32.GetAsyncKeyState(1), 0);
  desktop().mouse_button(2, true);
  EXPECT_NE(user32.GetAsyncKeyState(2), 0);
  EXPECT_NE(user32.GetAsyncKeyState(2), 0) << "still down";
  EXPECT_EQ(user32.GetAsyncKeyState(1), 0) << "each button has its own latch";
}

TEST_F(SimDesktopTest, TheForeignEditorCopiesItsSelectionUnlessItsMenuIsOpen) {
  SimEditor& editor = desktop().editor();
  editor.open_with("one two three");
  desktop().set_cursor(editor.rect().Left + 5 * SimEditor::CharWidth, editor.rect().Top + 5);
  desktop().mouse_button(1, true);
  desktop().mouse_button(1, false);
  desktop().mouse_button(1, true);
  desktop().mouse_button(1, false);
  EXPECT_EQ(editor.selected_text(), "two");
  desktop().mouse_button(2, true);
  desktop().mouse_button(2, false);
  EXPECT_TRUE(editor.menu_open());
  key('C', false, true);
  EXPECT_EQ(clipboard(), "") << "the open menu takes the keys";
  key(vk::ESCAPE);
  key('C', false, true);
  EXPECT_EQ(clipboard(), "two");
}

TEST_F(SimDesktopTest, AHeldClipboardRefusesEveryAccess) {
  desktop().sim_clipboard().set_held(true);
  EXPECT_THROW(desktop().clipboard().GetText(), RuntimeError);
  EXPECT_THROW(desktop().clipboard().SetText("x"), RuntimeError);
  EXPECT_THROW(desktop().clipboard().Clear(), RuntimeError);
}

TEST_F(SimDesktopTest, ShowWindowOnAHandleShowsTheModelWindow) {
  window->Hide();
  desktop().user32().ShowWindow(window->hWnd(), 1);
  EXPECT_TRUE(window->Visible());
}

}  // namespace

}  // namespace prevod
