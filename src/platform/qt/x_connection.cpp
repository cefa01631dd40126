#include "platform/qt/x_connection.h"

#include <X11/Xlib.h>

#include <mutex>

#include "base/runtime_error.h"

namespace prevod {
namespace {

int ignore_x_error(Display*, XErrorEvent*) {
  return 0;
}

void (*g_server_lost)() = nullptr;

int connection_lost(Display*) {
  g_server_lost();
  return 0;
}

}  // namespace

XConnection::XConnection() {
  // NOTE: Xlib's default handler ends the process on any protocol error.
  // Qt installs one that ignores them for its own connection; ours does the
  // same in processes without Qt on X (the tests, the benchmark).
  static std::once_flag handler_installed;
  std::call_once(handler_installed, [] { XSetErrorHandler(ignore_x_error); });
  m_display = XOpenDisplay(nullptr);
  if (m_display == nullptr) throw RuntimeError("Cannot connect to the X server");
}

void XConnection::on_server_lost(void (*lost)()) {
  g_server_lost = lost;
  XSetIOErrorHandler(connection_lost);
}

XConnection::~XConnection() {
  if (m_display != nullptr) XCloseDisplay(m_display);
}

int XConnection::fd() const {
  return ConnectionNumber(m_display);
}

bool XConnection::has_extension(const char* name, int* opcode, int* first_event) const {
  int major = 0;
  int event = 0;
  int error = 0;
  if (!XQueryExtension(m_display, name, &major, &event, &error)) return false;
  if (opcode != nullptr) *opcode = major;
  if (first_event != nullptr) *first_event = event;
  return true;
}

}  // namespace prevod
