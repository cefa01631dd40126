#pragma once

// The process-wide variables the windows and modules share. Each is written
// and read only on the window thread; all start at zero, the empty string or
// the empty value, and nothing is saved between runs. Integer variables are
// 16-bit signed, Long 32-bit, Single float.

#include <array>
#include <cstdint>
#include <string>

#include "base/variant.h"
#include "platform/shell32.h"
#include "platform/user32.h"

namespace prevod {

struct SharedState {
  std::string SavedClipboardText;
  float SavedForm1Width = 0;
  float SavedBrowserLeft = 0;
  float SavedForm2Width = 0;
  int16_t SavedCheck1Value = 0;
  int32_t DragOffsetX = 0;
  int32_t DragOffsetY = 0;
  int32_t Form1Handle = 0;
  int16_t SpeechSettingsOpen = 0;
  int32_t Form2Handle = 0;
  // Element 0: the compact height of Form2; element 1: Form1's height at start.
  std::array<Variant, 2> FormHeights;
  int16_t Form1Collapsed = 0;
  int16_t VoiceReaderReady = 0;
  int16_t EnglishVoiceActive = 0;
  int16_t CursorX = 0;
  int16_t CursorY = 0;
  POINTAPI CursorPoint;
  // The result of the latest Cyrillic check.
  Variant CyrillicScore;

  // The window hook and the tray icon record.
  WindowProc PreviousWindowProc;
  int32_t TrayIconId = 0;
  int32_t HookedWindowHandle = 0;
  NOTIFYICONDATA TrayIconRecord;
  std::string TrayTipText;
};

}  // namespace prevod
