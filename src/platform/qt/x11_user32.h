#pragma once

// The Win32 entry points on the real X11 desktop. Keys go into the
// desktop's input queue (sent through XTest by the input pump); the mouse
// buttons and the pointer come from XInput 2 (GlobalButtons); stacking,
// showing and window procedures act on the desktop's windows, found by
// their handles. The taskbar the tray animation looks for is the tray host:
// FindWindowA("Shell_TrayWnd") finds it while one runs (its only child is
// the notification area, class "TrayNotifyWnd", at the tray host's place
// on the screen) and finds nothing otherwise.

#include "platform/user32.h"

namespace prevod {

class QtDesktop;
class GlobalButtons;
class X11Windows;

class X11User32 : public User32 {
 public:
  // The taskbar and its notification area, as handles of another program.
  static constexpr uint32_t TaskbarHandle = 0x00020001;
  static constexpr uint32_t TrayNotifyHandle = 0x00020003;

  X11User32(QtDesktop& desktop, GlobalButtons& buttons, X11Windows& windows);

  void keybd_event(uint8_t bVk, uint8_t bScan, uint32_t dwFlags, uint32_t dwExtraInfo) override;
  // Only the stacking band changes (topmost or not): the model places and
  // sizes its windows itself.
  int32_t SetWindowPos(uint32_t hWnd, int32_t hWndInsertAfter, int32_t X, int32_t Y, int32_t cx,
                       int32_t cy, uint32_t wFlags) override;
  int16_t GetAsyncKeyState(int32_t vKey) override;
  int32_t GetCursorPos(POINTAPI& lpPoint) override;
  int32_t ShowWindow(uint32_t hWnd, int32_t nCmdShow) override;
  WindowProc SetWindowLongA(uint32_t hWnd, int32_t nIndex, WindowProc dwNewLong) override;
  uint32_t FindWindowA(const std::string& lpClassName, const std::string* lpWindowName) override;
  uint32_t GetWindow(uint32_t hWnd, uint32_t wCmd) override;
  int32_t GetClassNameA(uint32_t hWnd, std::string& lpClassName, int32_t nMaxCount) override;
  int32_t GetWindowRect(uint32_t hWnd, RECT& lpRect) override;
  int32_t DrawAnimatedRects(uint32_t hWnd, int32_t idAni, const RECT& lprcFrom,
                            const RECT& lprcTo) override;

 private:
  bool tray_host_runs() const;
  std::string class_name(uint32_t hWnd) const;

  QtDesktop& m_desktop;
  GlobalButtons& m_buttons;
  X11Windows& m_windows;
};

}  // namespace prevod
