// The model's windows on the real desktop: where they lie, whether they
// show and their stacking band, with and without a window manager.

#include <gtest/gtest.h>

#include <QProcess>

#include "platform/qt/qt_desktop_fixture.h"
#include "platform/user32.h"

// X11's headers come last: their macros clash with Qt's names.
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

namespace prevod {
namespace {

using testing::poll_until;
using testing::window_manager_runs;

class X11DesktopWindows : public QtDesktopFixture {
 protected:
  User32& user32() { return desktop->user32(); }

  // Form1's load: its full size, then parked off the left edge, then shown.
  // A window manager that is slow meanwhile would carry out any move of the
  // window made before it was parked only afterwards, and so move it back.
  Window& parked_speech_window() {
    Window& form1 = make_window("Form1", 11715, 7905);
    testing::StoppedWindowManager slow;
    act([&] {
      form1.set_Height(5700);
      form1.set_Top(0);
      form1.set_Width(10600);
      form1.set_Left(-form1.Width());
      form1.Show();
    });
    EXPECT_TRUE(run_until([&] { return viewable(form1); })) << "a parked window needs no manager";
    return form1;
  }

  // Whether the window manager keeps the window in the stay-on-top band.
  bool above(Window& window) {
    QProcess xprop;
    xprop.start("xprop", {"-id", QString::number(native(window).winId()), "_NET_WM_STATE"});
    xprop.waitForFinished();
    return xprop.readAllStandardOutput().contains("_NET_WM_STATE_ABOVE");
  }

  // Where the window (or the frame the window manager put it in) is in the
  // stacking order of the screen: higher is nearer the person.
  int stacking_place(Window& window) {
    auto* connection = static_cast<xcb_connection_t*>(
        qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection());
    xcb_window_t id = static_cast<xcb_window_t>(native(window).winId());
    xcb_window_t root = 0;
    for (;;) {
      xcb_query_tree_reply_t* tree =
          xcb_query_tree_reply(connection, xcb_query_tree(connection, id), nullptr);
      if (tree == nullptr) return -1;
      root = tree->root;
      xcb_window_t parent = tree->parent;
      free(tree);
      if (parent == root) break;
      id = parent;
    }
    xcb_query_tree_reply_t* tree =
        xcb_query_tree_reply(connection, xcb_query_tree(connection, root), nullptr);
    int place = -1;
    xcb_window_t* children = xcb_query_tree_children(tree);
    for (int i = 0; i < xcb_query_tree_children_length(tree); ++i) {
      if (children[i] == id) place = i;
    }
    free(tree);
    return place;
  }
};

TEST_F(X11DesktopWindows, AWindowLiesWhereTheModelSaysInWholePixels) {
  Window& form2 = make_window("Form2", 7305, 3135);
  act([&] {
    form2.set_Left(1508);  // 100.53 pixels
    form2.set_Top(3000);
    form2.Show();
  });
  EXPECT_TRUE(holds_at(form2, QRect(101, 200, 487, 209)));
  EXPECT_EQ(desktop->view(form2.hWnd())->top_level().size(), QSize(487, 209));
  act([&] { form2.set_Left(-1500); });
  EXPECT_TRUE(holds_at(form2, QRect(-100, 200, 487, 209))) << "partly off the screen";
}

TEST_F(X11DesktopWindows, TheSpeechWindowParkedOffTheLeftEdgeStaysThereShownAndFocusable) {
  Window& form1 = parked_speech_window();
  EXPECT_TRUE(holds_at(form1, QRect(-707, 0, 707, 380)));
  EXPECT_TRUE(viewable(form1));
  EXPECT_EQ(desktop->x11_windows().parked(native(form1)), window_manager_runs());
  act([&] { form1.focus_control(form1.find("Text1")); });
  EXPECT_TRUE(run_until([&] { return desktop->x11_windows().has_focus(native(form1)); }));
  EXPECT_TRUE(holds_at(form1, QRect(-707, 0, 707, 380)));
}

TEST_F(X11DesktopWindows, TheParkedSpeechWindowComesBackExactlyBesideTheTranslationWindow) {
  Window& form1 = parked_speech_window();
  ASSERT_TRUE(holds_at(form1, QRect(-707, 0, 707, 380)));
  act([&] {
    form1.set_Left(5955);
    form1.set_Top(4290);
  });
  EXPECT_TRUE(holds_at(form1, QRect(397, 286, 707, 380)));
  EXPECT_TRUE(viewable(form1));
  EXPECT_FALSE(desktop->x11_windows().parked(native(form1)));
}

TEST_F(X11DesktopWindows, AWindowMovedWhileHiddenShowsAtItsNewPlace) {
  Window& form2 = make_window("Form2", 7305, 3135);
  act([&] { form2.Show(); });
  ASSERT_TRUE(holds_at(form2, QRect(0, 0, 487, 209)));
  act([&] { form2.Hide(); });
  ASSERT_TRUE(run_until([&] { return !viewable(form2); }));
  act([&] {
    form2.set_Left(4500);
    form2.set_Top(1500);
  });
  act([&] { form2.Show(); });
  EXPECT_TRUE(holds_at(form2, QRect(300, 100, 487, 209)));
}

TEST_F(X11DesktopWindows, ShowWindowShowsAHiddenWindowAndSaysWhetherItWasVisible) {
  Window& form2 = make_window("Form2", 7305, 3135);
  int32_t hidden_before = -1;
  act([&] { hidden_before = user32().ShowWindow(form2.hWnd(), SW_SHOWNORMAL); });
  EXPECT_EQ(hidden_before, 0);
  EXPECT_TRUE(form2.Visible());
  EXPECT_TRUE(run_until([&] { return viewable(form2); }));
  int32_t shown_before = -1;
  act([&] { shown_before = user32().ShowWindow(form2.hWnd(), SW_HIDE); });
  EXPECT_EQ(shown_before, 1);
  EXPECT_FALSE(form2.Visible());
  EXPECT_TRUE(run_until([&] { return !viewable(form2); }));
  EXPECT_EQ(user32().ShowWindow(0x7777, SW_SHOWNORMAL), 0) << "no such window";
}

TEST_F(X11DesktopWindows, StayOnTopGoesOnAndOffWithoutHidingOrRecreatingTheWindow) {
  Window& form2 = make_window("Form2", 7305, 3135);
  act([&] { form2.Show(); });
  ASSERT_TRUE(run_until([&] { return viewable(form2); }));
  WId id = native(form2).winId();
  for (int32_t band : {HWND_TOPMOST, HWND_NOTOPMOST, HWND_TOPMOST}) {
    EXPECT_EQ(user32().SetWindowPos(form2.hWnd(), band, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE), 1);
    EXPECT_EQ(desktop->topmost(form2.hWnd()), band == HWND_TOPMOST);
    if (window_manager_runs()) {
      EXPECT_TRUE(run_until([&] { return above(form2) == (band == HWND_TOPMOST); }, 3000));
    }
    EXPECT_TRUE(holds_at(form2, QRect(0, 0, 487, 209)));
    EXPECT_TRUE(viewable(form2));
    EXPECT_EQ(native(form2).winId(), id);
  }
  EXPECT_EQ(user32().SetWindowPos(0x7777, HWND_TOPMOST, 0, 0, 0, 0, 3), 0) << "no such window";
}

TEST_F(X11DesktopWindows, ATopmostWindowStaysInFrontOfAWindowShownAfterIt) {
  Window& form2 = make_window("Form2", 7305, 3135);
  Window& form1 = make_window("Form1", 10600, 5700);
  act([&] {
    user32().SetWindowPos(form2.hWnd(), HWND_TOPMOST, 0, 0, 0, 0, 3);
    form2.Show();
  });
  ASSERT_TRUE(run_until([&] { return viewable(form2); }));
  act([&] { form1.Show(); });
  ASSERT_TRUE(run_until([&] { return viewable(form1); }));
  EXPECT_TRUE(run_until([&] { return stacking_place(form2) > stacking_place(form1); }, 3000))
      << stacking_place(form2) << " " << stacking_place(form1);
}

TEST_F(X11DesktopWindows, ShowingAWindowLeavesTheFocusWhereItWas) {
  // The focus goes only where the model moves it: the tray icon or the
  // clipboard watcher bringing the window back must not take the keys from
  // the program the person types in.
  testing::TestEditor editor("котка house");
  ASSERT_TRUE(editor.focus());
  Window& form2 = make_window("Form2", 7305, 3135);
  act([&] { form2.Show(); });
  ASSERT_TRUE(run_until([&] { return viewable(form2); }));
  poll_until([] { return false; }, 200);
  EXPECT_FALSE(desktop->x11_windows().has_focus(native(form2)));
  QProcess focus;
  focus.start("xdotool", {"getwindowfocus"});
  focus.waitForFinished();
  EXPECT_EQ(focus.readAllStandardOutput().trimmed().toULong(), editor.window());
}

TEST_F(X11DesktopWindows, TheTitlesNameTheWindowsForOtherPrograms) {
  Window& form2 = make_window("Form2", 7305, 3135);
  act([&] { form2.Show(); });
  ASSERT_TRUE(run_until([&] { return viewable(form2); }));
  QProcess search;
  search.start("xdotool", {"search", "--name", "^Form2$"});
  search.waitForFinished();
  EXPECT_EQ(search.readAllStandardOutput().trimmed().toULongLong(), native(form2).winId());
}

}  // namespace
}  // namespace prevod
