#pragma once

// A fence in the stream of events that the X server sends to Qt's
// connection. raise() puts a marker behind everything the server has
// delivered to us so far (the synthetic keys it has just taken included);
// the marker's callback runs once Qt has read everything before it. Qt
// hands the events it reads to the widgets in the same turn of its loop and
// the callback runs in a later turn, so by then every key that came before
// the marker has reached our windows.
//
// The marker is a client message sent to a window of our own that is never
// shown; the server delivers such a message to the window's creator, Qt's
// connection, in order with the rest. A marker that does not come back
// within the limit (the server is stuck or gone) runs its callback anyway,
// so that nothing waits on it for ever.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>

class QObject;

namespace prevod {

class X11InputFence {
 public:
  using Landed = std::function<void()>;
  static constexpr int LimitMs = 1000;

  // Throws RuntimeError unless the application runs on Qt's xcb platform.
  X11InputFence();
  ~X11InputFence();
  X11InputFence(const X11InputFence&) = delete;
  X11InputFence& operator=(const X11InputFence&) = delete;

  // Sends a marker; `landed` runs on the window thread, once, when it has
  // come back or the limit has passed. Callbacks of markers still out when
  // the fence is destroyed never run.
  void raise(Landed landed);
  // Markers sent and not yet back.
  size_t in_flight() const { return m_out.size(); }

 private:
  class Filter;
  void came_back(uint32_t serial);

  void* m_connection = nullptr;  // xcb_connection_t
  uint32_t m_window = 0;
  uint32_t m_atom = 0;
  uint32_t m_next_serial = 1;
  std::map<uint32_t, Landed> m_out;
  // The callbacks' context: what is still scheduled goes with it.
  std::unique_ptr<QObject> m_context;
  std::unique_ptr<Filter> m_filter;
};

}  // namespace prevod
