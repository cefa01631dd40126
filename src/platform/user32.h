#pragma once

// The window-system entry points the system calls, with their Win32 names,
// argument lists and constants, so that handler code reads like the
// documents it was written from. Each desktop backend implements them.

#include <cstdint>
#include <functional>
#include <string>

namespace prevod {

inline constexpr int32_t HWND_TOPMOST = -1;
inline constexpr int32_t HWND_NOTOPMOST = -2;
inline constexpr uint32_t SWP_NOSIZE = 1;
inline constexpr uint32_t SWP_NOMOVE = 2;
inline constexpr int32_t SW_HIDE = 0;
inline constexpr int32_t SW_SHOWNORMAL = 1;
inline constexpr int32_t GWL_WNDPROC = -4;
inline constexpr uint32_t GW_HWNDNEXT = 2;
inline constexpr uint32_t GW_CHILD = 5;
inline constexpr int32_t IDANI_CAPTION = 3;
inline constexpr uint32_t WM_USER = 0x400;
inline constexpr int32_t WM_MOUSEMOVE = 512;
inline constexpr int32_t WM_LBUTTONDOWN = 513;
inline constexpr int32_t WM_LBUTTONUP = 514;
inline constexpr int32_t WM_LBUTTONDBLCLK = 515;
inline constexpr int32_t WM_RBUTTONDOWN = 516;
inline constexpr int32_t WM_RBUTTONUP = 517;

struct POINTAPI {
  int32_t x = 0;
  int32_t y = 0;
};

struct RECT {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;
};

// A window procedure: (window, message, wParam, lParam) -> result.
using WindowProc = std::function<int32_t(uint32_t, uint32_t, int32_t, int32_t)>;

class User32 {
 public:
  virtual ~User32() = default;
  virtual void keybd_event(uint8_t bVk, uint8_t bScan, uint32_t dwFlags, uint32_t dwExtraInfo) = 0;
  virtual int32_t SetWindowPos(uint32_t hWnd, int32_t hWndInsertAfter, int32_t X, int32_t Y,
                               int32_t cx, int32_t cy, uint32_t wFlags) = 0;
  // Non-zero when the button is down now or was pressed since the previous
  // query of that button; 0 otherwise.
  virtual int16_t GetAsyncKeyState(int32_t vKey) = 0;
  virtual int32_t GetCursorPos(POINTAPI& lpPoint) = 0;
  virtual int32_t ShowWindow(uint32_t hWnd, int32_t nCmdShow) = 0;
  // Only GWL_WNDPROC is supported: installs the procedure and returns the
  // one it replaced.
  virtual WindowProc SetWindowLongA(uint32_t hWnd, int32_t nIndex, WindowProc dwNewLong) = 0;
  // Passes a message on to the procedure a window had before; 0 when it
  // had none. The same on every desktop.
  int32_t CallWindowProcA(const WindowProc& lpPrevWndFunc, uint32_t hWnd, uint32_t Msg,
                          int32_t wParam, int32_t lParam) {
    return lpPrevWndFunc ? lpPrevWndFunc(hWnd, Msg, wParam, lParam) : 0;
  }
  // 0 when there is no such window.
  virtual uint32_t FindWindowA(const std::string& lpClassName, const std::string* lpWindowName) = 0;
  virtual uint32_t GetWindow(uint32_t hWnd, uint32_t wCmd) = 0;
  // Writes at most nMaxCount - 1 characters of the class name into
  // lpClassName and returns their number; 0 for an unknown window.
  virtual int32_t GetClassNameA(uint32_t hWnd, std::string& lpClassName, int32_t nMaxCount) = 0;
  virtual int32_t GetWindowRect(uint32_t hWnd, RECT& lpRect) = 0;
  virtual int32_t DrawAnimatedRects(uint32_t hWnd, int32_t idAni, const RECT& lprcFrom,
                                    const RECT& lprcTo) = 0;
};

}  // namespace prevod
