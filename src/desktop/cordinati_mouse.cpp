#include "desktop/cordinati_mouse.h"

#include <cstdint>

#include "app/shared_state.h"
#include "platform/screen.h"
#include "platform/user32.h"

namespace prevod {

void ReadCursor(SharedState& shared, User32& user32) {
  user32.GetCursorPos(shared.CursorPoint);
  shared.CursorX = static_cast<int16_t>(shared.CursorPoint.x);
  shared.CursorY = static_cast<int16_t>(shared.CursorPoint.y);
}

int32_t cursor_twips(int16_t pixels) {
  return static_cast<int32_t>(pixels) * TwipsPerPixel;
}

}  // namespace prevod
