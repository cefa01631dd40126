#include "model/rich_text_box.h"

#include "base/text.h"
#include "model/runtime.h"
#include "platform/clipboard.h"
#include "platform/desktop.h"

namespace prevod {

RichTextBox::RichTextBox(Window& window, const ControlSpec& design) : Control(window, design) {
  m_buffer.assign(design.caption);
  m_buffer.select(0, 0);
}

void RichTextBox::raise_change() {
  if (m_in_change || !on_change) return;
  m_in_change = true;
  raise("Change", on_change);
  m_in_change = false;
}

void RichTextBox::set_Text(const std::string& value) {
  std::string unicode = EditBuffer::as_unicode(value);
  if (unicode == m_buffer.text()) return;
  m_buffer.assign(unicode);
  changed();
  raise_change();
}

void RichTextBox::set_SelStart(int32_t value) {
  m_buffer.select(value, 0);
  changed();
}

void RichTextBox::set_SelLength(int32_t value) {
  m_buffer.select(m_buffer.sel_start(), value);
  changed();
}

void RichTextBox::edit(const std::function<void(EditBuffer&)>& action) {
  const uint64_t before = m_buffer.revision();
  action(m_buffer);
  changed();
  if (m_buffer.revision() != before) raise_change();
}

int32_t RichTextBox::character_of(const KeyEvent& event) {
  if (event.character != 0) return static_cast<int32_t>(event.character);
  uint8_t code = event.code;
  if (event.ctrl) return code >= 'A' && code <= 'Z' ? code - 'A' + 1 : 0;
  if (code == vk::RETURN || code == vk::BACK || code == vk::ESCAPE || code == vk::SPACE)
    return code;
  if (code >= 'A' && code <= 'Z') return event.shift ? code : code - 'A' + 'a';
  if (code >= '0' && code <= '9') return code;
  return 0;
}

bool RichTextBox::join_surrogate(int32_t code) {
  const bool high = code >= 0xD800 && code < 0xDC00;
  const bool low = code >= 0xDC00 && code < 0xE000;
  if (low && m_high_surrogate != 0) {
    const char32_t joined = 0x10000 + ((m_high_surrogate - 0xD800) << 10) + (code - 0xDC00);
    m_high_surrogate = 0;
    edit([&](EditBuffer& b) { b.insert(text::from_code_point(joined)); });
    return true;
  }
  // A surrogate without its other half is no character.
  if (m_high_surrogate != 0) {
    m_high_surrogate = 0;
    edit([](EditBuffer& b) { b.insert(text::from_code_point(0xFFFD)); });
  }
  if (high) {
    m_high_surrogate = static_cast<char16_t>(code);
    return true;
  }
  if (low) {
    edit([](EditBuffer& b) { b.insert(text::from_code_point(0xFFFD)); });
    return true;
  }
  return false;
}

void RichTextBox::type_character(int32_t code) {
  if (code == 0) return;
  if (join_surrogate(code)) return;
  Clipboard& clipboard = runtime().desktop.clipboard();
  switch (code) {
    case 0:
    case vk::ESCAPE:
      return;
    case 1:  // Ctrl+A
      edit([](EditBuffer& b) { b.select_all(); });
      return;
    case 3:  // Ctrl+C
      if (m_buffer.sel_length() > 0) {
        clipboard.Clear();
        clipboard.SetText(m_buffer.selected_text());
      }
      return;
    case 22: {  // Ctrl+V
      std::string pasted = clipboard.GetText();
      edit([&](EditBuffer& b) { b.insert(pasted); });
      return;
    }
    case vk::BACK:
      edit([](EditBuffer& b) { b.erase_before(); });
      return;
    case vk::RETURN:
      edit([](EditBuffer& b) { b.insert("\r\n"); });
      return;
    default:
      if (code < 32) return;
      edit([&](EditBuffer& b) { b.insert(text::from_code_point(static_cast<char32_t>(code))); });
  }
}

void RichTextBox::press_character(int32_t code) {
  int16_t key_ascii = static_cast<int16_t>(code);
  if (on_key_press) raise("KeyPress", [&] { on_key_press(key_ascii); });
  type_character(static_cast<uint16_t>(key_ascii));
}

void RichTextBox::key_event(const KeyEvent& event) {
  if (!event.down) return;
  // A character above U+FFFF comes as the window system sends it: its two
  // surrogates, each a KeyPress of its own, which the box joins again.
  if (event.character > 0xFFFF) {
    const char32_t offset = event.character - 0x10000;
    press_character(static_cast<int32_t>(0xD800 + (offset >> 10)));
    press_character(static_cast<int32_t>(0xDC00 + (offset & 0x3FF)));
    return;
  }
  int32_t code = character_of(event);
  if (code != 0) {
    press_character(code);
    return;
  }
  switch (event.code) {
    case vk::END:
      edit([](EditBuffer& b) { b.caret_to_line_end(); });
      break;
    case vk::HOME:
      edit([](EditBuffer& b) { b.caret_to_line_start(); });
      break;
    case vk::LEFT:
      edit([](EditBuffer& b) { b.caret_left(); });
      break;
    case vk::RIGHT:
      edit([](EditBuffer& b) { b.caret_right(); });
      break;
    case vk::DELETE_:
      edit([](EditBuffer& b) { b.erase_after(); });
      break;
    default:
      break;
  }
}

void RichTextBox::user_click() {
  if (can_take_focus() && shown()) SetFocus();
  Control::user_click();
}

std::optional<std::string> RichTextBox::property(std::string_view name) const {
  if (name == "Text") return m_buffer.text();
  if (name == "SelStart") return std::to_string(m_buffer.sel_start());
  if (name == "SelLength") return std::to_string(m_buffer.sel_length());
  return Control::property(name);
}

}  // namespace prevod
