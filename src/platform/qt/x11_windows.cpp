#include "platform/qt/x11_windows.h"

#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "base/runtime_error.h"

namespace prevod {
namespace {

constexpr const char* kParkedProperty = "prevod_parked";
// How long the window manager gets to let go of a window we park, and a
// window being shown to reach the screen before it takes the focus.
constexpr auto kWindowManagerWait = std::chrono::milliseconds(500);

xcb_connection_t* xcb(void* connection) {
  return static_cast<xcb_connection_t*>(connection);
}

xcb_window_t id_of(const QWindow& window) {
  return static_cast<xcb_window_t>(window.winId());
}

xcb_atom_t atom(xcb_connection_t* connection, const char* name) {
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
      connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name),
      nullptr);
  xcb_atom_t result = reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
  std::free(reply);
  return result;
}

// The 32-bit items of a window property; empty when it has none.
std::vector<uint32_t> property_items(xcb_connection_t* connection, xcb_window_t window,
                                     xcb_atom_t property) {
  xcb_get_property_reply_t* reply = xcb_get_property_reply(
      connection,
      xcb_get_property(connection, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 64), nullptr);
  std::vector<uint32_t> items;
  if (reply != nullptr && reply->format == 32) {
    auto* values = static_cast<uint32_t*>(xcb_get_property_value(reply));
    items.assign(values, values + xcb_get_property_value_length(reply) / 4);
  }
  std::free(reply);
  return items;
}

// Waits a little at a time, at most `limit`, for a condition of the server.
template <typename Condition>
bool wait_for(Condition done, std::chrono::milliseconds limit) {
  auto end = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

}  // namespace

X11Windows::X11Windows() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (x11 == nullptr) throw RuntimeError("Not running on an X server");
  m_connection = x11->connection();
  m_root = xcb_setup_roots_iterator(xcb_get_setup(xcb(m_connection))).data->root;
}

bool X11Windows::window_manager_runs() const {
  xcb_connection_t* connection = xcb(m_connection);
  xcb_atom_t check = atom(connection, "_NET_SUPPORTING_WM_CHECK");
  std::vector<uint32_t> root_says = property_items(connection, m_root, check);
  if (root_says.empty()) return false;
  // A window manager that went away leaves a stale property behind; a live
  // one's check window names itself.
  std::vector<uint32_t> child_says = property_items(connection, root_says[0], check);
  return !child_says.empty() && child_says[0] == root_says[0];
}

bool X11Windows::wholly_off_screen(const QRect& geometry) const {
  QRect screen = root_geometry();
  return !screen.isEmpty() && !screen.intersects(geometry);
}

bool X11Windows::parked(const QWindow& window) const {
  return window.property(kParkedProperty).toBool();
}

void X11Windows::place(QWindow& window, const QRect& geometry) {
  window.create();
  if (!window_manager_runs()) return configure(window, geometry);
  bool off_screen = wholly_off_screen(geometry);
  if (off_screen && !parked(window)) return park(window, geometry);
  if (!off_screen && parked(window)) return unpark(window, geometry);
  configure(window, geometry);
}

void X11Windows::configure(const QWindow& window, const QRect& geometry) {
  // Qt learns the place too, so that it shows the window there; the request
  // of our own then puts it there even where Qt believes it already is.
  qreal ratio = window.devicePixelRatio();
  QRect logical(static_cast<int>(std::lround(geometry.x() / ratio)),
                static_cast<int>(std::lround(geometry.y() / ratio)),
                static_cast<int>(std::lround(geometry.width() / ratio)),
                static_cast<int>(std::lround(geometry.height() / ratio)));
  const_cast<QWindow&>(window).setGeometry(logical);
  uint32_t values[] = {static_cast<uint32_t>(geometry.x()), static_cast<uint32_t>(geometry.y()),
                       static_cast<uint32_t>(std::max(1, geometry.width())),
                       static_cast<uint32_t>(std::max(1, geometry.height()))};
  xcb_configure_window(xcb(m_connection), id_of(window),
                       XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_WIDTH |
                           XCB_CONFIG_WINDOW_HEIGHT,
                       values);
  xcb_flush(xcb(m_connection));
}

void X11Windows::park(QWindow& window, const QRect& geometry) {
  xcb_connection_t* connection = xcb(m_connection);
  bool shown = window.isVisible();
  if (shown) {
    // Withdrawing a managed window: unmap it and tell the window manager
    // with a synthetic UnmapNotify on the root window.
    xcb_unmap_window(connection, id_of(window));
    xcb_unmap_notify_event_t notice{};
    notice.response_type = XCB_UNMAP_NOTIFY;
    notice.event = m_root;
    notice.window = id_of(window);
    xcb_send_event(connection, 0, m_root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&notice));
    xcb_flush(connection);
    wait_until_withdrawn(window);
  }
  window.setFlags(window.flags() | Qt::X11BypassWindowManagerHint);
  configure(window, geometry);
  if (shown) xcb_map_window(connection, id_of(window));
  xcb_flush(connection);
  window.setProperty(kParkedProperty, true);
}

void X11Windows::unpark(QWindow& window, const QRect& geometry) {
  xcb_connection_t* connection = xcb(m_connection);
  bool shown = window.isVisible();
  if (shown) xcb_unmap_window(connection, id_of(window));
  window.setFlags(window.flags() & ~Qt::X11BypassWindowManagerHint);
  configure(window, geometry);
  ask_for_position(window, geometry);
  announce_state(window);
  if (shown) xcb_map_window(connection, id_of(window));
  xcb_flush(connection);
  window.setProperty(kParkedProperty, false);
}

void X11Windows::wait_until_withdrawn(const QWindow& window) {
  // The window manager lets go by taking the window out of its frame and
  // dropping WM_STATE (or setting it to withdrawn).
  xcb_connection_t* connection = xcb(m_connection);
  xcb_atom_t wm_state = atom(connection, "WM_STATE");
  wait_for(
      [&] {
        xcb_query_tree_reply_t* tree =
            xcb_query_tree_reply(connection, xcb_query_tree(connection, id_of(window)), nullptr);
        bool at_root = tree != nullptr && tree->parent == m_root;
        std::free(tree);
        std::vector<uint32_t> state = property_items(connection, id_of(window), wm_state);
        return at_root && (state.empty() || state[0] == 0);
      },
      kWindowManagerWait);
}

void X11Windows::ask_for_position(const QWindow& window, const QRect& geometry) {
  // WM_NORMAL_HINTS with the user-given position, so that the window
  // manager maps the window where it is instead of placing it itself.
  constexpr uint32_t kUSPosition = 1;
  constexpr uint32_t kPPosition = 4;
  xcb_connection_t* connection = xcb(m_connection);
  std::vector<uint32_t> hints = property_items(connection, id_of(window), XCB_ATOM_WM_NORMAL_HINTS);
  hints.resize(std::max<size_t>(hints.size(), 18), 0);
  hints[0] |= kUSPosition | kPPosition;
  hints[1] = static_cast<uint32_t>(geometry.x());
  hints[2] = static_cast<uint32_t>(geometry.y());
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id_of(window), XCB_ATOM_WM_NORMAL_HINTS,
                      XCB_ATOM_WM_SIZE_HINTS, 32, static_cast<uint32_t>(hints.size()),
                      hints.data());
}

void X11Windows::announce_state(const QWindow& window) {
  // A window manager drops _NET_WM_STATE when a window is withdrawn; the
  // window comes back in its band only if the property says so at map.
  xcb_connection_t* connection = xcb(m_connection);
  xcb_atom_t net_wm_state = atom(connection, "_NET_WM_STATE");
  xcb_atom_t above = atom(connection, "_NET_WM_STATE_ABOVE");
  std::vector<uint32_t> states = property_items(connection, id_of(window), net_wm_state);
  std::erase(states, above);
  if (window.flags() & Qt::WindowStaysOnTopHint) states.push_back(above);
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id_of(window), net_wm_state, XCB_ATOM_ATOM,
                      32, static_cast<uint32_t>(states.size()), states.data());
}

void X11Windows::set_topmost(QWindow& window, bool topmost) {
  window.setFlags(window.flags().setFlag(Qt::WindowStaysOnTopHint, topmost));
}

bool X11Windows::viewable(const QWindow& window) const {
  return viewable(id_of(window));
}

bool X11Windows::focus(QWindow& window) {
  if (!window.handle()) return false;
  // A window just shown may still be on its way through the window manager.
  if (!wait_for([&] { return viewable(window); }, kWindowManagerWait)) return false;
  xcb_connection_t* connection = xcb(m_connection);
  xcb_generic_error_t* error =
      xcb_request_check(connection, xcb_set_input_focus_checked(connection, XCB_INPUT_FOCUS_PARENT,
                                                                id_of(window), XCB_CURRENT_TIME));
  bool focused = error == nullptr;
  std::free(error);
  return focused;
}

bool X11Windows::has_focus(const QWindow& window) const {
  if (!window.handle()) return false;
  xcb_connection_t* connection = xcb(m_connection);
  xcb_get_input_focus_reply_t* focus =
      xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr);
  bool ours = focus != nullptr && focus->focus == id_of(window);
  std::free(focus);
  return ours;
}

QRect X11Windows::tray_area() const {
  xcb_connection_t* connection = xcb(m_connection);
  int screen_number = 0;
  for (xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection)); it.rem;
       xcb_screen_next(&it), ++screen_number) {
    if (it.data->root == m_root) break;
  }
  std::string selection = "_NET_SYSTEM_TRAY_S" + std::to_string(screen_number);
  xcb_get_selection_owner_reply_t* owner = xcb_get_selection_owner_reply(
      connection, xcb_get_selection_owner(connection, atom(connection, selection.c_str())),
      nullptr);
  xcb_window_t tray = owner != nullptr ? owner->owner : static_cast<xcb_window_t>(XCB_NONE);
  std::free(owner);
  if (tray == XCB_NONE) return QRect();
  // The owner of the selection is often a window of its own that is never
  // shown; what the person sees is the tray host's largest window on the
  // screen. A client's windows share the bits of their ids above the
  // resource mask.
  uint32_t client_bits = ~xcb_get_setup(connection)->resource_id_mask;
  QRect area = geometry_of(tray);
  QRect screen = root_geometry();
  for (xcb_window_t candidate : top_level_windows()) {
    if ((candidate & client_bits) != (tray & client_bits) || !viewable(candidate)) continue;
    QRect shown = geometry_of(candidate) & screen;
    if (shown.width() * shown.height() > (area & screen).width() * (area & screen).height())
      area = geometry_of(candidate);
  }
  return area;
}

QRect X11Windows::root_geometry() const {
  xcb_connection_t* connection = xcb(m_connection);
  xcb_get_geometry_reply_t* root =
      xcb_get_geometry_reply(connection, xcb_get_geometry(connection, m_root), nullptr);
  QRect screen = root != nullptr ? QRect(0, 0, root->width, root->height) : QRect();
  std::free(root);
  return screen;
}

std::vector<uint32_t> X11Windows::top_level_windows() const {
  // The root's children, and under a window manager the windows it framed.
  xcb_connection_t* connection = xcb(m_connection);
  std::vector<uint32_t> windows =
      property_items(connection, m_root, atom(connection, "_NET_CLIENT_LIST"));
  xcb_query_tree_reply_t* tree =
      xcb_query_tree_reply(connection, xcb_query_tree(connection, m_root), nullptr);
  if (tree != nullptr) {
    xcb_window_t* children = xcb_query_tree_children(tree);
    windows.insert(windows.end(), children, children + xcb_query_tree_children_length(tree));
  }
  std::free(tree);
  return windows;
}

bool X11Windows::viewable(uint32_t window) const {
  xcb_connection_t* connection = xcb(m_connection);
  xcb_get_window_attributes_reply_t* attributes = xcb_get_window_attributes_reply(
      connection, xcb_get_window_attributes(connection, window), nullptr);
  bool result = attributes != nullptr && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
  std::free(attributes);
  return result;
}

QRect X11Windows::geometry_of(uint32_t window) const {
  xcb_connection_t* connection = xcb(m_connection);
  xcb_translate_coordinates_reply_t* origin = xcb_translate_coordinates_reply(
      connection, xcb_translate_coordinates(connection, window, m_root, 0, 0), nullptr);
  xcb_get_geometry_reply_t* size =
      xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr);
  QRect result;
  if (origin != nullptr && size != nullptr) {
    result = QRect(origin->dst_x, origin->dst_y, size->width, size->height);
  }
  std::free(origin);
  std::free(size);
  return result;
}

QRect X11Windows::server_geometry(const QWindow& window) const {
  return geometry_of(id_of(window));
}

}  // namespace prevod
