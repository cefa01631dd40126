#include "platform/qt/x11_display.h"

#include <unistd.h>

#include <QApplication>
#include <QByteArray>
#include <QString>
#include <atomic>
#include <cstdlib>
#include <cstring>

#include "platform/qt/x_connection.h"

namespace prevod {
namespace {

QtMessageHandler g_qt_messages = nullptr;

[[noreturn]] void server_gone() {
  // Only the first thread to notice says so; _exit, because the other
  // threads may be inside Xlib and nothing may wait on the server.
  static std::atomic_flag said = ATOMIC_FLAG_INIT;
  if (!said.test_and_set()) {
    std::string line = std::string(X11Display::GoneLine) + "\n";
    ssize_t written = write(STDERR_FILENO, line.data(), line.size());
    (void)written;
  }
  _exit(1);
}

// Qt reports a broken connection as a warning and then exits through the
// atexit handlers, while other threads still run; the warning is taken as
// the sign to end at once instead.
void qt_message(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.contains(QLatin1String("X11 connection broke"))) server_gone();
  if (g_qt_messages) g_qt_messages(type, context, message);
}

}  // namespace

std::string X11Display::unavailable_reason() {
  const char* name = std::getenv("DISPLAY");
  if (name == nullptr || *name == '\0') return "no X display (DISPLAY is not set)";
  if (!XConnection::server_answers())
    return std::string("the X display ") + name + " does not answer";
  return "";
}

X11Display::X11Display(int& argc, char** argv) {
  // Qt's own choice would be Wayland under a Wayland session, where nothing
  // of this desktop (placement, stay-on-top, global buttons, XTest) exists.
  setenv("QT_QPA_PLATFORM", "xcb", 1);
  m_application = std::make_unique<QApplication>(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  // Qt installs its handlers as it connects; ours come after.
  g_qt_messages = qInstallMessageHandler(qt_message);
  XConnection::on_server_lost(server_gone);
}

X11Display::~X11Display() {
  qInstallMessageHandler(g_qt_messages);
  g_qt_messages = nullptr;
}

}  // namespace prevod
