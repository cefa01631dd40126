#include "platform/qt/global_buttons.h"

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

#include <chrono>

#include "base/trace.h"
#include "platform/keys.h"
#include "platform/qt/x_connection.h"

namespace prevod {
namespace {

// X numbers the right button 3; 2 is the middle one.
constexpr int kLeftButton = 1;
constexpr int kRightButton = 3;

}  // namespace

GlobalButtons::GlobalButtons(Trace& trace, Clock clock)
    : m_trace(trace), m_connection(std::make_unique<XConnection>()), m_clock(std::move(clock)) {
  if (!m_clock) {
    m_clock = [start = std::chrono::steady_clock::now()] {
      return std::chrono::duration_cast<std::chrono::milliseconds>(
                 std::chrono::steady_clock::now() - start)
          .count();
    };
  }
  int opcode = 0;
  int major = 2;
  int minor = 2;
  if (!m_connection->has_extension("XInputExtension", &opcode) ||
      XIQueryVersion(m_connection->display(), &major, &minor) != Success || major < 2) {
    m_trace.line(
        "capture: the X server has no XInput 2; mouse buttons of other programs "
        "cannot be watched");
    return;
  }
  m_xi_opcode = opcode;
  select_raw_events(false);
  read_initial_state();
}

GlobalButtons::~GlobalButtons() = default;

void GlobalButtons::select_raw_events(bool with_motion) {
  Display* display = m_connection->display();
  unsigned char mask_bits[XIMaskLen(XI_LASTEVENT)] = {};
  XISetMask(mask_bits, XI_RawButtonPress);
  XISetMask(mask_bits, XI_RawButtonRelease);
  if (with_motion) XISetMask(mask_bits, XI_RawMotion);
  XIEventMask mask{XIAllMasterDevices, sizeof mask_bits, mask_bits};
  XISelectEvents(display, DefaultRootWindow(display), &mask, 1);
  XFlush(display);
}

void GlobalButtons::read_initial_state() {
  // A button held down while we start counts as down, not as a new press.
  Display* display = m_connection->display();
  ::Window root = 0;
  ::Window child = 0;
  int root_x = 0, root_y = 0, x = 0, y = 0;
  unsigned int buttons = 0;
  if (!XQueryPointer(display, DefaultRootWindow(display), &root, &child, &root_x, &root_y, &x, &y,
                     &buttons)) {
    return;
  }
  m_left.down = (buttons & Button1Mask) != 0;
  m_right.down = (buttons & Button3Mask) != 0;
}

void GlobalButtons::drain() {
  Display* display = m_connection->display();
  while (XPending(display) > 0) {
    XEvent event;
    XNextEvent(display, &event);
    XGenericEventCookie* cookie = &event.xcookie;
    if (cookie->type != GenericEvent || cookie->extension != m_xi_opcode) continue;
    if (!XGetEventData(display, cookie)) continue;
    if (cookie->evtype == XI_RawMotion) {
      // One is news enough until the pointer is read again.
      if (!m_pointer.moved) select_raw_events(false);
      m_pointer.moved = true;
    } else if (cookie->evtype == XI_RawButtonPress || cookie->evtype == XI_RawButtonRelease) {
      auto* raw = static_cast<XIRawEvent*>(cookie->data);
      Button* button = raw->detail == kLeftButton    ? &m_left
                       : raw->detail == kRightButton ? &m_right
                                                     : nullptr;
      if (button != nullptr) {
        bool press = cookie->evtype == XI_RawButtonPress;
        button->down = press;
        if (press) button->pressed_since_query = true;
      }
    }
    XFreeEventData(display, cookie);
  }
}

int16_t GlobalButtons::async_key_state(int32_t vkey) {
  if (vkey != vk::LBUTTON && vkey != vk::RBUTTON) return 0;
  if (watching()) drain();
  Button& button = vkey == vk::LBUTTON ? m_left : m_right;
  int16_t state =
      static_cast<int16_t>((button.down ? 0x8000 : 0) | (button.pressed_since_query ? 1 : 0));
  button.pressed_since_query = false;
  return state;
}

bool GlobalButtons::cursor_pos(int32_t& x, int32_t& y) {
  if (watching()) drain();
  if (!pointer_fresh() && !read_pointer()) return false;
  x = m_pointer.x;
  y = m_pointer.y;
  return true;
}

bool GlobalButtons::pointer_fresh() const {
  // Without raw events no motion is ever heard of: each query reads.
  return watching() && m_pointer.known && !m_pointer.moved &&
         m_clock() - m_pointer.read_at < PointerRefreshMs;
}

bool GlobalButtons::read_pointer() {
  Display* display = m_connection->display();
  // Motion is watched again before the reading, so none after it goes
  // unheard.
  if (watching() && (m_pointer.moved || !m_pointer.known)) select_raw_events(true);
  ::Window root = 0;
  ::Window child = 0;
  int root_x = 0, root_y = 0, win_x = 0, win_y = 0;
  unsigned int buttons = 0;
  ++m_pointer_readings;
  if (!XQueryPointer(display, DefaultRootWindow(display), &root, &child, &root_x, &root_y, &win_x,
                     &win_y, &buttons)) {
    m_pointer.known = false;
    return false;
  }
  m_pointer = Pointer{true, false, m_clock(), root_x, root_y};
  return true;
}

}  // namespace prevod
