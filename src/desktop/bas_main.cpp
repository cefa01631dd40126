#include "desktop/bas_main.h"

#include "app/prevod.h"
#include "desktop/klik.h"
#include "model/runtime.h"
#include "platform/desktop.h"
#include "platform/keys.h"
#include "platform/shell32.h"
#include "platform/user32.h"
#include "translation/form2.h"
#include "voicereader/form1.h"

namespace prevod {

void PickListFromBottom(User32& user32) {
  for (int i = 0; i < 5; ++i) {
    KeyDown(user32, vk::PRIOR);
    KeyUp(user32, vk::PRIOR);
  }
  for (int i = 0; i < 5; ++i) {
    KeyDown(user32, vk::NEXT);
    KeyUp(user32, vk::NEXT);
  }
  for (int i = 0; i < 4; ++i) PressUp(user32);
}

int32_t TrayWindowProc(Prevod& app, uint32_t hWnd, uint32_t uMsg, int32_t wParam, int32_t lParam) {
  SharedState& shared = app.shared();
  if (wParam == shared.TrayIconId) {
    if (lParam == WM_LBUTTONDOWN) {
      Form2& form2 = app.Form2();
      form2.Show();
      app.Form1().set_Left(form2.Left());
      app.Form1().set_Top(form2.Top());
    } else if (lParam == WM_RBUTTONDOWN) {
      app.Form2().Show();
    }
  }
  return app.runtime().desktop.user32().CallWindowProcA(shared.PreviousWindowProc, hWnd, uMsg,
                                                        wParam, lParam);
}

void AnimateWindowToTray(User32& user32, int32_t hWnd) {
  uint32_t taskbar = user32.FindWindowA("Shell_TrayWnd", nullptr);
  uint32_t child = taskbar == 0 ? 0 : user32.GetWindow(taskbar, GW_CHILD);
  while (child != 0) {
    std::string class_name;
    user32.GetClassNameA(child, class_name, 255);
    if (class_name.find("TrayNotifyWnd") != std::string::npos) break;
    child = user32.GetWindow(child, GW_HWNDNEXT);
  }
  // The sibling chain ended without a notification area: no animation.
  if (child == 0) return;
  RECT from;
  RECT to;
  user32.GetWindowRect(static_cast<uint32_t>(hWnd), from);
  user32.GetWindowRect(child, to);
  user32.DrawAnimatedRects(static_cast<uint32_t>(hWnd), IDANI_CAPTION, from, to);
}

void RemoveTrayIcon(Prevod& app) {
  app.runtime().desktop.shell32().Shell_NotifyIconA(NIM_DELETE, app.shared().TrayIconRecord);
}

}  // namespace prevod
