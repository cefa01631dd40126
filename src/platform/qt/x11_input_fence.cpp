#include "platform/qt/x11_input_fence.h"

#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QTimer>
#include <cstdlib>
#include <cstring>

#include "base/runtime_error.h"

namespace prevod {
namespace {

constexpr const char* kMarkerName = "_PREVOD_INPUT_FENCE";

xcb_connection_t* xcb(void* connection) {
  return static_cast<xcb_connection_t*>(connection);
}

}  // namespace

class X11InputFence::Filter : public QAbstractNativeEventFilter {
 public:
  explicit Filter(X11InputFence& fence) : m_fence(fence) {}

  bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
    if (type != "xcb_generic_event_t") return false;
    auto* event = static_cast<xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_CLIENT_MESSAGE) return false;
    auto* marker = reinterpret_cast<xcb_client_message_event_t*>(event);
    if (marker->window != m_fence.m_window || marker->type != m_fence.m_atom) return false;
    uint32_t serial = marker->data.data32[0];
    // Qt delivers the events it read before the marker in this same turn;
    // the callback runs after them.
    QTimer::singleShot(0, m_fence.m_context.get(),
                       [fence = &m_fence, serial] { fence->came_back(serial); });
    return true;
  }

 private:
  X11InputFence& m_fence;
};

X11InputFence::X11InputFence() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (x11 == nullptr) throw RuntimeError("Not running on an X server");
  m_connection = x11->connection();
  xcb_connection_t* connection = xcb(m_connection);
  xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
  m_window = xcb_generate_id(connection);
  uint32_t override_redirect = 1;
  xcb_create_window(connection, XCB_COPY_FROM_PARENT, m_window, screen->root, -1, -1, 1, 1, 0,
                    XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_OVERRIDE_REDIRECT,
                    &override_redirect);
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
      connection,
      xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(kMarkerName)), kMarkerName),
      nullptr);
  m_atom = reply ? reply->atom : static_cast<uint32_t>(XCB_ATOM_NONE);
  std::free(reply);
  m_context = std::make_unique<QObject>();
  m_filter = std::make_unique<Filter>(*this);
  qApp->installNativeEventFilter(m_filter.get());
}

X11InputFence::~X11InputFence() {
  qApp->removeNativeEventFilter(m_filter.get());
  xcb_destroy_window(xcb(m_connection), m_window);
  xcb_flush(xcb(m_connection));
}

void X11InputFence::raise(Landed landed) {
  uint32_t serial = m_next_serial++;
  m_out.emplace(serial, std::move(landed));
  xcb_client_message_event_t marker{};
  marker.response_type = XCB_CLIENT_MESSAGE;
  marker.format = 32;
  marker.window = m_window;
  marker.type = m_atom;
  marker.data.data32[0] = serial;
  xcb_send_event(xcb(m_connection), 0, m_window, XCB_EVENT_MASK_NO_EVENT,
                 reinterpret_cast<const char*>(&marker));
  xcb_flush(xcb(m_connection));
  QTimer::singleShot(LimitMs, m_context.get(), [this, serial] { came_back(serial); });
}

void X11InputFence::came_back(uint32_t serial) {
  auto found = m_out.find(serial);
  if (found == m_out.end()) return;
  Landed landed = std::move(found->second);
  m_out.erase(found);
  landed();
}

}  // namespace prevod
