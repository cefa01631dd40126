#pragma once

// Synthetic keyboard and z-order: the key primitives, the chords and the
// list macro, and the switches in and out of the topmost band. Every key
// event goes out through keybd_event with scan code 0, flags 1 for a press
// and 3 for a release (the extended-key flag on every key), and extra
// information 0. The events take effect after the sending handler returns.

#include <cstdint>

namespace prevod {

class User32;

void KeyDown(User32& user32, int32_t code);
void KeyUp(User32& user32, int32_t code);
void MakeTopmost(User32& user32, int32_t& hWnd);
void MakeNotTopmost(User32& user32, int32_t& hWnd);

void PressTab(User32& user32);
void PressShiftTab(User32& user32);
void PressEnter(User32& user32);
void PressCtrlC(User32& user32);
void PressCtrlV(User32& user32);
void PressCtrlA(User32& user32);
void PressDelete(User32& user32);
void PressDown(User32& user32);
void PressUp(User32& user32);
// Page Up five times, then Down five times.
void PickListFromTop(User32& user32);

}  // namespace prevod
