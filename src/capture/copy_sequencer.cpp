// The copy sequencer: a recognised gesture arms Kopirane (double click) or
// TimerDesen (right click); when it fires the program types Escape and then
// Ctrl+C into whatever application has the keyboard focus.

#include "desktop/klik.h"
#include "platform/keys.h"
#include "translation/form2.h"

namespace prevod {

void Form2::copy_keys() {
  KeyDown(user32(), vk::ESCAPE);
  KeyUp(user32(), vk::ESCAPE);
  KeyDown(user32(), vk::CONTROL);
  KeyDown(user32(), vk::C);
  KeyUp(user32(), vk::C);
  KeyUp(user32(), vk::CONTROL);
}

void Form2::Kopirane_Timer() {
  Kopirane.set_Enabled(false);
  copy_keys();
}

void Form2::TimerDesen_Timer() {
  TimerDesen.set_Enabled(false);
  copy_keys();
}

}  // namespace prevod
