#pragma once

// The text of an edit control with its caret and selection, edited the way
// a person edits with the keyboard. Positions count UTF-16 code units, as
// SelStart and SelLength do; the text itself is kept as UTF-8. The caret
// and the selection always lie between whole characters: a character above
// U+FFFF (two code units) is stepped over, erased and selected whole.
//
// Each edit costs the size of what it inserts or removes and the move of
// the text behind the caret, never a conversion of the whole text, so that
// typing stays linear in the length of what is typed.

#include <cstdint>
#include <string>
#include <string_view>

namespace prevod {

class EditBuffer {
 public:
  // A text as the control holds it: Unicode, so malformed UTF-8 becomes
  // U+FFFD as it would on its way into the window system's strings.
  static std::string as_unicode(std::string_view text);

  const std::string& text() const { return m_text; }
  // Replaces the whole text; the caret goes to its end.
  void assign(std::string_view text);
  int32_t sel_start() const { return m_sel_start; }
  int32_t sel_length() const { return m_sel_length; }
  // The length of the text in UTF-16 code units.
  int32_t length() const { return m_length; }
  std::string selected_text() const;
  // A boundary inside a character moves to the character's start (for the
  // selection's start) or end (for its end).
  void select(int32_t start, int32_t length);
  void select_all();

  // Replaces the selection (or inserts at the caret) with `text`.
  void insert(std::string_view text);
  // Backspace and Delete: the selection, or one character before or after.
  void erase_before();
  void erase_after();
  void caret_to_line_end();
  void caret_to_line_start();
  void caret_left();
  void caret_right();

  // Grows by one with every edit that changes the text.
  uint64_t revision() const { return m_revision; }

 private:
  // One character of the text: where it starts, its bytes and its code units.
  struct Character {
    size_t start;
    size_t bytes;
    int32_t units;
  };
  Character character_at(size_t byte) const;
  Character character_before(size_t byte) const;
  // The byte offset of a UTF-16 position, moved to a character boundary.
  enum class Snap { Down, Up };
  size_t byte_of(int32_t units, Snap snap, int32_t& snapped) const;
  void collapse_to(size_t byte, int32_t units);

  std::string m_text;
  int32_t m_length = 0;
  int32_t m_sel_start = 0;
  int32_t m_sel_length = 0;
  // The selection's ends as byte offsets into m_text.
  size_t m_start_byte = 0;
  size_t m_end_byte = 0;
  uint64_t m_revision = 0;
};

}  // namespace prevod
