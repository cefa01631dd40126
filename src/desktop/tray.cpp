// The tray icon of the translation window: SetTray hooks the window
// procedure, adds the icon with its tooltip, animates the window towards the
// notification area and hides it.

#include <algorithm>

#include "app/prevod.h"
#include "app/shared_state.h"
#include "base/text.h"
#include "desktop/bas_main.h"
#include "model/runtime.h"
#include "model/window_system.h"
#include "platform/desktop.h"
#include "platform/shell32.h"
#include "platform/user32.h"
#include "translation/form2.h"

namespace prevod {

namespace {

constexpr uint32_t TrayCallbackMessage = WM_USER + 15;  // 1039
const char* const TrayTooltip = "Кликни с мишката, за да се отвори кестринката!";

}  // namespace

void Form2::SetTray() {
  SharedState& s = shared();
  Desktop& desktop = runtime().desktop;
  // The shell knows the icon by this window and identifier; the window
  // procedure below tells the icon's clicks from other messages by the
  // identifier alone, and RemoveTrayIcon names the icon by both.
  s.HookedWindowHandle = static_cast<int32_t>(hWnd());
  s.TrayIconId = static_cast<int32_t>(desktop.App_hInstance());
  // The shell shows the tooltip up to the NUL; the spaces that fill the
  // rest of its field stay unseen.
  s.TrayTipText = std::string(TrayTooltip) + '\0';
  // From here on every message of this window passes through
  // TrayWindowProc, which answers a click on the icon and hands each message
  // on to the procedure it replaced.
  Prevod& application = prevod();
  s.PreviousWindowProc = user32().SetWindowLongA(
      static_cast<uint32_t>(s.HookedWindowHandle), GWL_WNDPROC,
      [&application](uint32_t window, uint32_t message, int32_t wParam, int32_t lParam) {
        return TrayWindowProc(application, window, message, wParam, lParam);
      });
  // The record crosses to the shell in its first, 88-byte ANSI form: the
  // tooltip is converted to the ANSI code page, and the icon's clicks come
  // back to this window as the callback message with the icon's identifier.
  NOTIFYICONDATA& record = s.TrayIconRecord;
  record.hWnd = static_cast<uint32_t>(s.HookedWindowHandle);
  record.cbSize = 88;
  record.hIcon = runtime().windows.window_icon(*this);
  std::string tip = text::to_cp1251(s.TrayTipText);
  record.szTip.fill(' ');
  std::copy_n(tip.begin(), std::min(tip.size(), record.szTip.size()), record.szTip.begin());
  record.uCallbackMessage = TrayCallbackMessage;
  record.uID = static_cast<uint32_t>(s.TrayIconId);
  record.uFlags = NIF_MESSAGE + NIF_ICON + NIF_TIP;
  // The result is kept because only the icon brings hidden windows back:
  // without it the hide buttons leave the windows where they are.
  m_tray_icon_added = desktop.shell32().Shell_NotifyIconA(NIM_ADD, record) != 0;
  // The animation shows the user where the window went.
  AnimateWindowToTray(user32(), static_cast<int32_t>(hWnd()));
  // Timer6 shows the window again a second later, behind its start-up cover.
  Hide();
}

}  // namespace prevod
