#pragma once

// The event loop on Qt's event loop, for the real desktop. Scheduled
// callbacks, timer ticks included, wait on one single-shot precise QTimer
// aimed at the earliest deadline; when nothing is scheduled no timer is
// armed and the thread sleeps in Qt's loop until an event or a post arrives.
// The rules are those of every EventLoop: deadline order, ties in scheduling
// order, a callback never runs before its deadline, the input pump after
// each top-level handler, nested events through raise(). Widgets, the tray
// and the X connection share the same thread, so their events interleave
// with the model's handlers one at a time. A QCoreApplication (or one of its
// subclasses) must exist on this thread before the loop is made.

#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "base/event_loop.h"

class QObject;
class QTimer;

namespace prevod {

class QtLoop : public EventLoop {
 public:
  QtLoop();
  ~QtLoop() override;

  int64_t now() const override;
  // Thread-safe; the callback runs on the loop thread as a top-level handler.
  void post(Callback callback) override;

  // Runs Qt's event loop until quit() (from a handler) or
  // quit_from_any_thread().
  void run();
  void quit_from_any_thread();

  // While synthetic input that a handler sent is on its way back to our
  // windows, due callbacks wait for it: the desktop holds the loop once per
  // batch it sends and releases it when the batch has arrived. Handlers for
  // the window system's own events (the keys themselves, a person's clicks)
  // and posted callbacks still run meanwhile.
  void hold();
  void release();
  bool held() const { return m_holds > 0; }

  // The deadline the wake-up timer is aimed at, or -1 when it is idle.
  int64_t armed_deadline() const { return m_armed; }
  // How often the wake-up timer has fired (the benchmark's wake-up count).
  uint64_t wakeups() const { return m_wakeups; }

 protected:
  void deadline_added(int64_t when) override;

 private:
  void wake_up();
  void run_posted_now();
  void aim();
  void aim_at(int64_t when);

  std::chrono::steady_clock::time_point m_start;
  std::unique_ptr<QObject> m_context;
  std::unique_ptr<QTimer> m_timer;
  int64_t m_armed = -1;
  bool m_waking = false;
  int m_holds = 0;
  uint64_t m_wakeups = 0;

  std::mutex m_mutex;
  std::vector<Callback> m_posted;
};

}  // namespace prevod
