#include "desktop/klik.h"

#include "platform/keys.h"
#include "platform/user32.h"

namespace prevod {

void KeyDown(User32& user32, int32_t code) {
  user32.keybd_event(static_cast<uint8_t>(code), 0, KEYEVENTF_EXTENDEDKEY, 0);
}

void KeyUp(User32& user32, int32_t code) {
  user32.keybd_event(static_cast<uint8_t>(code), 0, KEYEVENTF_EXTENDEDKEY | KEYEVENTF_KEYUP, 0);
}

void MakeTopmost(User32& user32, int32_t& hWnd) {
  user32.SetWindowPos(static_cast<uint32_t>(hWnd), HWND_TOPMOST, 0, 0, 0, 0,
                      SWP_NOSIZE + SWP_NOMOVE);
}

void MakeNotTopmost(User32& user32, int32_t& hWnd) {
  user32.SetWindowPos(static_cast<uint32_t>(hWnd), HWND_NOTOPMOST, 0, 0, 0, 0,
                      SWP_NOSIZE + SWP_NOMOVE);
}

namespace {

void press(User32& user32, int32_t code) {
  KeyDown(user32, code);
  KeyUp(user32, code);
}

void chord(User32& user32, int32_t modifier, int32_t code) {
  KeyDown(user32, modifier);
  KeyDown(user32, code);
  KeyUp(user32, code);
  KeyUp(user32, modifier);
}

}  // namespace

void PressTab(User32& user32) {
  press(user32, vk::TAB);
}
void PressShiftTab(User32& user32) {
  chord(user32, vk::SHIFT, vk::TAB);
}
void PressEnter(User32& user32) {
  press(user32, vk::RETURN);
}
void PressCtrlC(User32& user32) {
  chord(user32, vk::CONTROL, vk::C);
}
void PressCtrlV(User32& user32) {
  chord(user32, vk::CONTROL, vk::V);
}
void PressCtrlA(User32& user32) {
  chord(user32, vk::CONTROL, vk::A);
}
void PressDelete(User32& user32) {
  press(user32, vk::DELETE_);
}
void PressDown(User32& user32) {
  press(user32, vk::DOWN);
}
void PressUp(User32& user32) {
  press(user32, vk::UP);
}

void PickListFromTop(User32& user32) {
  for (int i = 0; i < 5; ++i) press(user32, vk::PRIOR);
  for (int i = 0; i < 5; ++i) PressDown(user32);
}

}  // namespace prevod
