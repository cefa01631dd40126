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
  // 1.
  s.HookedWindowHandle = static_cast<int32_t>(hWnd());
  s.TrayIconId = static_cast<int32_t>(desktop.App_hInstance());
  // 2.
  s.TrayTipText = std::string(TrayTooltip) + '\0';
  // 3.
  Prevod& application = prevod();
  s.PreviousWindowProc = user32().SetWindowLongA(
      static_cast<uint32_t>(s.HookedWindowHandle), GWL_WNDPROC,
      [&application](uint32_t window, uint32_t message, int32_t wParam, int32_t lParam) {
        return TrayWindowProc(application, window, message, wParam, lParam);
      });
  // 4. hWnd, then cbSize, hIcon, szTip, uCallbackMessage, uID, uFlags.
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
  // 5.
  m_tray_icon_added = desktop.shell32().Shell_NotifyIconA(NIM_ADD, record) != 0;
  // 6.
  AnimateWindowToTray(user32(), static_cast<int32_t>(hWnd()));
  // 7.
  Hide();
}

}  // namespace prevod
