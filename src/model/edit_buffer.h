#pragma once

// The text of an edit control with its caret and selection, edited the way
// a person edits with the keyboard. Positions count UTF-16 code units, as
// SelStart and SelLength do; the text itself is kept as UTF-8.

#include <cstdint>
#include <string>

namespace prevod {

class EditBuffer {
 public:
  const std::string& text() const { return m_text; }
  // Replaces the whole text; the caret goes to its end.
  void assign(const std::string& text);
  int32_t sel_start() const { return m_sel_start; }
  int32_t sel_length() const { return m_sel_length; }
  std::string selected_text() const;
  void select(int32_t start, int32_t length);
  void select_all();

  // Replaces the selection (or inserts at the caret) with `text`.
  void insert(const std::string& text);
  // Backspace and Delete: the selection, or one character before or after.
  void erase_before();
  void erase_after();
  void caret_to_line_end();
  void caret_to_line_start();
  void caret_left();
  void caret_right();

 private:
  std::string m_text;
  int32_t m_sel_start = 0;
  int32_t m_sel_length = 0;
};

}  // namespace prevod
