// The tray on the real desktop: the icon the program adds docks in a tray
// host with its tooltip, presses on it reach the hooked window procedure,
// a program without a tray host is told so, and a host that starts later
// still gets the icon.

#include <gtest/gtest.h>

#include <QProcess>
#include <QSystemTrayIcon>
#include <algorithm>
#include <string>
#include <vector>

#include "base/text.h"
#include "platform/qt/qt_desktop_fixture.h"
#include "platform/qt/qt_tray.h"
#include "platform/shell32.h"
#include "platform/user32.h"

namespace prevod {
namespace {

using testing::poll_until;
using testing::xdotool;

const char* const kTooltip = "Кликни с мишката, за да се отвори кестринката!";

struct Message {
  uint32_t hWnd;
  uint32_t message;
  int32_t wParam;
  int32_t lParam;
  bool operator==(const Message&) const = default;
};

class X11DesktopTray : public QtDesktopFixture {
 protected:
  // The translation window with its procedure hooked, as SetTray leaves it.
  void SetUp() override {
    form2 = &make_window("Form2", 7305, 3135);
    previous = desktop->user32().SetWindowLongA(
        form2->hWnd(), GWL_WNDPROC,
        [this](uint32_t hWnd, uint32_t message, int32_t wParam, int32_t lParam) {
          messages.push_back({hWnd, message, wParam, lParam});
          return desktop->user32().CallWindowProcA(previous, hWnd, message, wParam, lParam);
        });
  }
  NOTIFYICONDATA record() {
    NOTIFYICONDATA data;
    data.cbSize = 88;
    data.hWnd = form2->hWnd();
    data.uID = desktop->App_hInstance();
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = 1039;
    data.hIcon = desktop->window_icon(*form2);
    std::string tip = text::to_cp1251(kTooltip) + '\0';
    data.szTip.fill(' ');
    std::copy(tip.begin(), tip.end(), data.szTip.begin());
    return data;
  }
  int32_t notify(uint32_t message, const NOTIFYICONDATA& data) {
    int32_t result = -1;
    act([&] { result = desktop->shell32().Shell_NotifyIconA(message, data); });
    return result;
  }
  QSystemTrayIcon* icon() { return desktop->tray().icon(form2->hWnd(), desktop->App_hInstance()); }
  // The icon lies in the tray host's notification area.
  bool docked() {
    return run_until([&] {
      QRect area = desktop->x11_windows().tray_area();
      return icon() != nullptr && !area.isEmpty() && area.contains(icon()->geometry());
    });
  }
  // A press of a mouse button on the docked icon. A menu that an earlier
  // right click on the bare screen opened would take it: Escape closes one.
  bool press(const char* button) {
    xdotool({"key", "Escape"});
    QPoint centre = icon()->geometry().center();
    return xdotool(
        {"mousemove", QString::number(centre.x()), QString::number(centre.y()), "click", button});
  }
  bool received(int32_t mouse_message) {
    Message expected{form2->hWnd(), 1039, static_cast<int32_t>(desktop->App_hInstance()),
                     mouse_message};
    return run_until(
        [&] { return std::find(messages.begin(), messages.end(), expected) != messages.end(); });
  }
  bool host_runs() { return !desktop->x11_windows().tray_area().isEmpty(); }

  Window* form2 = nullptr;
  WindowProc previous;
  std::vector<Message> messages;
};

TEST_F(X11DesktopTray, WithATrayHostTheIconDocksWithItsTooltip) {
  if (!host_runs()) GTEST_SKIP() << "no tray host in this session";
  EXPECT_EQ(notify(NIM_ADD, record()), 1);
  ASSERT_TRUE(docked());
  EXPECT_EQ(icon()->toolTip().toStdString(), kTooltip);
  EXPECT_FALSE(icon()->icon().isNull());
}

TEST_F(X11DesktopTray, PressesOnTheIconReachTheHookedWindowProcedure) {
  if (!host_runs()) GTEST_SKIP() << "no tray host in this session";
  ASSERT_EQ(notify(NIM_ADD, record()), 1);
  ASSERT_TRUE(docked());
  ASSERT_TRUE(press("1"));
  EXPECT_TRUE(received(WM_LBUTTONDOWN));
  ASSERT_TRUE(press("3"));
  EXPECT_TRUE(received(WM_RBUTTONDOWN));
}

TEST_F(X11DesktopTray, TheIconGoesWithNimDelete) {
  if (!host_runs()) GTEST_SKIP() << "no tray host in this session";
  ASSERT_EQ(notify(NIM_ADD, record()), 1);
  ASSERT_TRUE(docked());
  EXPECT_EQ(notify(NIM_DELETE, record()), 1);
  EXPECT_EQ(icon(), nullptr);
  EXPECT_EQ(desktop->tray().icon_count(), 0u);
  EXPECT_EQ(notify(NIM_DELETE, record()), 0) << "nothing left to delete";
}

TEST_F(X11DesktopTray, RecordsTheShellWouldRefuseAreRefused) {
  NOTIFYICONDATA wrong_size = record();
  wrong_size.cbSize = 504;
  EXPECT_EQ(notify(NIM_ADD, wrong_size), 0);
  EXPECT_EQ(notify(NIM_MODIFY, record()), 0) << "no such icon yet";
  notify(NIM_ADD, record());
  EXPECT_EQ(notify(NIM_ADD, record()), 0) << "the same icon twice";
  EXPECT_EQ(desktop->tray().icon_count(), 1u);
}

TEST_F(X11DesktopTray, WithoutATrayHostAddingFailsAndAHostThatStartsLaterDocksTheIcon) {
  if (host_runs()) GTEST_SKIP() << "a tray host runs in this session";
  EXPECT_EQ(notify(NIM_ADD, record()), 0);
  QProcess trayer;
  trayer.start("trayer",
               {"--edge", "bottom", "--widthtype", "pixel", "--width", "200", "--height", "26"});
  ASSERT_TRUE(trayer.waitForStarted());
  EXPECT_TRUE(docked());
  ASSERT_TRUE(press("1"));
  EXPECT_TRUE(received(WM_LBUTTONDOWN));
  trayer.kill();
  trayer.waitForFinished();
}

TEST_F(X11DesktopTray, TheTaskbarIsFoundOnlyWhileATrayHostRuns) {
  User32& user32 = desktop->user32();
  uint32_t taskbar = user32.FindWindowA("Shell_TrayWnd", nullptr);
  std::string name;
  EXPECT_EQ(user32.GetClassNameA(form2->hWnd(), name, 255), 16);
  EXPECT_EQ(name, "ThunderRT6FormDC");
  if (!host_runs()) {
    EXPECT_EQ(taskbar, 0u);
    return;
  }
  ASSERT_NE(taskbar, 0u);
  uint32_t area = user32.GetWindow(taskbar, GW_CHILD);
  ASSERT_NE(area, 0u);
  EXPECT_EQ(user32.GetClassNameA(area, name, 255), 13);
  EXPECT_EQ(name, "TrayNotifyWnd");
  EXPECT_EQ(user32.GetWindow(area, GW_HWNDNEXT), 0u);
  RECT place;
  ASSERT_EQ(user32.GetWindowRect(area, place), 1);
  EXPECT_GT(place.Right, place.Left);
  EXPECT_GT(place.Bottom, place.Top);
  EXPECT_GE(place.Top, 0);
  EXPECT_LE(place.Bottom, 800) << "on the screen";
  RECT from;
  ASSERT_EQ(user32.GetWindowRect(form2->hWnd(), from), 1);
  EXPECT_EQ(user32.DrawAnimatedRects(form2->hWnd(), IDANI_CAPTION, from, place), 1);
}

TEST(OffscreenTray, TheTooltipIsTheRecordsAnsiTextUpToItsNul) {
  NOTIFYICONDATA data;
  std::string tip = text::to_cp1251(kTooltip) + '\0';
  data.szTip.fill(' ');
  std::copy(tip.begin(), tip.end(), data.szTip.begin());
  EXPECT_EQ(QtTray::tooltip_of(data), kTooltip);
  data.szTip.fill('\xE0');  // а, the whole field without a NUL
  EXPECT_EQ(QtTray::tooltip_of(data).size(), 64u * 2);
}

}  // namespace
}  // namespace prevod
