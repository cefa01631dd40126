#include "platform/sim/sim_user32.h"

#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_screen.h"

namespace prevod {

float SimScreen::Width() const {
  return static_cast<float>(m_desktop.screen_width_px() * TwipsPerPixel);
}
float SimScreen::Height() const {
  return static_cast<float>(m_desktop.screen_height_px() * TwipsPerPixel);
}

void SimUser32::keybd_event(uint8_t bVk, uint8_t bScan, uint32_t dwFlags, uint32_t dwExtraInfo) {
  m_desktop.queue_key({bVk, bScan, dwFlags, dwExtraInfo});
}

int32_t SimUser32::SetWindowPos(uint32_t hWnd, int32_t hWndInsertAfter, int32_t, int32_t, int32_t,
                                int32_t, uint32_t) {
  return m_desktop.set_window_pos(hWnd, hWndInsertAfter);
}

int16_t SimUser32::GetAsyncKeyState(int32_t vKey) {
  return m_desktop.async_key_state(vKey);
}

int32_t SimUser32::GetCursorPos(POINTAPI& lpPoint) {
  lpPoint = m_desktop.cursor();
  return 1;
}

int32_t SimUser32::ShowWindow(uint32_t hWnd, int32_t nCmdShow) {
  return m_desktop.show_window(hWnd, nCmdShow);
}

WindowProc SimUser32::SetWindowLongA(uint32_t hWnd, int32_t nIndex, WindowProc dwNewLong) {
  if (nIndex != GWL_WNDPROC) return nullptr;
  return m_desktop.set_window_proc(hWnd, std::move(dwNewLong));
}

uint32_t SimUser32::FindWindowA(const std::string& lpClassName, const std::string*) {
  return m_desktop.find_window(lpClassName);
}

uint32_t SimUser32::GetWindow(uint32_t hWnd, uint32_t wCmd) {
  return m_desktop.get_window(hWnd, wCmd);
}

int32_t SimUser32::GetClassNameA(uint32_t hWnd, std::string& lpClassName, int32_t nMaxCount) {
  std::string name = m_desktop.class_name(hWnd);
  if (nMaxCount <= 0) return 0;
  if (static_cast<int32_t>(name.size()) > nMaxCount - 1)
    name.resize(static_cast<size_t>(nMaxCount - 1));
  lpClassName = name;
  return static_cast<int32_t>(name.size());
}

int32_t SimUser32::GetWindowRect(uint32_t hWnd, RECT& lpRect) {
  return m_desktop.window_rect(hWnd, lpRect) ? 1 : 0;
}

int32_t SimUser32::DrawAnimatedRects(uint32_t hWnd, int32_t idAni, const RECT& lprcFrom,
                                     const RECT& lprcTo) {
  m_desktop.record_animation({hWnd, idAni, lprcFrom, lprcTo});
  return 1;
}

}  // namespace prevod
