#pragma once

// Test helpers that work the voice reader player the way the host program
// does: the focus step, the key chords and list picks, and the host's
// keystroke chains, each sent as key-down and key-up events with the Shift
// and Ctrl state of the moment. Also a clipboard kept in memory.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/runtime_error.h"
#include "platform/clipboard.h"
#include "platform/keys.h"
#include "platform/page/plugin.h"

namespace prevod {

class MemoryClipboard : public Clipboard {
 public:
  void Clear() override {
    check();
    m_text.clear();
  }
  void SetText(const std::string& text) override {
    check();
    m_text = text;
  }
  std::string GetText() override {
    check();
    return m_text;
  }
  // While held, every call throws as when another program has it open.
  void set_held(bool held) { m_held = held; }
  const std::string& text() const { return m_text; }

 private:
  void check() const {
    if (m_held) throw RuntimeError("clipboard held by another program");
  }
  std::string m_text;
  bool m_held = false;
};

class HostKeys {
 public:
  using FocusStep = std::function<void()>;
  using KeySink = std::function<void(const KeyEvent&)>;

  // Works the player directly: its focus and click, its key events.
  explicit HostKeys(Plugin& player)
      : m_focus_step([&player] {
          player.focus();
          player.click();
        }),
        m_sink([&player](const KeyEvent& event) { player.key_event(event); }) {}
  // Works it through something else, such as a page holding the player.
  HostKeys(FocusStep focus_step, KeySink sink)
      : m_focus_step(std::move(focus_step)), m_sink(std::move(sink)) {}

  // The focus step: the element's focus, then its click.
  void focus_player() { m_focus_step(); }

  void key_down(uint8_t code) {
    if (code == vk::SHIFT) m_shift = true;
    if (code == vk::CONTROL) m_ctrl = true;
    send(code, true);
  }
  void key_up(uint8_t code) {
    if (code == vk::SHIFT) m_shift = false;
    if (code == vk::CONTROL) m_ctrl = false;
    send(code, false);
  }
  void tap(uint8_t code) {
    key_down(code);
    key_up(code);
  }
  void chord(uint8_t modifier, uint8_t code) {
    key_down(modifier);
    tap(code);
    key_up(modifier);
  }

  void press_tab() { tap(vk::TAB); }
  void press_shift_tab() { chord(vk::SHIFT, vk::TAB); }
  void press_enter() { tap(vk::RETURN); }
  void press_delete() { tap(vk::DELETE_); }
  void press_ctrl_a() { chord(vk::CONTROL, vk::A); }
  void press_ctrl_c() { chord(vk::CONTROL, vk::C); }
  void press_ctrl_v() { chord(vk::CONTROL, vk::V); }
  void pick_list_from_top() {
    for (int i = 0; i < 5; ++i) tap(vk::PRIOR);
    for (int i = 0; i < 5; ++i) tap(vk::DOWN);
  }
  void pick_list_from_bottom() {
    for (int i = 0; i < 5; ++i) tap(vk::PRIOR);
    for (int i = 0; i < 5; ++i) tap(vk::NEXT);
    for (int i = 0; i < 4; ++i) tap(vk::UP);
  }

  // The host's chains, each step as the host sends it.
  void reshape() {
    focus_player();
    press_tab();
  }
  void startup_selection() {
    focus_player();
    for (int i = 0; i < 3; ++i) press_shift_tab();
    pick_list_from_top();
    press_enter();
    press_tab();
  }
  void english_selection() { language_selection(Pick::FromTop); }
  void russian_selection() { language_selection(Pick::FromBottom); }
  void speak() {
    focus_player();
    for (int i = 0; i < 3; ++i) press_shift_tab();
    press_ctrl_a();
    press_delete();
    press_ctrl_v();
    press_tab();
    press_enter();
    press_tab();
    press_tab();
    press_enter();
  }
  void check() {
    focus_player();
    press_tab();
    press_shift_tab();
    press_shift_tab();
    press_ctrl_c();
  }

  // Every key event sent so far.
  const std::vector<KeyEvent>& sent() const { return m_sent; }

 private:
  enum class Pick { FromTop, FromBottom };

  void language_selection(Pick last) {
    focus_player();
    press_tab();
    press_shift_tab();
    press_shift_tab();
    pick_list_from_top();
    press_enter();
    press_tab();
    if (last == Pick::FromTop) {
      pick_list_from_top();
    } else {
      pick_list_from_bottom();
    }
    press_enter();
    press_tab();
  }

  void send(uint8_t code, bool down) {
    KeyEvent event;
    event.code = code;
    event.down = down;
    event.shift = m_shift;
    event.ctrl = m_ctrl;
    m_sent.push_back(event);
    m_sink(event);
  }

  FocusStep m_focus_step;
  KeySink m_sink;
  bool m_shift = false;
  bool m_ctrl = false;
  std::vector<KeyEvent> m_sent;
};

}  // namespace prevod
