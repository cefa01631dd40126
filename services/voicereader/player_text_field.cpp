#include "services/voicereader/player_text_field.h"

#include <algorithm>

#include "base/text.h"

namespace prevod {

namespace {

bool is_continuation(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// One line: CR LF, CR and LF each become a single space.
std::string single_line(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r') {
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
      out += ' ';
    } else if (c == '\n') {
      out += ' ';
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

std::string PlayerTextField::selected_text() const {
  return m_text.substr(selection_start(), selection_end() - selection_start());
}

std::string PlayerTextField::copy_text() const {
  return has_selection() ? selected_text() : m_text;
}

void PlayerTextField::set_text(std::string_view text) {
  m_text = single_line(text);
  m_anchor = m_caret = m_text.size();
}

void PlayerTextField::select_all() {
  m_anchor = 0;
  m_caret = m_text.size();
}

void PlayerTextField::set_caret(size_t position) {
  position = std::min(position, m_text.size());
  while (position > 0 && position < m_text.size() && is_continuation(m_text[position])) {
    --position;
  }
  place_caret(position, Extend::No);
}

void PlayerTextField::move_to_start(Extend extend) {
  place_caret(0, extend);
}

void PlayerTextField::move_to_end(Extend extend) {
  place_caret(m_text.size(), extend);
}

void PlayerTextField::move_left(Extend extend) {
  // Without Shift, a selection collapses to its start rather than moving.
  if (extend == Extend::No && has_selection()) {
    place_caret(selection_start(), extend);
    return;
  }
  place_caret(previous_boundary(m_caret), extend);
}

void PlayerTextField::move_right(Extend extend) {
  if (extend == Extend::No && has_selection()) {
    place_caret(selection_end(), extend);
    return;
  }
  place_caret(next_boundary(m_caret), extend);
}

void PlayerTextField::insert(std::string_view text) {
  erase_selection();
  std::string line = single_line(text);
  m_text.insert(m_caret, line);
  m_caret += line.size();
  m_anchor = m_caret;
}

void PlayerTextField::type(char32_t character) {
  bool control = character < 0x20 || (character >= 0x7F && character < 0xA0);
  bool beyond_unicode = character > 0x10FFFF || (character >= 0xD800 && character < 0xE000);
  if (control || beyond_unicode) return;
  insert(text::from_code_point(character));
}

void PlayerTextField::delete_forward() {
  if (!has_selection()) m_anchor = next_boundary(m_caret);
  erase_selection();
}

void PlayerTextField::delete_backward() {
  if (!has_selection()) m_anchor = previous_boundary(m_caret);
  erase_selection();
}

void PlayerTextField::erase_selection() {
  size_t start = selection_start();
  m_text.erase(start, selection_end() - start);
  m_anchor = m_caret = start;
}

void PlayerTextField::place_caret(size_t position, Extend extend) {
  m_caret = position;
  if (extend == Extend::No) m_anchor = position;
}

size_t PlayerTextField::next_boundary(size_t position) const {
  if (position >= m_text.size()) return m_text.size();
  ++position;
  while (position < m_text.size() && is_continuation(m_text[position])) ++position;
  return position;
}

size_t PlayerTextField::previous_boundary(size_t position) const {
  if (position == 0) return 0;
  --position;
  while (position > 0 && is_continuation(m_text[position])) --position;
  return position;
}

}  // namespace prevod
