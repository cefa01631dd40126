#include "platform/sim/sim_desktop.h"

#include <algorithm>
#include <cmath>

#include "base/event_loop.h"
#include "base/text.h"
#include "base/trace.h"
#include "model/window.h"
#include "platform/sim/sim_screen.h"
#include "platform/sim/sim_user32.h"

namespace prevod {

namespace {

// The taskbar and its children, as another program's windows.
constexpr uint32_t TaskbarHandle = 0x00020001;
constexpr uint32_t StartButtonHandle = 0x00020002;
constexpr uint32_t TrayNotifyHandle = 0x00020003;
constexpr uint32_t ReBarHandle = 0x00020004;
constexpr uint32_t EditorHandle = 0x00030001;

int32_t to_pixels(float twips) {
  return static_cast<int32_t>(std::lround(twips / TwipsPerPixel));
}

}  // namespace

SimDesktop::SimDesktop(EventLoop& loop, Trace& trace)
    : m_loop(loop),
      m_trace(trace),
      m_clipboard(trace),
      m_tray(trace),
      m_editor(EditorHandle, m_clipboard),
      m_user32(std::make_unique<SimUser32>(*this)),
      m_screen(std::make_unique<SimScreen>(*this)) {}

SimDesktop::~SimDesktop() = default;

User32& SimDesktop::user32() {
  return *m_user32;
}
Screen& SimDesktop::screen() {
  return *m_screen;
}

void SimDesktop::set_screen_pixels(int width, int height) {
  m_screen_w = width;
  m_screen_h = height;
}

uint32_t SimDesktop::create_window(Window& window) {
  uint32_t handle = m_next_handle;
  m_next_handle += 0x10;
  m_windows[handle] = &window;
  m_z_order.insert(m_z_order.begin() + static_cast<long>(m_topmost.size()), handle);
  return handle;
}

void SimDesktop::destroy_window(uint32_t hWnd) {
  m_windows.erase(hWnd);
  m_procs.erase(hWnd);
  std::erase(m_z_order, hWnd);
  std::erase(m_topmost, hWnd);
  if (m_foreground == hWnd) m_foreground = 0;
}

void SimDesktop::window_changed(Window&) {}

uint32_t SimDesktop::window_icon(const Window& window) {
  return window.layout().icon ? window.hWnd() + 0x8000 : 0;
}

Window* SimDesktop::window_of(uint32_t hWnd) const {
  auto found = m_windows.find(hWnd);
  return found == m_windows.end() ? nullptr : found->second;
}

bool SimDesktop::topmost(uint32_t hWnd) const {
  return std::find(m_topmost.begin(), m_topmost.end(), hWnd) != m_topmost.end();
}

void SimDesktop::raise_to_front(uint32_t hWnd) {
  std::erase(m_z_order, hWnd);
  size_t band = topmost(hWnd) ? 0 : m_topmost.size();
  m_z_order.insert(m_z_order.begin() + static_cast<long>(band), hWnd);
}

void SimDesktop::activate(Window& window) {
  m_foreground = window.hWnd();
  raise_to_front(window.hWnd());
}

void SimDesktop::focus_editor() {
  if (!m_editor.open()) return;
  m_foreground = m_editor.handle();
  raise_to_front(m_editor.handle());
}

int32_t SimDesktop::set_window_pos(uint32_t hWnd, int32_t insert_after) {
  bool known = m_windows.count(hWnd) != 0 || hWnd == m_editor.handle();
  if (!known) return 0;
  if (std::find(m_z_order.begin(), m_z_order.end(), hWnd) == m_z_order.end())
    m_z_order.push_back(hWnd);
  std::erase(m_topmost, hWnd);
  std::erase(m_z_order, hWnd);
  if (insert_after == HWND_TOPMOST) {
    m_topmost.insert(m_topmost.begin(), hWnd);
    m_z_order.insert(m_z_order.begin(), hWnd);
  } else {
    m_z_order.insert(m_z_order.begin() + static_cast<long>(m_topmost.size()), hWnd);
  }
  return 1;
}

int32_t SimDesktop::show_window(uint32_t hWnd, int32_t command) {
  Window* window = window_of(hWnd);
  if (window == nullptr) return 0;
  bool was_visible = window->Visible();
  window->shown_by_desktop(command != SW_HIDE);
  return was_visible ? 1 : 0;
}

WindowProc SimDesktop::set_window_proc(uint32_t hWnd, WindowProc proc) {
  if (window_of(hWnd) == nullptr) return nullptr;
  WindowProc previous = m_procs.count(hWnd)
                            ? m_procs[hWnd]
                            : WindowProc([](uint32_t, uint32_t, int32_t, int32_t) { return 0; });
  m_procs[hWnd] = std::move(proc);
  return previous;
}

void SimDesktop::send_message(uint32_t hWnd, uint32_t message, int32_t wParam, int32_t lParam) {
  auto found = m_procs.find(hWnd);
  if (found == m_procs.end()) return;
  WindowProc proc = found->second;
  m_loop.dispatch("window message", [&] { proc(hWnd, message, wParam, lParam); });
}

void SimDesktop::click_tray(int32_t mouse_message) {
  std::vector<NOTIFYICONDATA> icons = m_tray.icons();
  for (const NOTIFYICONDATA& icon : icons) {
    send_message(icon.hWnd, icon.uCallbackMessage, static_cast<int32_t>(icon.uID), mouse_message);
  }
}

uint32_t SimDesktop::find_window(const std::string& name) const {
  if (name == "Shell_TrayWnd" && m_taskbar) return TaskbarHandle;
  if (name == "Notepad" && m_editor.open()) return m_editor.handle();
  return 0;
}

uint32_t SimDesktop::get_window(uint32_t hWnd, uint32_t command) const {
  if (!m_taskbar) return 0;
  if (hWnd == TaskbarHandle && command == GW_CHILD) return StartButtonHandle;
  if (command == GW_HWNDNEXT) {
    if (hWnd == StartButtonHandle) return ReBarHandle;
    if (hWnd == ReBarHandle) return TrayNotifyHandle;
  }
  return 0;
}

std::string SimDesktop::class_name(uint32_t hWnd) const {
  switch (hWnd) {
    case TaskbarHandle:
      return m_taskbar ? "Shell_TrayWnd" : "";
    case StartButtonHandle:
      return m_taskbar ? "Button" : "";
    case ReBarHandle:
      return m_taskbar ? "ReBarWindow32" : "";
    case TrayNotifyHandle:
      return m_taskbar ? "TrayNotifyWnd" : "";
    default:
      break;
  }
  if (hWnd == m_editor.handle() && m_editor.open()) return "Notepad";
  return window_of(hWnd) != nullptr ? "ThunderRT6FormDC" : "";
}

bool SimDesktop::window_rect(uint32_t hWnd, RECT& rect) const {
  if (Window* window = window_of(hWnd)) {
    rect.Left = to_pixels(window->Left());
    rect.Top = to_pixels(window->Top());
    rect.Right = to_pixels(window->Left() + window->Width());
    rect.Bottom = to_pixels(window->Top() + window->Height());
    return true;
  }
  if (m_taskbar && hWnd == TrayNotifyHandle) {
    rect = {m_screen_w - 200, m_screen_h - 40, m_screen_w, m_screen_h};
    return true;
  }
  if (m_taskbar && hWnd == TaskbarHandle) {
    rect = {0, m_screen_h - 40, m_screen_w, m_screen_h};
    return true;
  }
  if (hWnd == m_editor.handle() && m_editor.open()) {
    rect = m_editor.rect();
    return true;
  }
  return false;
}

void SimDesktop::queue_key(const KeyRecord& record) {
  m_key_log.push_back(record);
  KeyEvent event;
  event.code = record.code;
  event.down = (record.flags & KEYEVENTF_KEYUP) == 0;
  if (m_trace.enabled()) {
    m_trace.line(std::string("key ") + key_name(record.code) + (event.down ? " down" : " up") +
                 " flags " + std::to_string(record.flags));
  }
  m_queue.push_back(event);
}

void SimDesktop::type_text(const std::string& typed) {
  std::u16string units = text::to_utf16(typed);
  for (char16_t unit : units) {
    KeyEvent event;
    event.character = unit;
    m_queue.push_back(event);
  }
}

void SimDesktop::press_key(uint8_t code, bool shift, bool ctrl) {
  auto push = [&](uint8_t c, bool down) {
    KeyEvent event;
    event.code = c;
    event.down = down;
    m_queue.push_back(event);
  };
  if (ctrl) push(vk::CONTROL, true);
  if (shift) push(vk::SHIFT, true);
  push(code, true);
  push(code, false);
  if (shift) push(vk::SHIFT, false);
  if (ctrl) push(vk::CONTROL, false);
}

void SimDesktop::deliver(KeyEvent event) {
  if (event.code == vk::SHIFT) m_shift = event.down;
  if (event.code == vk::CONTROL) m_ctrl = event.down;
  event.shift = m_shift;
  event.ctrl = m_ctrl;
  if (m_foreground == m_editor.handle()) {
    m_loop.raise("editor key", [&] { m_editor.key_event(event); });
    return;
  }
  if (Window* window = window_of(m_foreground)) {
    m_loop.raise(window->name() + " key", [&] { window->deliver_key(event); });
  }
}

void SimDesktop::deliver_input() {
  // Events queued while delivering are taken by the same loop, in order.
  if (m_delivering) return;
  m_delivering = true;
  while (!m_queue.empty()) {
    KeyEvent event = m_queue.front();
    m_queue.pop_front();
    deliver(event);
  }
  m_delivering = false;
}

void SimDesktop::set_cursor(int32_t x, int32_t y) {
  m_cursor = {x, y};
}

void SimDesktop::mouse_button(int button, bool down) {
  if (button < 1 || button > 2) return;
  Button& state = m_buttons[button];
  if (down && !state.down) state.pressed_since_query = true;
  state.down = down;
  if (down && m_editor.contains(m_cursor.x, m_cursor.y)) {
    focus_editor();
    m_editor.mouse_down(button, m_cursor.x, m_cursor.y, m_loop.now());
  }
}

int16_t SimDesktop::async_key_state(int32_t vKey) {
  if (vKey == vk::LBUTTON || vKey == vk::RBUTTON) {
    Button& state = m_buttons[vKey];
    int16_t result =
        static_cast<int16_t>((state.down ? 0x8000 : 0) | (state.pressed_since_query ? 1 : 0));
    state.pressed_since_query = false;
    return result;
  }
  if (vKey == vk::SHIFT) return m_shift ? static_cast<int16_t>(0x8000) : 0;
  if (vKey == vk::CONTROL) return m_ctrl ? static_cast<int16_t>(0x8000) : 0;
  return 0;
}

}  // namespace prevod
