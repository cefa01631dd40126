#pragma once

// A multi-line rich text box. Its Text uses CR LF line breaks. Assigning a
// different Text raises Change at once, nested; while the box's own Change
// handler runs, its assignments to the box raise nothing. A person edits it
// with the keyboard: characters raise KeyPress first (the handler may change
// or cancel the character code) and are then inserted; Enter inserts CR LF
// at the caret; End, Home and the arrows move the caret; Ctrl+A selects all,
// Ctrl+C copies the selection, Ctrl+V pastes; Escape does nothing. Typed
// characters arrive as UTF-16 code units, one KeyPress each; a surrogate
// pair is joined back into its character.

#include <cstdint>
#include <functional>

#include "model/control.h"
#include "model/edit_buffer.h"

namespace prevod {

class RichTextBox : public Control {
 public:
  RichTextBox(Window& window, const ControlSpec& design);

  const std::string& Text() const { return m_buffer.text(); }
  // Assigning a text places the caret at its end.
  void set_Text(const std::string& value);
  int32_t SelStart() const { return m_buffer.sel_start(); }
  int32_t SelLength() const { return m_buffer.sel_length(); }
  std::string SelText() const { return m_buffer.selected_text(); }
  void set_SelStart(int32_t value);
  void set_SelLength(int32_t value);
  // Moves on with every change to the text, for a desktop that shows it.
  uint64_t text_revision() const { return m_buffer.revision(); }

  bool can_take_focus() const override { return true; }
  void key_event(const KeyEvent& event) override;
  // A click puts the focus into the box before Click is raised.
  void user_click() override;
  std::optional<std::string> property(std::string_view name) const override;

  std::function<void()> on_change;
  std::function<void(int16_t& KeyAscii)> on_key_press;

 protected:
  // Applies an edit and raises Change when the text changed.
  void edit(const std::function<void(EditBuffer&)>& action);
  // The character a key event produces (0 for keys that produce none).
  static int32_t character_of(const KeyEvent& event);
  // Raises KeyPress for one UTF-16 code unit, then types what it left.
  void press_character(int32_t code);
  void type_character(int32_t code);

 private:
  void raise_change();
  // Joins a high and a low surrogate typed one after the other into their
  // character; a surrogate without its other half becomes U+FFFD. True
  // when `code` was taken here.
  bool join_surrogate(int32_t code);

  EditBuffer m_buffer;
  bool m_in_change = false;
  char16_t m_high_surrogate = 0;
};

}  // namespace prevod
