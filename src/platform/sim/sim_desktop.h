#pragma once

// The simulated desktop: every platform interface, in memory, for tests and
// the console. It keeps the model windows with their handles, a z-order with
// a topmost band, the active window and the input queue, a foreign text
// editor, global mouse buttons with the "down now or pressed since the last
// query" latch, the cursor, the screen, a clipboard, a taskbar with its
// notification area, and a tray host whose icons can be clicked.

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "model/window_system.h"
#include "platform/desktop.h"
#include "platform/sim/bounded_log.h"
#include "platform/sim/sim_clipboard.h"
#include "platform/sim/sim_editor.h"
#include "platform/sim/sim_tray.h"
#include "platform/user32.h"

namespace prevod {

class EventLoop;
class Trace;
class SimUser32;
class SimScreen;

class SimDesktop : public Desktop, public WindowSystem {
 public:
  struct KeyRecord {
    uint8_t code;
    uint8_t scan;
    uint32_t flags;
    uint32_t extra;
  };
  struct Animation {
    uint32_t hWnd;
    int32_t idAni;
    RECT from;
    RECT to;
  };

  SimDesktop(EventLoop& loop, Trace& trace);
  ~SimDesktop() override;

  User32& user32() override;
  Shell32& shell32() override { return m_tray; }
  Clipboard& clipboard() override { return m_clipboard; }
  Screen& screen() override;
  uint32_t App_hInstance() const override { return 0x00400000; }
  uint32_t create_window(Window& window) override;
  void destroy_window(uint32_t hWnd) override;
  void window_changed(Window& window) override;
  uint32_t window_icon(const Window& window) override;
  void activate(Window& window) override;
  void deliver_input() override;

  // The pieces, for tests and the console.
  SimClipboard& sim_clipboard() { return m_clipboard; }
  SimTray& tray() { return m_tray; }
  SimEditor& editor() { return m_editor; }
  EventLoop& loop() { return m_loop; }
  Trace& trace() { return m_trace; }

  // The latest keybd_event calls, in call order: the last KeyLogCapacity.
  static constexpr size_t KeyLogCapacity = 4096;
  const BoundedLog<KeyRecord>& key_log() const { return m_key_log; }
  void clear_key_log() { m_key_log.clear(); }
  const std::vector<Animation>& animations() const { return m_animations; }

  // The model window of a handle, or nullptr.
  Window* window_of(uint32_t hWnd) const;
  // Front first, topmost band before the rest; ours and the editor.
  const std::vector<uint32_t>& z_order() const { return m_z_order; }
  bool topmost(uint32_t hWnd) const;
  // The active window's handle (0 for none).
  uint32_t foreground() const { return m_foreground; }
  void focus_editor();

  // A person at the keyboard and mouse.
  void type_text(const std::string& text);
  void press_key(uint8_t code, bool shift = false, bool ctrl = false);
  void set_cursor(int32_t x, int32_t y);
  POINTAPI cursor() const { return m_cursor; }
  void mouse_button(int button, bool down);
  // A click on the tray icon: 513 for the left button, 516 for the right.
  void click_tray(int32_t mouse_message);
  // Whether the taskbar with its notification area exists.
  void set_taskbar(bool present) { m_taskbar = present; }
  void set_screen_pixels(int width, int height);

  // The Win32 side, used by SimUser32.
  void queue_key(const KeyRecord& record);
  int32_t set_window_pos(uint32_t hWnd, int32_t insert_after);
  int16_t async_key_state(int32_t vKey);
  int32_t show_window(uint32_t hWnd, int32_t command);
  WindowProc set_window_proc(uint32_t hWnd, WindowProc proc);
  uint32_t find_window(const std::string& class_name) const;
  uint32_t get_window(uint32_t hWnd, uint32_t command) const;
  std::string class_name(uint32_t hWnd) const;
  bool window_rect(uint32_t hWnd, RECT& rect) const;
  void record_animation(const Animation& animation) { m_animations.push_back(animation); }
  int screen_width_px() const { return m_screen_w; }
  int screen_height_px() const { return m_screen_h; }

 private:
  struct Button {
    bool down = false;
    bool pressed_since_query = false;
  };
  void raise_to_front(uint32_t hWnd);
  void deliver(KeyEvent event);
  void send_message(uint32_t hWnd, uint32_t message, int32_t wParam, int32_t lParam);

  EventLoop& m_loop;
  Trace& m_trace;
  SimClipboard m_clipboard;
  SimTray m_tray;
  SimEditor m_editor;
  std::unique_ptr<SimUser32> m_user32;
  std::unique_ptr<SimScreen> m_screen;
  std::map<uint32_t, Window*> m_windows;
  std::map<uint32_t, WindowProc> m_procs;
  std::vector<uint32_t> m_z_order;
  std::vector<uint32_t> m_topmost;
  uint32_t m_foreground = 0;
  uint32_t m_next_handle = 0x00010010;
  std::deque<KeyEvent> m_queue;
  BoundedLog<KeyRecord> m_key_log{KeyLogCapacity};
  std::vector<Animation> m_animations;
  bool m_shift = false;
  bool m_ctrl = false;
  bool m_delivering = false;
  Button m_buttons[3];
  POINTAPI m_cursor{640, 400};
  bool m_taskbar = true;
  int m_screen_w = 1920;
  int m_screen_h = 1080;
};

}  // namespace prevod
