#pragma once

// A key as Qt delivers it (typed by a person, or sent through XTest by the
// program itself) turned into the model's key events (platform/keys.h), as
// Windows delivers them to a window:
//
// - A key press carries the virtual key of the key Qt names, with the
//   Shift and Ctrl state, and the first character it types. Letters and
//   digits carry both; Enter, Backspace, Tab, Escape, Delete and the
//   navigation keys carry the key alone. A key of another alphabet (a
//   Cyrillic letter) carries its character alone.
// - A Ctrl chord carries the key alone, never the control character Qt
//   adds, so that Ctrl+C is the copy chord in every layout (Qt names the
//   Latin letter of the key while Ctrl is held).
// - Shift+Tab, which Qt calls Backtab, is Tab with Shift.
// - Text of several characters (from an input method) gives one event per
//   character after the first; a character above U+FFFF stays one event,
//   since the edit controls split it into its two halves as the window
//   system does.
// - A release carries the key alone; a key without a virtual key and
//   without text gives nothing.

#include <cstdint>
#include <vector>

#include "platform/keys.h"

class QKeyEvent;

namespace prevod {

class KeyTranslator {
 public:
  static std::vector<KeyEvent> translate(const QKeyEvent& event);
  // The virtual key of a Qt key code; 0 when it has none.
  static uint8_t virtual_key(int qt_key);
};

}  // namespace prevod
