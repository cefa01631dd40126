#pragma once

// keybd_event on the real desktop: each virtual key goes to the X server as
// a synthetic press or release through the XTest extension, and reaches
// whichever window has the keyboard focus, in any program. A virtual key
// names a physical key (the key that carries it on a US keyboard), so it is
// mapped to that key's keycode through the XKB key names, never through the
// active layout's symbols: Ctrl+C still presses the C key while a Bulgarian
// layout is active, and the receiving program reads it as its copy chord.
// Programs read Ctrl+letter chords from the Latin letter that some group of
// the layout puts on the key; under a layout with no Latin group at all (a
// lone Bulgarian layout) a letter or digit goes out instead on a spare
// keycode that we give the Latin symbol, as xdotool does. The extended-key
// flag that every event carries picks the navigation block over the
// numeric keypad, as it does on Windows. Without XTest on the server nothing
// is sent and one trace line says why.

#include <array>
#include <cstdint>
#include <memory>

#include "base/trace.h"

namespace prevod {

class XConnection;

class XTestKeyboard {
 public:
  // Throws RuntimeError when there is no X server.
  explicit XTestKeyboard(Trace& trace);
  ~XTestKeyboard();

  bool sending() const { return m_has_xtest; }
  // One key going down or up; queued until flush().
  void send(uint8_t vkey, bool down);
  // Hands the queued events to the server, in order, and waits until it
  // has taken them: from then on each event has reached the window that had
  // the focus, and a request made afterwards on any connection is ordered
  // after them.
  void flush();
  // The physical key's keycode for a virtual key; 0 when it has none.
  int keycode(uint8_t vkey) const { return m_keycodes[vkey]; }
  // The keycode the virtual key is sent as under the current layout.
  int keycode_sent(uint8_t vkey);

 private:
  void map_keys();
  void notice_layout_changes(bool ours);
  bool layout_has_latin(uint8_t code, unsigned long latin) const;
  int spare_keycode_for(unsigned long latin);

  Trace& m_trace;
  std::unique_ptr<XConnection> m_connection;
  bool m_has_xtest = false;
  bool m_unmapped_traced = false;
  std::array<uint8_t, 256> m_keycodes{};
  // Spare keycodes given a Latin symbol, per virtual key; cleared when the
  // layout changes.
  std::array<uint8_t, 256> m_spare{};
  int m_xkb_event = -1;
};

}  // namespace prevod
