#pragma once

// The mouse buttons and the pointer of the whole desktop, for
// GetAsyncKeyState(1/2) and GetCursorPos. Button presses and releases come
// as XInput 2 raw events selected on the root window of a private
// connection; every query first drains what arrived since the last one, so
// a click shorter than the polling interval is still seen. Raw events report
// the physical buttons and reach us even while another program grabs the
// pointer. Without XInput 2 on the server the buttons read as never pressed
// and one trace line says why; the pointer position still works.
//
// The pointer position is read from the server (a round trip) only when it
// may have changed: a raw motion event since the last reading says so, and
// so does the age of the reading (a pointer warped by a program makes no
// raw event). While the pointer rests, the hover timer's query every 50 ms
// costs no round trip. Raw motion is selected only until the first motion
// after a reading arrives, so a moving mouse sends at most one event per
// query, however long nobody asks.

#include <cstdint>
#include <functional>
#include <memory>

#include "base/trace.h"

namespace prevod {

class XConnection;

class GlobalButtons {
 public:
  // Milliseconds on a steady clock.
  using Clock = std::function<int64_t()>;
  // How old a reading of the pointer may be before it is read again even
  // without news of motion.
  static constexpr int64_t PointerRefreshMs = 500;

  // Throws RuntimeError when there is no X server. `clock` dates the
  // readings of the pointer (the steady clock when unset).
  explicit GlobalButtons(Trace& trace, Clock clock = {});
  ~GlobalButtons();

  // Whether button events can be watched (the server has XInput 2).
  bool watching() const { return m_xi_opcode != 0; }
  // GetAsyncKeyState for vk 1 (left) and 2 (right): 0x8000 while the button
  // is down, plus 1 when it was pressed since the previous query of that
  // button; 0 for other keys.
  int16_t async_key_state(int32_t vkey);
  // The pointer position in screen pixels; false when it cannot be read.
  bool cursor_pos(int32_t& x, int32_t& y);
  // How many times the pointer was read from the server so far.
  int64_t pointer_readings() const { return m_pointer_readings; }

 private:
  struct Button {
    bool down = false;
    bool pressed_since_query = false;
  };
  struct Pointer {
    bool known = false;
    bool moved = false;  // a raw motion event came since the reading
    int64_t read_at = 0;
    int32_t x = 0;
    int32_t y = 0;
  };
  void select_raw_events(bool with_motion);
  void read_initial_state();
  void drain();
  bool pointer_fresh() const;
  bool read_pointer();

  Trace& m_trace;
  std::unique_ptr<XConnection> m_connection;
  int m_xi_opcode = 0;
  Button m_left;
  Button m_right;
  Clock m_clock;
  Pointer m_pointer;
  int64_t m_pointer_readings = 0;
};

}  // namespace prevod
