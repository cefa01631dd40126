// The reading interval box of the speech settings panel. Text6 takes
// digits only: a key that is no digit is refused, and any other text that
// reaches the box (pasted, or written by code) gives way to the last whole
// number it held. An emptied box, as while the user retypes the value,
// keeps that last number in force. ReadingInterval is what the translation
// window's two-language reading waits by, and a number the scroll bar can
// show moves the bar with it.

#include <string>

#include "base/text.h"
#include "voicereader/form1.h"

namespace prevod {

namespace {

bool whole_number(const std::string& typed, double& value) {
  if (typed.empty()) return false;
  for (char c : typed) {
    if (c < '0' || c > '9') return false;
  }
  // Thousands of digits do not make a finite number.
  return text::parse_number(typed, value);
}

bool digit_or_control(int16_t KeyAscii) {
  const uint16_t code = static_cast<uint16_t>(KeyAscii);
  return code < 32 || (code >= '0' && code <= '9');
}

}  // namespace

void Form1::wire_reading_interval() {
  Text6.on_key_press = [this](int16_t& KeyAscii) { Text6_KeyPress(KeyAscii); };
  Text6.on_change = [this] { Text6_Change(); };
  m_reading_interval_text = Text6.Text();
  whole_number(m_reading_interval_text, ReadingInterval);
}

// Control keys (Backspace, Ctrl+A, Ctrl+C, Ctrl+V) go through.
void Form1::Text6_KeyPress(int16_t& KeyAscii) {
  if (!digit_or_control(KeyAscii)) KeyAscii = 0;
}

void Form1::Text6_Change() {
  const std::string typed = Text6.Text();
  if (typed.empty()) return;
  double value = 0;
  if (!whole_number(typed, value)) {
    // Assigned while the box's own change handler runs: raises nothing.
    Text6.set_Text(m_reading_interval_text);
    return;
  }
  ReadingInterval = value;
  if (value >= VScroll1.Min() && value <= VScroll1.Max()) {
    // The bar writes the number back as plain digits ("085" becomes "85").
    VScroll1.set_Value(static_cast<int16_t>(value));
  }
  m_reading_interval_text = Text6.Text();
}

}  // namespace prevod
