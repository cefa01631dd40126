#include "platform/sim/sim_editor.h"

#include <algorithm>

#include "base/text.h"
#include "platform/clipboard.h"

namespace prevod {

void SimEditor::open_with(const std::string& value) {
  m_text = value;
  m_open = true;
  m_sel_from = m_sel_to = 0;
  m_menu_open = false;
  // A click in the text it held before does not pair with one in the new.
  m_last_left_down = -1'000'000;
}

void SimEditor::select(int32_t from, int32_t to) {
  int32_t size = text::length(m_text);
  m_sel_from = std::clamp(std::min(from, to), 0, size);
  m_sel_to = std::clamp(std::max(from, to), 0, size);
}

std::string SimEditor::selected_text() const {
  std::u16string units = text::to_utf16(m_text);
  return text::to_utf8(units.substr(m_sel_from, m_sel_to - m_sel_from));
}

bool SimEditor::contains(int32_t x, int32_t y) const {
  return m_open && x >= m_rect.Left && x < m_rect.Right && y >= m_rect.Top && y < m_rect.Bottom;
}

int32_t SimEditor::index_at(int32_t x) const {
  return std::clamp((x - m_rect.Left) / CharWidth, 0, text::length(m_text));
}

void SimEditor::select_word_at(int32_t index) {
  std::u16string units = text::to_utf16(m_text);
  auto is_word = [](char16_t c) { return c != u' ' && c != u'\t' && c != u'\r' && c != u'\n'; };
  int32_t from = index;
  int32_t to = index;
  while (from > 0 && is_word(units[from - 1])) --from;
  while (to < static_cast<int32_t>(units.size()) && is_word(units[to])) ++to;
  select(from, to);
}

void SimEditor::mouse_down(int button, int32_t x, int32_t y, int64_t now) {
  (void)y;
  if (button == 2) {
    // The context menu opens; the selection stays.
    m_menu_open = true;
    return;
  }
  m_menu_open = false;
  int32_t index = index_at(x);
  bool second = now - m_last_left_down <= DoubleClickTimeMs && x == m_last_left_x;
  if (second) {
    select_word_at(index);
    m_last_left_down = -1'000'000;
    return;
  }
  select(index, index);
  m_last_left_down = now;
  m_last_left_x = x;
}

void SimEditor::key_event(const KeyEvent& event) {
  if (!event.down) return;
  if (event.code == vk::ESCAPE) {
    m_menu_open = false;
    return;
  }
  // An open menu takes the keys itself.
  if (m_menu_open) return;
  if (event.ctrl && event.code == vk::C && m_sel_to > m_sel_from) {
    m_clipboard.Clear();
    m_clipboard.SetText(selected_text());
  }
}

}  // namespace prevod
