#pragma once

// A foreign text editor on the simulated desktop: a window of another
// program with a line of text, a caret and a selection. A double click
// selects the word under the cursor; a right click opens its context menu,
// which Escape closes; Ctrl+C copies the selection to the clipboard.

#include <cstdint>
#include <string>

#include "platform/keys.h"
#include "platform/user32.h"

namespace prevod {

class Clipboard;

class SimEditor {
 public:
  // Pixels per character of its one line of text.
  static constexpr int CharWidth = 8;
  static constexpr int64_t DoubleClickTimeMs = 500;

  SimEditor(uint32_t handle, Clipboard& clipboard) : m_handle(handle), m_clipboard(clipboard) {}

  uint32_t handle() const { return m_handle; }
  const RECT& rect() const { return m_rect; }
  void set_rect(const RECT& rect) { m_rect = rect; }
  bool open() const { return m_open; }
  void open_with(const std::string& text);
  void close() { m_open = false; }

  const std::string& text() const { return m_text; }
  // Selection in characters, [from, to).
  void select(int32_t from, int32_t to);
  std::string selected_text() const;
  bool menu_open() const { return m_menu_open; }

  bool contains(int32_t x, int32_t y) const;
  // A mouse button went down at a screen point, at a time on the loop's clock.
  void mouse_down(int button, int32_t x, int32_t y, int64_t now);
  void key_event(const KeyEvent& event);

 private:
  int32_t index_at(int32_t x) const;
  void select_word_at(int32_t index);

  uint32_t m_handle;
  Clipboard& m_clipboard;
  RECT m_rect{100, 600, 900, 700};
  bool m_open = false;
  std::string m_text;
  int32_t m_sel_from = 0;
  int32_t m_sel_to = 0;
  bool m_menu_open = false;
  int64_t m_last_left_down = -1'000'000;
  int32_t m_last_left_x = -1;
};

}  // namespace prevod
