#include "platform/qt/xtest_keyboard.h"

#include <gtest/gtest.h>

#include "platform/keys.h"
#include "platform/qt/x11_session.h"

// X11's headers come last: their macros clash with Qt's names.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>

namespace prevod {
namespace {

using testing::run_program;
using testing::TestEditor;

class X11Keyboard : public ::testing::Test {
 protected:
  void SetUp() override {
    keyboard = std::make_unique<XTestKeyboard>(trace);
    ASSERT_TRUE(keyboard->sending());
  }
  void TearDown() override { set_layout("us", 0); }

  // Switches the server's keyboard layout and makes group `group` active.
  void set_layout(const QString& layouts, int group) {
    ASSERT_TRUE(run_program("setxkbmap", {"-layout", layouts}));
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    XkbLockGroup(display, XkbUseCoreKbd, static_cast<unsigned>(group));
    XSync(display, False);
    XCloseDisplay(display);
  }
  void press(uint8_t key) {
    keyboard->send(key, true);
    keyboard->send(key, false);
  }
  void chord(uint8_t modifier, uint8_t key) {
    keyboard->send(modifier, true);
    press(key);
    keyboard->send(modifier, false);
  }
  // The copy sequence: Escape, then Ctrl+C, after selecting everything.
  void select_all_and_copy() {
    chord(vk::CONTROL, vk::A);
    press(vk::ESCAPE);
    chord(vk::CONTROL, vk::C);
    keyboard->flush();
  }

  Trace trace;
  std::unique_ptr<XTestKeyboard> keyboard;
};

TEST_F(X11Keyboard, CtrlCCopiesTheSelectionOfAnotherProgram) {
  TestEditor editor("котка house");
  ASSERT_NE(editor.window(), 0u);
  ASSERT_TRUE(editor.focus());
  select_all_and_copy();
  ASSERT_TRUE(editor.wait_for_copy());
  EXPECT_EQ(editor.copied().last(), "котка house");
}

TEST_F(X11Keyboard, CtrlCCopiesWhileABulgarianLayoutIsActiveBesideALatinOne) {
  set_layout("us,bg", 1);
  TestEditor editor("house котка");
  ASSERT_TRUE(editor.focus());
  select_all_and_copy();
  ASSERT_TRUE(editor.wait_for_copy());
  EXPECT_EQ(editor.copied().last(), "house котка");
}

TEST_F(X11Keyboard, CtrlCCopiesUnderABulgarianLayoutAlone) {
  set_layout("bg", 0);
  // The keys are found by their physical place, not by the letters the
  // layout puts on them.
  XTestKeyboard under_bulgarian(trace);
  EXPECT_EQ(under_bulgarian.keycode(vk::C), keyboard->keycode(vk::C));
  TestEditor editor("куче");
  ASSERT_TRUE(editor.focus());
  select_all_and_copy();
  ASSERT_TRUE(editor.wait_for_copy());
  EXPECT_EQ(editor.copied().last(), "куче");
}

TEST_F(X11Keyboard, NavigationAndEditingKeysReachTheirOwnKeys) {
  // End, Home, Delete and Backspace edit the text; the editor shows the
  // result through its next copy.
  TestEditor editor("abcd");
  ASSERT_TRUE(editor.focus());
  press(vk::END);
  press(vk::BACK);  // abc
  press(vk::HOME);
  press(vk::DELETE_);  // bc
  press(vk::RIGHT);
  chord(vk::SHIFT, vk::LEFT);  // selects b
  chord(vk::CONTROL, vk::C);
  keyboard->flush();
  ASSERT_TRUE(editor.wait_for_copy());
  EXPECT_EQ(editor.copied().last(), "b");
}

TEST_F(X11Keyboard, EveryVirtualKeyTheProgramSendsHasAKey) {
  for (uint8_t key : {vk::BACK, vk::TAB, vk::RETURN, vk::SHIFT, vk::CONTROL, vk::ESCAPE, vk::SPACE,
                      vk::PRIOR, vk::NEXT, vk::END, vk::HOME, vk::LEFT, vk::UP, vk::RIGHT, vk::DOWN,
                      vk::DELETE_, vk::A, vk::C, vk::V}) {
    EXPECT_NE(keyboard->keycode(key), 0) << key_name(key);
  }
  EXPECT_EQ(keyboard->keycode(vk::LBUTTON), 0);
}

}  // namespace
}  // namespace prevod
