#include "base/simulated_loop.h"

#include <algorithm>

namespace prevod {

void SimulatedLoop::post(Callback callback) {
  std::lock_guard lock(m_mutex);
  m_posted.push_back(std::move(callback));
}

bool SimulatedLoop::run_posted_now() {
  std::vector<Callback> posted;
  {
    std::lock_guard lock(m_mutex);
    posted.swap(m_posted);
  }
  if (posted.empty()) return false;
  run_posted(posted);
  return true;
}

void SimulatedLoop::run_pending() {
  advance(0);
}

namespace {

// now + ms, kept within [now, EndOfTime] without overflowing.
int64_t later(int64_t now, int64_t ms) {
  if (ms <= 0) return now;
  return ms >= SimulatedLoop::EndOfTime - now ? std::max(now, SimulatedLoop::EndOfTime) : now + ms;
}

}  // namespace

void SimulatedLoop::advance(int64_t ms) {
  int64_t target = later(m_now, ms);
  while (!has_quit()) {
    if (run_posted_now()) continue;
    int64_t next = next_deadline();
    if (next < 0 || next > target) break;
    if (next > m_now) m_now = next;
    run_one_due(m_now);
  }
  if (!has_quit()) m_now = target;
}

bool SimulatedLoop::run_until(const std::function<bool()>& done, int64_t limit_ms) {
  int64_t limit = later(m_now, limit_ms);
  while (!done() && !has_quit()) {
    if (run_posted_now()) continue;
    int64_t next = next_deadline();
    if (next < 0 || next > limit) {
      m_now = limit;
      break;
    }
    if (next > m_now) m_now = next;
    run_one_due(m_now);
  }
  return done();
}

}  // namespace prevod
