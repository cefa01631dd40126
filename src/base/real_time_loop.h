#pragma once

// The event loop on the wall clock: it sleeps until the next deadline or
// until another thread posts work (the console reader, the speech worker).

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

#include "base/event_loop.h"

namespace prevod {

class RealTimeLoop : public EventLoop {
 public:
  RealTimeLoop();
  int64_t now() const override;
  void post(Callback callback) override;
  // Runs until quit() is called.
  void run();
  // Wakes the loop from another thread so it notices quit().
  void quit_from_any_thread();

 private:
  std::chrono::steady_clock::time_point m_start;
  std::mutex m_mutex;
  std::condition_variable m_wake;
  std::vector<Callback> m_posted;
  bool m_quit_requested = false;
};

}  // namespace prevod
