#pragma once

// Reads the cursor position in screen pixels into CursorPoint and its
// 16-bit copies CursorX and CursorY.

#include <cstdint>

namespace prevod {

struct SharedState;
class User32;

void ReadCursor(SharedState& shared, User32& user32);
// A cursor coordinate in twips. The product is taken in 32 bits, so wide
// and multi-monitor desktops beyond 2184 pixels give the right value
// instead of overflowing.
int32_t cursor_twips(int16_t pixels);

}  // namespace prevod
