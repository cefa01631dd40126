#pragma once

// The notification-area entry point and its record, in the first, 88-byte
// form of NOTIFYICONDATA as the ANSI entry point takes it.

#include <array>
#include <cstdint>

namespace prevod {

inline constexpr uint32_t NIM_ADD = 0;
inline constexpr uint32_t NIM_MODIFY = 1;
inline constexpr uint32_t NIM_DELETE = 2;
inline constexpr uint32_t NIF_MESSAGE = 1;
inline constexpr uint32_t NIF_ICON = 2;
inline constexpr uint32_t NIF_TIP = 4;

struct NOTIFYICONDATA {
  uint32_t cbSize = 0;
  uint32_t hWnd = 0;
  uint32_t uID = 0;
  uint32_t uFlags = 0;
  uint32_t uCallbackMessage = 0;
  uint32_t hIcon = 0;
  std::array<char, 64> szTip{};  // ANSI code page bytes

  // The record as the shell reads it: little-endian fields, then szTip.
  std::array<uint8_t, 88> bytes() const;
};

class Shell32 {
 public:
  virtual ~Shell32() = default;
  // Returns non-zero on success.
  virtual int32_t Shell_NotifyIconA(uint32_t dwMessage, const NOTIFYICONDATA& lpData) = 0;
};

}  // namespace prevod
