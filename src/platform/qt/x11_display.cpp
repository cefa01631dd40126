#include "platform/qt/x11_display.h"

#include <signal.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <QApplication>
#include <QGuiApplication>
#include <QString>
#include <atomic>
#include <cstdlib>

#include "base/runtime_error.h"
#include "platform/qt/x_connection.h"

namespace prevod {
namespace {

QtMessageHandler g_qt_messages = nullptr;
// Qt's own connection to the server, once Qt has made it.
std::atomic<xcb_connection_t*> g_qt_connection{nullptr};

// Writes one line and ends the process at once: _exit, because other
// threads may be inside Xlib, and nothing may wait on the server. Only the
// first thread to get here says anything.
[[noreturn]] void end_with(const std::string& line) {
  static std::atomic_flag said = ATOMIC_FLAG_INIT;
  if (!said.test_and_set()) {
    std::string text = line + "\n";
    ssize_t written = write(STDERR_FILENO, text.data(), text.size());
    (void)written;
  }
  _exit(1);
}

[[noreturn]] void server_gone() {
  end_with(X11Display::GoneLine);
}

// Qt reports a connection it cannot make, or one that broke, as a message
// and then aborts, or exits through the atexit handlers while other threads
// still run; the message is taken as the sign to end at once instead.
//
// Qt may also speak of a broken connection before it says it broke: a
// window icon "exceeds maximum xcb request length 0", a shared memory
// segment that could not be made. Whatever Qt says once its connection has
// failed is an echo of the server's going, and ends the program alike.
void qt_message(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.contains(QLatin1String("X11 connection broke"))) server_gone();
  xcb_connection_t* connection = g_qt_connection.load();
  if (connection != nullptr && xcb_connection_has_error(connection)) server_gone();
  if (message.contains(QLatin1String("could not connect to display"))) {
    const char* name = std::getenv("DISPLAY");
    end_with(std::string("prevod: the X display ") + (name ? name : "") + " does not answer");
  }
  if (g_qt_messages) g_qt_messages(type, context, message);
}

}  // namespace

std::unique_ptr<X11Display> X11Display::open(int& argc, char** argv, std::string& why) {
  const char* name = std::getenv("DISPLAY");
  if (name == nullptr || *name == '\0') {
    why = "no X display (DISPLAY is not set)";
    return nullptr;
  }
  std::unique_ptr<XConnection> probe;
  try {
    probe = std::make_unique<XConnection>();
  } catch (const RuntimeError&) {
    why = std::string("the X display ") + name + " does not answer";
    return nullptr;
  }
  // The probe stays connected until Qt is: a server whose last client
  // leaves resets itself, and refuses connections meanwhile.
  return std::unique_ptr<X11Display>(new X11Display(argc, argv));
}

X11Display::X11Display(int& argc, char** argv) {
  // Qt's own choice would be Wayland under a Wayland session, where nothing
  // of this desktop (placement, stay-on-top, global buttons, XTest) exists.
  setenv("QT_QPA_PLATFORM", "xcb", 1);
  g_qt_messages = qInstallMessageHandler(qt_message);
  m_application = std::make_unique<QApplication>(argc, argv);
  if (auto* x11 = m_application->nativeInterface<QNativeInterface::QX11Application>()) {
    g_qt_connection = x11->connection();
  }
  QApplication::setQuitOnLastWindowClosed(false);
  // A write to a server that has gone would end the process with SIGPIPE,
  // silently; the connection's own error is what tells us instead.
  signal(SIGPIPE, SIG_IGN);
  // Qt installs its own handler as it connects; ours comes after.
  XConnection::on_server_lost(server_gone);
}

X11Display::~X11Display() {
  g_qt_connection = nullptr;
  m_application.reset();
  qInstallMessageHandler(g_qt_messages);
  g_qt_messages = nullptr;
}

}  // namespace prevod
