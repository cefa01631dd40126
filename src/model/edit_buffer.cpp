#include "model/edit_buffer.h"

#include <algorithm>

#include "base/text.h"

namespace prevod {

namespace {

bool continuation(char byte) {
  return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// The bytes of the character a lead byte starts, in well-formed UTF-8.
size_t sequence_length(char lead) {
  const unsigned char c = static_cast<unsigned char>(lead);
  if (c < 0x80) return 1;
  if ((c & 0xE0) == 0xC0) return 2;
  if ((c & 0xF0) == 0xE0) return 3;
  return 4;
}

// Four bytes make a character above U+FFFF: a surrogate pair.
int32_t units_of(size_t bytes) {
  return bytes == 4 ? 2 : 1;
}

}  // namespace

std::string EditBuffer::as_unicode(std::string_view value) {
  return text::to_utf8(text::to_utf16(value));
}

void EditBuffer::assign(std::string_view value) {
  m_text = as_unicode(value);
  m_length = text::length(m_text);
  collapse_to(m_text.size(), m_length);
  ++m_revision;
}

std::string EditBuffer::selected_text() const {
  return m_text.substr(m_start_byte, m_end_byte - m_start_byte);
}

EditBuffer::Character EditBuffer::character_at(size_t byte) const {
  size_t bytes = std::min(sequence_length(m_text[byte]), m_text.size() - byte);
  return {byte, bytes, units_of(bytes)};
}

EditBuffer::Character EditBuffer::character_before(size_t byte) const {
  size_t start = byte - 1;
  while (start > 0 && continuation(m_text[start])) --start;
  return {start, byte - start, units_of(byte - start)};
}

size_t EditBuffer::byte_of(int32_t units, Snap snap, int32_t& snapped) const {
  // Walks from the caret when the position lies behind it, else from the
  // start of the text.
  size_t byte = 0;
  int32_t at = 0;
  if (units >= m_sel_start) {
    byte = m_start_byte;
    at = m_sel_start;
  }
  while (at < units && byte < m_text.size()) {
    Character c = character_at(byte);
    if (at + c.units > units && snap == Snap::Down) break;
    byte += c.bytes;
    at += c.units;
  }
  snapped = at;
  return byte;
}

void EditBuffer::collapse_to(size_t byte, int32_t units) {
  m_start_byte = m_end_byte = byte;
  m_sel_start = units;
  m_sel_length = 0;
}

void EditBuffer::select(int32_t start, int32_t length) {
  start = std::clamp(start, 0, m_length);
  length = std::clamp(length, 0, m_length - start);
  int32_t start_units = 0;
  size_t start_byte = byte_of(start, Snap::Down, start_units);
  if (length == 0) {
    collapse_to(start_byte, start_units);
    return;
  }
  int32_t end_units = 0;
  size_t end_byte = byte_of(start + length, Snap::Up, end_units);
  m_start_byte = start_byte;
  m_end_byte = end_byte;
  m_sel_start = start_units;
  m_sel_length = end_units - start_units;
}

void EditBuffer::select_all() {
  m_start_byte = 0;
  m_end_byte = m_text.size();
  m_sel_start = 0;
  m_sel_length = m_length;
}

void EditBuffer::insert(std::string_view value) {
  const std::string added = as_unicode(value);
  const size_t removed_bytes = m_end_byte - m_start_byte;
  const bool changes = std::string_view(m_text).substr(m_start_byte, removed_bytes) != added;
  const int32_t added_units = text::length(added);
  m_text.replace(m_start_byte, removed_bytes, added);
  m_length += added_units - m_sel_length;
  collapse_to(m_start_byte + added.size(), m_sel_start + added_units);
  if (changes) ++m_revision;
}

void EditBuffer::erase_before() {
  if (m_sel_length == 0) {
    if (m_start_byte == 0) return;
    Character c = character_before(m_start_byte);
    m_start_byte = c.start;
    m_sel_start -= c.units;
    m_sel_length = c.units;
  }
  insert("");
}

void EditBuffer::erase_after() {
  if (m_sel_length == 0) {
    if (m_end_byte >= m_text.size()) return;
    Character c = character_at(m_end_byte);
    m_end_byte += c.bytes;
    m_sel_length = c.units;
  }
  insert("");
}

void EditBuffer::caret_to_line_end() {
  size_t end = m_text.find_first_of("\r\n", m_end_byte);
  if (end == std::string::npos) end = m_text.size();
  const int32_t moved = text::length(std::string_view(m_text).substr(m_end_byte, end - m_end_byte));
  collapse_to(end, m_sel_start + m_sel_length + moved);
}

void EditBuffer::caret_to_line_start() {
  size_t start =
      m_start_byte == 0 ? std::string::npos : m_text.find_last_of("\r\n", m_start_byte - 1);
  start = start == std::string::npos ? 0 : start + 1;
  const int32_t moved = text::length(std::string_view(m_text).substr(start, m_start_byte - start));
  collapse_to(start, m_sel_start - moved);
}

void EditBuffer::caret_left() {
  if (m_sel_length == 0 && m_start_byte > 0) {
    Character c = character_before(m_start_byte);
    collapse_to(c.start, m_sel_start - c.units);
    return;
  }
  collapse_to(m_start_byte, m_sel_start);
}

void EditBuffer::caret_right() {
  if (m_sel_length > 0) {
    collapse_to(m_end_byte, m_sel_start + m_sel_length);
    return;
  }
  if (m_end_byte >= m_text.size()) return;
  Character c = character_at(m_end_byte);
  collapse_to(m_end_byte + c.bytes, m_sel_start + c.units);
}

}  // namespace prevod
