#pragma once

// Virtual-key codes and the key events that travel through the input queue.

#include <cstdint>

namespace prevod {

namespace vk {
inline constexpr uint8_t LBUTTON = 1;
inline constexpr uint8_t RBUTTON = 2;
inline constexpr uint8_t BACK = 8;
inline constexpr uint8_t TAB = 9;
inline constexpr uint8_t RETURN = 13;
inline constexpr uint8_t SHIFT = 16;
inline constexpr uint8_t CONTROL = 17;
inline constexpr uint8_t ESCAPE = 27;
inline constexpr uint8_t SPACE = 32;
inline constexpr uint8_t PRIOR = 33;  // Page Up
inline constexpr uint8_t NEXT = 34;   // Page Down
inline constexpr uint8_t END = 35;
inline constexpr uint8_t HOME = 36;
inline constexpr uint8_t LEFT = 37;
inline constexpr uint8_t UP = 38;
inline constexpr uint8_t RIGHT = 39;
inline constexpr uint8_t DOWN = 40;
inline constexpr uint8_t DELETE_ = 46;
inline constexpr uint8_t A = 65;
inline constexpr uint8_t C = 67;
inline constexpr uint8_t V = 86;
}  // namespace vk

// keybd_event flags.
inline constexpr uint32_t KEYEVENTF_EXTENDEDKEY = 1;
inline constexpr uint32_t KEYEVENTF_KEYUP = 2;

// One key going down or up, with the modifier state at that moment. A typed
// character (from the console's `type`) travels as `character` with code 0.
struct KeyEvent {
  uint8_t code = 0;
  bool down = true;
  bool shift = false;
  bool ctrl = false;
  char32_t character = 0;
};

// The name of a virtual key for traces and the console ("Tab", "PageUp").
const char* key_name(uint8_t code);
// The code of a key name, case-insensitive; 0 when unknown.
uint8_t key_code(const char* name);

}  // namespace prevod
