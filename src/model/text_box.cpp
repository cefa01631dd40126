#include "model/text_box.h"

namespace prevod {

void TextBox::key_event(const KeyEvent& event) {
  if (event.down && event.code == vk::RETURN && event.character == 0) {
    int16_t key_ascii = vk::RETURN;
    if (on_key_press) raise("KeyPress", [&] { on_key_press(key_ascii); });
    return;
  }
  RichTextBox::key_event(event);
}

}  // namespace prevod
