#pragma once

// The Win32 entry points on the simulated desktop.

#include "platform/user32.h"

namespace prevod {

class SimDesktop;

class SimUser32 : public User32 {
 public:
  explicit SimUser32(SimDesktop& desktop) : m_desktop(desktop) {}
  void keybd_event(uint8_t bVk, uint8_t bScan, uint32_t dwFlags, uint32_t dwExtraInfo) override;
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
  SimDesktop& m_desktop;
};

}  // namespace prevod
