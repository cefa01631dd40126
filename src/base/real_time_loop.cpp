#include "base/real_time_loop.h"

namespace prevod {

RealTimeLoop::RealTimeLoop() : m_start(std::chrono::steady_clock::now()) {}

int64_t RealTimeLoop::now() const {
  auto elapsed = std::chrono::steady_clock::now() - m_start;
  return std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
}

void RealTimeLoop::post(Callback callback) {
  {
    std::lock_guard lock(m_mutex);
    m_posted.push_back(std::move(callback));
  }
  m_wake.notify_one();
}

void RealTimeLoop::quit_from_any_thread() {
  {
    std::lock_guard lock(m_mutex);
    m_quit_requested = true;
  }
  m_wake.notify_one();
}

void RealTimeLoop::run() {
  while (!has_quit()) {
    std::vector<Callback> posted;
    {
      std::unique_lock lock(m_mutex);
      int64_t next = next_deadline();
      auto ready = [&] { return !m_posted.empty() || m_quit_requested; };
      if (next < 0) {
        m_wake.wait(lock, ready);
      } else if (next > now()) {
        m_wake.wait_until(lock, m_start + std::chrono::milliseconds(next), ready);
      }
      if (m_quit_requested) quit();
      posted.swap(m_posted);
    }
    run_posted(posted);
    while (!has_quit() && run_one_due(now())) {
    }
  }
}

}  // namespace prevod
