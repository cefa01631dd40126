#pragma once

// The mouse buttons and the pointer of the whole desktop, for
// GetAsyncKeyState(1/2) and GetCursorPos. Button presses and releases come
// as XInput 2 raw events selected on the root window of a private
// connection; every query first drains what arrived since the last one, so
// a click shorter than the polling interval is still seen. Raw events report
// the physical buttons and reach us even while another program grabs the
// pointer. Without XInput 2 on the server the buttons read as never pressed
// and one trace line says why; the pointer position still works.

#include <cstdint>
#include <memory>

#include "base/trace.h"

namespace prevod {

class XConnection;

class GlobalButtons {
 public:
  // Throws RuntimeError when there is no X server.
  explicit GlobalButtons(Trace& trace);
  ~GlobalButtons();

  // Whether button events can be watched (the server has XInput 2).
  bool watching() const { return m_xi_opcode != 0; }
  // GetAsyncKeyState for vk 1 (left) and 2 (right): 0x8000 while the button
  // is down, plus 1 when it was pressed since the previous query of that
  // button; 0 for other keys.
  int16_t async_key_state(int32_t vkey);
  // The pointer position in screen pixels; false when it cannot be read.
  bool cursor_pos(int32_t& x, int32_t& y);

 private:
  struct Button {
    bool down = false;
    bool pressed_since_query = false;
  };
  void select_raw_buttons();
  void read_initial_state();
  void drain();

  Trace& m_trace;
  std::unique_ptr<XConnection> m_connection;
  int m_xi_opcode = 0;
  Button m_left;
  Button m_right;
};

}  // namespace prevod
