#pragma once

// A private connection to the X server, apart from Qt's: the global button
// watcher, the key sender and the clipboard each have their own, so that
// what they read and wait for never mixes with the widgets' events. X
// protocol errors on these connections (a window that vanished while a
// request was on its way) are ignored rather than ending the process.

#include <string>

struct _XDisplay;

namespace prevod {

class XConnection {
 public:
  // Connects to $DISPLAY; throws RuntimeError when there is no X server.
  XConnection();

  // What runs when any Xlib connection of the process loses its server; it
  // must not return.
  static void on_server_lost(void (*lost)());
  ~XConnection();
  XConnection(const XConnection&) = delete;
  XConnection& operator=(const XConnection&) = delete;

  _XDisplay* display() const { return m_display; }
  // The socket, for waiting on it with poll().
  int fd() const;
  // Whether the server has the named extension; sets its major opcode and
  // first event number when it has.
  bool has_extension(const char* name, int* opcode = nullptr, int* first_event = nullptr) const;

 private:
  _XDisplay* m_display = nullptr;
};

}  // namespace prevod
