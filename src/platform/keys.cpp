#include "platform/keys.h"

#include <strings.h>

#include <array>
#include <utility>

namespace prevod {

namespace {

constexpr std::array<std::pair<uint8_t, const char*>, 21> kNames{{
    {vk::LBUTTON, "LButton"},
    {vk::RBUTTON, "RButton"},
    {vk::BACK, "Backspace"},
    {vk::TAB, "Tab"},
    {vk::RETURN, "Enter"},
    {vk::SHIFT, "Shift"},
    {vk::CONTROL, "Ctrl"},
    {vk::ESCAPE, "Escape"},
    {vk::SPACE, "Space"},
    {vk::PRIOR, "PageUp"},
    {vk::NEXT, "PageDown"},
    {vk::END, "End"},
    {vk::HOME, "Home"},
    {vk::LEFT, "Left"},
    {vk::UP, "Up"},
    {vk::RIGHT, "Right"},
    {vk::DOWN, "Down"},
    {vk::DELETE_, "Delete"},
    {vk::A, "A"},
    {vk::C, "C"},
    {vk::V, "V"},
}};

}  // namespace

const char* key_name(uint8_t code) {
  for (const auto& [c, name] : kNames) {
    if (c == code) return name;
  }
  return "?";
}

uint8_t key_code(const char* name) {
  for (const auto& [c, n] : kNames) {
    if (strcasecmp(n, name) == 0) return c;
  }
  if (name[0] != 0 && name[1] == 0) {
    char ch = name[0];
    if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
    if ((ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9')) return static_cast<uint8_t>(ch);
  }
  return 0;
}

}  // namespace prevod
