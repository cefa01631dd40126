#include "platform/qt/x11_user32.h"

#include "platform/keys.h"
#include "platform/qt/caption_animation.h"
#include "platform/qt/global_buttons.h"
#include "platform/qt/qt_desktop.h"
#include "platform/qt/x11_windows.h"

namespace prevod {

X11User32::X11User32(QtDesktop& desktop, GlobalButtons& buttons, X11Windows& windows)
    : m_desktop(desktop), m_buttons(buttons), m_windows(windows) {}

void X11User32::keybd_event(uint8_t bVk, uint8_t, uint32_t dwFlags, uint32_t) {
  m_desktop.queue_key(bVk, (dwFlags & KEYEVENTF_KEYUP) == 0);
}

int32_t X11User32::SetWindowPos(uint32_t hWnd, int32_t hWndInsertAfter, int32_t, int32_t, int32_t,
                                int32_t, uint32_t) {
  return m_desktop.set_window_pos(hWnd, hWndInsertAfter);
}

int16_t X11User32::GetAsyncKeyState(int32_t vKey) {
  return m_buttons.async_key_state(vKey);
}

int32_t X11User32::GetCursorPos(POINTAPI& lpPoint) {
  int32_t x = 0;
  int32_t y = 0;
  if (!m_buttons.cursor_pos(x, y)) return 0;
  lpPoint = {x, y};
  return 1;
}

int32_t X11User32::ShowWindow(uint32_t hWnd, int32_t nCmdShow) {
  return m_desktop.show_window(hWnd, nCmdShow);
}

WindowProc X11User32::SetWindowLongA(uint32_t hWnd, int32_t nIndex, WindowProc dwNewLong) {
  if (nIndex != GWL_WNDPROC) return nullptr;
  return m_desktop.set_window_proc(hWnd, std::move(dwNewLong));
}

bool X11User32::tray_host_runs() const {
  return !m_windows.tray_area().isEmpty();
}

uint32_t X11User32::FindWindowA(const std::string& lpClassName, const std::string*) {
  if (lpClassName == "Shell_TrayWnd" && tray_host_runs()) return TaskbarHandle;
  return 0;
}

uint32_t X11User32::GetWindow(uint32_t hWnd, uint32_t wCmd) {
  if (hWnd == TaskbarHandle && wCmd == GW_CHILD && tray_host_runs()) return TrayNotifyHandle;
  return 0;
}

std::string X11User32::class_name(uint32_t hWnd) const {
  switch (hWnd) {
    case TaskbarHandle:
      return tray_host_runs() ? "Shell_TrayWnd" : "";
    case TrayNotifyHandle:
      return tray_host_runs() ? "TrayNotifyWnd" : "";
    default:
      return m_desktop.window_of(hWnd) != nullptr ? "ThunderRT6FormDC" : "";
  }
}

int32_t X11User32::GetClassNameA(uint32_t hWnd, std::string& lpClassName, int32_t nMaxCount) {
  if (nMaxCount <= 0) return 0;
  std::string name = class_name(hWnd);
  if (static_cast<int32_t>(name.size()) > nMaxCount - 1)
    name.resize(static_cast<size_t>(nMaxCount - 1));
  lpClassName = name;
  return static_cast<int32_t>(name.size());
}

int32_t X11User32::GetWindowRect(uint32_t hWnd, RECT& lpRect) {
  if (hWnd == TaskbarHandle || hWnd == TrayNotifyHandle) {
    QRect area = m_windows.tray_area();
    if (area.isEmpty()) return 0;
    lpRect = {area.left(), area.top(), area.left() + area.width(), area.top() + area.height()};
    return 1;
  }
  return m_desktop.window_rect(hWnd, lpRect) ? 1 : 0;
}

int32_t X11User32::DrawAnimatedRects(uint32_t, int32_t idAni, const RECT& lprcFrom,
                                     const RECT& lprcTo) {
  if (idAni != IDANI_CAPTION) return 0;
  auto rect = [](const RECT& r) {
    return QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
  };
  CaptionAnimation::play(rect(lprcFrom), rect(lprcTo));
  return 1;
}

}  // namespace prevod
