#pragma once

// The event loop on a virtual clock that moves only when told. Tests and the
// simulated-desktop console drive it: advance(ms) runs everything that falls
// due in that span, in deadline order, with the clock set to each deadline
// as it runs; run_until steps until a condition holds.

#include <functional>
#include <mutex>
#include <vector>

#include "base/event_loop.h"

namespace prevod {

class SimulatedLoop : public EventLoop {
 public:
  // The clock stops here: 2^53 ms, some 285,000 years, leaves every
  // deadline scheduled from it far inside the clock's range.
  static constexpr int64_t EndOfTime = int64_t{1} << 53;

  int64_t now() const override { return m_now; }
  void post(Callback callback) override;

  // Moves the clock forward by `ms` (no further than EndOfTime), running
  // what falls due on the way.
  void advance(int64_t ms);
  // Steps through due callbacks until `done` holds or `limit_ms` of virtual
  // time have passed; returns whether `done` holds.
  bool run_until(const std::function<bool()>& done, int64_t limit_ms);
  // Runs what is due now (posted callbacks and zero-delay tasks).
  void run_pending();

 private:
  bool run_posted_now();

  int64_t m_now = 0;
  std::mutex m_mutex;
  std::vector<Callback> m_posted;
};

}  // namespace prevod
