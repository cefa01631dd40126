#include "platform/qt/x11_windows.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QProcess>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>
#include <memory>

#include "platform/keys.h"
#include "platform/qt/x11_session.h"
#include "platform/qt/xtest_keyboard.h"

namespace prevod {
namespace {

using testing::poll_until;
using testing::TestEditor;
using testing::window_manager_runs;

// A borderless tool window like the program's, with a line edit to type
// into.
struct ToolWindow {
  explicit ToolWindow(const QRect& geometry) {
    widget.setWindowFlags(Qt::FramelessWindowHint | Qt::Tool);
    auto* layout = new QVBoxLayout(&widget);
    edit = new QLineEdit;
    layout->addWidget(edit);
    widget.setGeometry(geometry);
    widget.show();
  }
  QWindow& window() { return *widget.windowHandle(); }

  QWidget widget;
  QLineEdit* edit;
};

class X11WindowsTest : public ::testing::Test {
 protected:
  // The server has the window at `geometry` and keeps it there a while.
  ::testing::AssertionResult holds_at(QWindow& window, const QRect& geometry) {
    if (!poll_until([&] { return windows.server_geometry(window) == geometry; }, 3000)) {
      return ::testing::AssertionFailure() << "the window is at " << describe(window);
    }
    // A window manager that moves windows back does so within a moment.
    poll_until([] { return false; }, 150);
    if (windows.server_geometry(window) != geometry) {
      return ::testing::AssertionFailure() << "the window moved to " << describe(window);
    }
    return ::testing::AssertionSuccess();
  }
  std::string describe(QWindow& window) {
    QRect at = windows.server_geometry(window);
    return std::to_string(at.x()) + "," + std::to_string(at.y()) + " " +
           std::to_string(at.width()) + "x" + std::to_string(at.height());
  }
  // Whether the window manager comes to keep the window in the stay-on-top
  // band or out of it, as `wanted` says. The state is polled for the wanted
  // value: the manager may still show the old one for a moment.
  bool in_band(QWindow& window, bool wanted) {
    return poll_until(
        [&] {
          QProcess xprop;
          xprop.start("xprop", {"-id", QString::number(window.winId()), "_NET_WM_STATE"});
          xprop.waitForFinished();
          return xprop.readAllStandardOutput().contains("_NET_WM_STATE_ABOVE") == wanted;
        },
        3000);
  }
  bool shown(QWindow& window) {
    return poll_until([&] { return windows.viewable(window); }, 3000);
  }

  X11Windows windows;
};

using X11WindowPlacement = X11WindowsTest;
using X11WindowFocus = X11WindowsTest;

TEST_F(X11WindowPlacement, TheSessionHasTheWindowManagerItWasStartedWith) {
  EXPECT_EQ(windows.window_manager_runs(), window_manager_runs());
}

TEST_F(X11WindowPlacement, AWindowParkedOffTheLeftEdgeStaysExactlyThere) {
  ToolWindow form1(QRect(100, 100, 707, 380));
  ASSERT_TRUE(shown(form1.window()));
  windows.place(form1.window(), QRect(-707, 0, 707, 380));
  EXPECT_TRUE(holds_at(form1.window(), QRect(-707, 0, 707, 380)));
  EXPECT_TRUE(shown(form1.window()));
  EXPECT_EQ(windows.parked(form1.window()), window_manager_runs());
}

TEST_F(X11WindowPlacement, AWindowParkedBeforeItIsShownAppearsWhereItWasParked) {
  QWidget widget;
  widget.setWindowFlags(Qt::FramelessWindowHint | Qt::Tool);
  widget.resize(707, 380);
  widget.winId();
  windows.place(*widget.windowHandle(), QRect(-707, 0, 707, 380));
  widget.show();
  ASSERT_TRUE(shown(*widget.windowHandle()));
  EXPECT_TRUE(holds_at(*widget.windowHandle(), QRect(-707, 0, 707, 380)));
}

TEST_F(X11WindowPlacement, AParkedWindowBroughtBackLandsExactlyAndIsManagedAgain) {
  ToolWindow form1(QRect(100, 100, 707, 380));
  ASSERT_TRUE(shown(form1.window()));
  windows.set_topmost(form1.window(), true);
  windows.place(form1.window(), QRect(-707, 0, 707, 380));
  ASSERT_TRUE(holds_at(form1.window(), QRect(-707, 0, 707, 380)));
  windows.place(form1.window(), QRect(300, 200, 707, 380));
  EXPECT_TRUE(holds_at(form1.window(), QRect(300, 200, 707, 380)));
  EXPECT_TRUE(shown(form1.window()));
  EXPECT_FALSE(windows.parked(form1.window()));
  EXPECT_FALSE(form1.window().flags() & Qt::X11BypassWindowManagerHint);
  if (window_manager_runs()) {
    EXPECT_TRUE(in_band(form1.window(), true));
  }
}

TEST_F(X11WindowPlacement, EveryMoveLandsEvenWhereQtBelievesTheWindowAlreadyIs) {
  ToolWindow form2(QRect(100, 100, 487, 300));
  ASSERT_TRUE(shown(form2.window()));
  for (QRect to : {QRect(0, 0, 487, 300), QRect(100, 100, 487, 300), QRect(0, 0, 487, 300),
                   QRect(640, 400, 487, 300), QRect(-200, 50, 487, 300)}) {
    windows.place(form2.window(), to);
    EXPECT_TRUE(holds_at(form2.window(), to)) << to.x() << "," << to.y();
  }
}

TEST_F(X11WindowPlacement, StayOnTopChangesInPlaceWithoutHidingTheWindow) {
  ToolWindow form2(QRect(100, 100, 487, 300));
  ASSERT_TRUE(shown(form2.window()));
  for (bool topmost : {true, false, true}) {
    windows.set_topmost(form2.window(), topmost);
    if (window_manager_runs()) {
      EXPECT_TRUE(in_band(form2.window(), topmost)) << topmost;
    }
    EXPECT_TRUE(holds_at(form2.window(), QRect(100, 100, 487, 300)));
    EXPECT_TRUE(windows.viewable(form2.window()));
    EXPECT_TRUE(form2.widget.isVisible());
  }
}

TEST_F(X11WindowFocus, FocusMovesToOurWindowFromAnotherProgramThatTookItLast) {
  // Qt's own activation carries the time of the last event Qt saw, and the
  // server ignores it once another program has taken the focus since.
  ToolWindow form2(QRect(100, 100, 487, 300));
  ASSERT_TRUE(shown(form2.window()));
  TestEditor editor("котка");
  ASSERT_TRUE(editor.focus());
  ASSERT_TRUE(poll_until([&] { return !form2.window().isActive(); }));
  ASSERT_TRUE(windows.focus(form2.window()));
  EXPECT_TRUE(poll_until([&] { return form2.window().isActive(); }));
}

TEST_F(X11WindowFocus, AParkedWindowTakesTheFocusAndItsKeys) {
  TestEditor editor("котка");
  ASSERT_TRUE(editor.focus());
  ToolWindow form1(QRect(100, 100, 707, 380));
  ASSERT_TRUE(shown(form1.window()));
  windows.place(form1.window(), QRect(-707, 0, 707, 380));
  form1.edit->setFocus();
  ASSERT_TRUE(windows.focus(form1.window()));
  ASSERT_TRUE(poll_until([&] { return form1.window().isActive(); }));
  Trace trace;
  XTestKeyboard keyboard(trace);
  keyboard.send(vk::A, true);
  keyboard.send(vk::A, false);
  keyboard.flush();
  EXPECT_TRUE(poll_until([&] { return form1.edit->text() == "a"; }));
}

TEST_F(X11WindowFocus, AWindowThatIsNotShownCannotTakeTheFocus) {
  QWidget hidden;
  hidden.winId();
  EXPECT_FALSE(windows.focus(*hidden.windowHandle()));
}

}  // namespace
}  // namespace prevod
