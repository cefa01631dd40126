// Keys and buttons on the real desktop through the model: synthetic keys a
// handler sends reach whatever has the focus, our own windows' models
// before any later timer tick; the focus goes where the model moves it;
// the global buttons latch real clicks.

#include <gtest/gtest.h>

#include <QProcess>
#include <QTimer>
#include <algorithm>
#include <optional>
#include <string>

#include "model/rich_text_box.h"
#include "model/timer.h"
#include "platform/keys.h"
#include "platform/qt/qt_desktop_fixture.h"
#include "platform/qt/xtest_keyboard.h"
#include "platform/user32.h"

namespace prevod {
namespace {

using testing::poll_until;
using testing::TestEditor;
using testing::xdotool;

class KeysFromAHandler : public QtDesktopFixture {
 protected:
  // A shown window whose Text1 has the focus, with a timer "Sender" that
  // runs `send` once and a timer "Reader", due a millisecond later, that
  // writes down what Text1 holds when it ticks.
  Window& window_with_sender(const std::function<void(Window&)>& send) {
    Window& form = make_window("Form2", 7305, 3135,
                               {timer_of("Sender", false, 20), timer_of("Reader", false, 1)});
    Timer& sender = timer(form, "Sender");
    Timer& reader = timer(form, "Reader");
    sender.on_timer = [&, send] {
      sender.set_Enabled(false);
      send(form);
      reader.set_Enabled(true);
      // A deferred step of the model waits for the keys as a tick does.
      loop.call_later(0, [&] { deferred_saw = text1(form).Text(); });
    };
    reader.on_timer = [&] {
      reader.set_Enabled(false);
      reader_saw = text1(form).Text();
    };
    return form;
  }
  static TimerSpec timer_of(const std::string& name, bool enabled, int interval) {
    TimerSpec design;
    design.name = name;
    design.enabled = enabled;
    design.interval = interval;
    return design;
  }
  static Timer& timer(Window& window, const std::string& name) {
    return *dynamic_cast<Timer*>(window.find(name));
  }
  static RichTextBox& text1(Window& window) { return window.get<RichTextBox>("Text1"); }
  void show_and_focus(Window& form) {
    act([&] {
      form.Show();
      form.focus_control(form.find("Text1"));
    });
    ASSERT_TRUE(run_until([&] { return desktop->x11_windows().has_focus(native(form)); }));
  }
  void type_ab() {
    User32& keys = desktop->user32();
    for (uint8_t key : {vk::A, uint8_t{'B'}}) {
      keys.keybd_event(key, 0, KEYEVENTF_EXTENDEDKEY, 0);
      keys.keybd_event(key, 0, KEYEVENTF_EXTENDEDKEY | KEYEVENTF_KEYUP, 0);
    }
  }
  bool reader_ran() {
    return run_until([&] { return reader_saw && deferred_saw; });
  }

  std::optional<std::string> reader_saw;
  std::optional<std::string> deferred_saw;
};

using X11DesktopKeys = KeysFromAHandler;

TEST_F(X11DesktopKeys, KeysReachOurFocusedWindowsModelBeforeTheNextTick) {
  Window& form = window_with_sender([&](Window&) { type_ab(); });
  show_and_focus(form);
  act([&] { timer(form, "Sender").set_Enabled(true); });
  ASSERT_TRUE(reader_ran());
  EXPECT_EQ(*reader_saw, "ab");
  EXPECT_EQ(*deferred_saw, "ab");
  EXPECT_FALSE(desktop->input_in_flight());
}

TEST_F(X11DesktopKeys, KeysSentRightAfterShowingAndFocusingAWindowWaitForItToReachTheScreen) {
  // Under a window manager the window reaches the screen a while after it
  // was shown; the keys must neither be lost nor go elsewhere meanwhile,
  // and the loop must not stand still waiting for the window manager.
  if (!testing::window_manager_runs()) GTEST_SKIP() << "windows map at once without one";
  TestEditor editor("котка house");
  ASSERT_TRUE(editor.focus());
  Window& form = window_with_sender([&](Window& shown) {
    shown.Show();
    shown.focus_control(shown.find("Text1"));
    type_ab();
  });
  testing::StoppedWindowManager stopped;
  bool loop_ran = false;
  QTimer::singleShot(100, [&] { loop_ran = true; });
  act([&] { timer(form, "Sender").set_Enabled(true); });
  ASSERT_TRUE(run_until([&] { return loop_ran; }));
  EXPECT_FALSE(reader_saw) << "the next tick waits for the keys";
  EXPECT_TRUE(desktop->input_in_flight());
  stopped.resume();
  ASSERT_TRUE(reader_ran());
  EXPECT_EQ(*reader_saw, "ab");
  EXPECT_EQ(*deferred_saw, "ab");
}

TEST_F(X11DesktopKeys, KeysGoToWhateverHasTheFocusWhenTheWindowTakesTooLongToShow) {
  if (!testing::window_manager_runs()) GTEST_SKIP() << "windows map at once without one";
  TestEditor editor("котка house");
  ASSERT_TRUE(editor.focus());
  Window& form = window_with_sender([&](Window& shown) {
    shown.Show();
    shown.focus_control(shown.find("Text1"));
    type_ab();
  });
  testing::StoppedWindowManager stopped;
  act([&] { timer(form, "Sender").set_Enabled(true); });
  ASSERT_TRUE(reader_ran());
  EXPECT_EQ(*reader_saw, "");
  EXPECT_NE(std::find_if(trace_lines.begin(), trace_lines.end(),
                         [](const std::string& line) {
                           return line.find("did not reach the screen") != std::string::npos;
                         }),
            trace_lines.end());
}

TEST_F(X11DesktopKeys, TheCopyChordGoesToAnotherProgramWithTheFocusAndTheLoopGoesOn) {
  TestEditor editor("котка house");
  Window& form = window_with_sender([&](Window&) {
    User32& keys = desktop->user32();
    for (uint8_t key : {vk::CONTROL, vk::A}) keys.keybd_event(key, 0, 1, 0);
    for (uint8_t key : {vk::A, vk::CONTROL}) keys.keybd_event(key, 0, 3, 0);
    keys.keybd_event(vk::ESCAPE, 0, 1, 0);
    keys.keybd_event(vk::ESCAPE, 0, 3, 0);
    for (uint8_t key : {vk::CONTROL, vk::C}) keys.keybd_event(key, 0, 1, 0);
    for (uint8_t key : {vk::C, vk::CONTROL}) keys.keybd_event(key, 0, 3, 0);
  });
  act([&] { form.Show(); });
  ASSERT_TRUE(editor.focus());
  act([&] { timer(form, "Sender").set_Enabled(true); });
  ASSERT_TRUE(reader_ran());
  EXPECT_EQ(*reader_saw, "") << "nothing reached our window";
  ASSERT_TRUE(editor.wait_for_copy());
  EXPECT_EQ(editor.copied().last(), "котка house");
}

TEST_F(X11DesktopKeys, APersonsKeysReachTheFocusedControlTheSameWay) {
  Window& form = make_window("Form2", 7305, 3135);
  show_and_focus(form);
  ASSERT_TRUE(xdotool({"type", "--delay", "20", "ab"}));
  EXPECT_TRUE(run_until([&] { return text1(form).Text() == "ab"; })) << text1(form).Text();
}

TEST_F(X11DesktopKeys, TheFocusGoesWhereTheModelMovesItBetweenOurWindowsAndBackFromOthers) {
  Window& form1 = make_window("Form1", 10600, 5700);
  Window& form2 = make_window("Form2", 7305, 3135);
  act([&] {
    form1.set_Left(7500);
    form1.Show();
    form2.Show();
  });
  TestEditor editor("котка house");
  for (Window* target : {&form1, &form2, &form1}) {
    ASSERT_TRUE(editor.focus());
    act([&] { target->focus_control(target->find("Text1")); });
    EXPECT_TRUE(run_until([&] { return desktop->x11_windows().has_focus(native(*target)); }))
        << target->name();
  }
}

TEST_F(X11DesktopKeys, AWindowUnloadedByItsOwnKeyHandlerGoesQuietly) {
  Window& form = make_window("Form2", 7305, 3135);
  show_and_focus(form);
  int presses = 0;
  text1(form).on_key_press = [&](int16_t&) {
    ++presses;
    form.Unload();
  };
  ASSERT_TRUE(xdotool({"type", "--delay", "30", "abc"}));
  EXPECT_TRUE(run_until([&] { return form.unloaded() && desktop->view(form.hWnd()) == nullptr; }));
  poll_until([] { return false; }, 200);
  EXPECT_EQ(presses, 1);
}

// On a server without XTest no program gets synthetic keys, but ours still
// reach our own focused window, straight into its model.
using WithoutXTestDesktopKeys = KeysFromAHandler;

TEST_F(WithoutXTestDesktopKeys, KeysStillReachOurFocusedWindowsModelBeforeTheNextTick) {
  ASSERT_FALSE(desktop->keyboard().sending());
  Window& form = window_with_sender([&](Window&) {
    User32& keys = desktop->user32();
    keys.keybd_event(vk::SHIFT, 0, 1, 0);
    type_ab();
    keys.keybd_event(vk::SHIFT, 0, 3, 0);
    type_ab();
  });
  show_and_focus(form);
  act([&] { timer(form, "Sender").set_Enabled(true); });
  ASSERT_TRUE(reader_ran());
  EXPECT_EQ(*reader_saw, "ABab");
}

using X11DesktopButtons = QtDesktopFixture;

TEST_F(X11DesktopButtons, GetAsyncKeyStateLatchesRealClicksOfBothButtons) {
  // Over a window of ours: a right click on the bare screen would open the
  // window manager's menu, which takes the next click for itself.
  Window& form = make_window("Form2", 7305, 3135);
  act([&] { form.Show(); });
  ASSERT_TRUE(run_until([&] { return viewable(form); }));
  ASSERT_TRUE(xdotool({"mousemove", "200", "100"}));
  User32& user32 = desktop->user32();
  user32.GetAsyncKeyState(vk::LBUTTON);
  user32.GetAsyncKeyState(vk::RBUTTON);
  for (uint8_t button : {vk::LBUTTON, vk::RBUTTON}) {
    ASSERT_TRUE(xdotool({"click", button == vk::LBUTTON ? "1" : "3"}));
    int16_t state = 0;
    EXPECT_TRUE(poll_until([&] { return (state = user32.GetAsyncKeyState(button)) != 0; }));
    EXPECT_EQ(state & 1, 1) << "pressed since the last query";
    EXPECT_TRUE(poll_until([&] { return user32.GetAsyncKeyState(button) == 0; }));
  }
}

TEST_F(X11DesktopButtons, GetCursorPosFollowsThePointer) {
  ASSERT_TRUE(xdotool({"mousemove", "321", "123"}));
  POINTAPI at;
  EXPECT_TRUE(poll_until(
      [&] { return desktop->user32().GetCursorPos(at) == 1 && at.x == 321 && at.y == 123; }));
}

}  // namespace
}  // namespace prevod
