#include "model/edit_buffer.h"

#include <algorithm>

#include "base/text.h"

namespace prevod {

void EditBuffer::assign(const std::string& value) {
  m_text = value;
  m_sel_start = text::length(m_text);
  m_sel_length = 0;
}

std::string EditBuffer::selected_text() const {
  std::u16string units = text::to_utf16(m_text);
  return text::to_utf8(units.substr(m_sel_start, m_sel_length));
}

void EditBuffer::select(int32_t start, int32_t length) {
  int32_t size = text::length(m_text);
  m_sel_start = std::clamp(start, 0, size);
  m_sel_length = std::clamp(length, 0, size - m_sel_start);
}

void EditBuffer::select_all() {
  select(0, text::length(m_text));
}

void EditBuffer::insert(const std::string& value) {
  std::u16string units = text::to_utf16(m_text);
  std::u16string added = text::to_utf16(value);
  units.replace(m_sel_start, m_sel_length, added);
  m_text = text::to_utf8(units);
  m_sel_start += static_cast<int32_t>(added.size());
  m_sel_length = 0;
}

void EditBuffer::erase_before() {
  if (m_sel_length == 0) {
    if (m_sel_start == 0) return;
    --m_sel_start;
    m_sel_length = 1;
  }
  insert("");
}

void EditBuffer::erase_after() {
  if (m_sel_length == 0) {
    if (m_sel_start >= text::length(m_text)) return;
    m_sel_length = 1;
  }
  insert("");
}

void EditBuffer::caret_to_line_end() {
  std::u16string units = text::to_utf16(m_text);
  size_t at = static_cast<size_t>(m_sel_start + m_sel_length);
  size_t end = units.find_first_of(u"\r\n", at);
  m_sel_start = static_cast<int32_t>(end == std::u16string::npos ? units.size() : end);
  m_sel_length = 0;
}

void EditBuffer::caret_to_line_start() {
  std::u16string units = text::to_utf16(m_text);
  size_t at = static_cast<size_t>(m_sel_start);
  size_t start = at == 0 ? std::u16string::npos : units.find_last_of(u"\r\n", at - 1);
  m_sel_start = static_cast<int32_t>(start == std::u16string::npos ? 0 : start + 1);
  m_sel_length = 0;
}

void EditBuffer::caret_left() {
  if (m_sel_length == 0 && m_sel_start > 0) --m_sel_start;
  m_sel_length = 0;
}

void EditBuffer::caret_right() {
  if (m_sel_length > 0) {
    m_sel_start += m_sel_length;
  } else if (m_sel_start < text::length(m_text)) {
    ++m_sel_start;
  }
  m_sel_length = 0;
}

}  // namespace prevod
