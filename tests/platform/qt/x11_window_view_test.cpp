// A window view on a real X server: keys sent through XTest, as the program
// sends its own and as a person's arrive, reach the model window's focused
// box through the view's top-level widget, under a Latin and under a
// Bulgarian layout.

#include <gtest/gtest.h>

#include <QWidget>
#include <QWindow>
#include <memory>

#include "model/rich_text_box.h"
#include "platform/keys.h"
#include "platform/qt/qt_window_view.h"
#include "platform/qt/x11_session.h"
#include "platform/qt/x11_windows.h"
#include "platform/qt/xtest_keyboard.h"
#include "support/model_fixture.h"
#include "support/test_window.h"

// X11's headers come last: their macros clash with Qt's names.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>

namespace prevod {
namespace {

using testing::poll_until;
using testing::run_program;

class X11WindowView : public ModelFixture {
 protected:
  void SetUp() override {
    keyboard = std::make_unique<XTestKeyboard>(trace);
    ASSERT_TRUE(keyboard->sending());
    layout.name = "Typing";
    layout.width = 4500;
    layout.height = 1500;
    ControlSpec box = spec_of("Box", ControlKind::RichTextBox);
    box.width = 4500;
    box.height = 1500;
    layout.controls = {box};
    window = std::make_unique<TestWindow>(app, layout);
    act([&] {
      window->Show();
      window->get<RichTextBox>("Box").SetFocus();
    });
    view = std::make_unique<QtWindowView>(*window, loop);
    QWidget& top_level = view->top_level();
    top_level.show();
    windows.place(*top_level.windowHandle(), QRect(QPoint(120, 120), view->model_size()));
    ASSERT_TRUE(windows.focus(*top_level.windowHandle()));
  }
  void TearDown() override {
    view.reset();
    set_layout("us", 0);
  }

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
  bool box_reads(const std::string& text) {
    keyboard->flush();
    return poll_until([&] { return window->get<RichTextBox>("Box").Text() == text; });
  }

  WindowLayout layout;
  std::unique_ptr<TestWindow> window;
  std::unique_ptr<QtWindowView> view;
  std::unique_ptr<XTestKeyboard> keyboard;
  X11Windows windows;
};

TEST_F(X11WindowView, KeysSentThroughXTestEditTheFocusedBox) {
  press(vk::A);
  press('B');
  chord(vk::SHIFT, vk::C);
  EXPECT_TRUE(box_reads("abC"));
  press(vk::BACK);
  EXPECT_TRUE(box_reads("ab"));
  chord(vk::CONTROL, vk::A);
  press('X');
  EXPECT_TRUE(box_reads("x")) << window->get<RichTextBox>("Box").Text();
}

TEST_F(X11WindowView, UnderABulgarianLayoutLettersTypeCyrillicAndCtrlAStillSelectsAll) {
  set_layout("us,bg", 1);
  // The keys A, B and D carry ь, ф and а on the standard Bulgarian layout.
  press(vk::A);
  press('B');
  EXPECT_TRUE(box_reads("ьф")) << window->get<RichTextBox>("Box").Text();
  chord(vk::CONTROL, vk::A);
  press('D');
  EXPECT_TRUE(box_reads("а")) << window->get<RichTextBox>("Box").Text();
}

}  // namespace
}  // namespace prevod
