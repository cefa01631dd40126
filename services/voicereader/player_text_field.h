#pragma once

// The player's single-line text field: the text to speak, a caret and a
// selection, with the editing a person does at the keyboard. Positions are
// byte offsets into the UTF-8 text that always sit on character boundaries.
// Line breaks cannot enter the field: pasted text has each one replaced by a
// space, as a single-line browser field does.

#include <cstddef>
#include <string>
#include <string_view>

namespace prevod {

class PlayerTextField {
 public:
  // Whether a caret move drags the selection along (Shift held) or drops it.
  enum class Extend { No, Yes };

  const std::string& text() const { return m_text; }
  size_t caret() const { return m_caret; }
  // The other end of the selection; the caret when nothing is selected.
  size_t anchor() const { return m_anchor; }
  bool has_selection() const { return m_anchor != m_caret; }
  std::string selected_text() const;
  // What a copy takes: the selection, or the whole text when nothing is
  // selected.
  std::string copy_text() const;

  // Replaces the whole text; the caret goes to the end, nothing selected.
  void set_text(std::string_view text);
  void select_all();
  // A click in the field: the caret goes to the character boundary at or
  // before `position` (a byte offset, the end when beyond it), nothing
  // selected.
  void set_caret(size_t position);
  void move_to_start(Extend extend);
  void move_to_end(Extend extend);
  void move_left(Extend extend);
  void move_right(Extend extend);
  // Replaces the selection (or inserts at the caret) with `text`, line
  // breaks turned into spaces; the caret ends after the insertion.
  void insert(std::string_view text);
  // A typed character; control characters are ignored.
  void type(char32_t character);
  // Delete: the selection, or else the character after the caret.
  void delete_forward();
  // Backspace: the selection, or else the character before the caret.
  void delete_backward();

 private:
  size_t selection_start() const { return m_anchor < m_caret ? m_anchor : m_caret; }
  size_t selection_end() const { return m_anchor < m_caret ? m_caret : m_anchor; }
  void erase_selection();
  void place_caret(size_t position, Extend extend);
  size_t next_boundary(size_t position) const;
  size_t previous_boundary(size_t position) const;

  std::string m_text;
  size_t m_anchor = 0;
  size_t m_caret = 0;
};

}  // namespace prevod
