#include "platform/voice/speaker_pool.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "base/runtime_error.h"

namespace prevod {

std::shared_ptr<SpeakerPool> SpeakerPool::shared() {
  // Never destroyed: speakers may still go away while statics are torn down.
  static auto* mutex = new std::mutex;
  static auto* live = new std::weak_ptr<SpeakerPool>;
  std::lock_guard lock(*mutex);
  if (auto pool = live->lock()) return pool;
  auto pool = std::make_shared<SpeakerPool>();
  *live = pool;
  return pool;
}

SpeakerPool::SpeakerPool(size_t max_workers, ThreadStarter starter)
    : m_max_workers(std::max<size_t>(max_workers, 1)), m_starter(std::move(starter)) {
  if (!m_starter) {
    m_starter = [](std::function<void()> work) { return std::thread(std::move(work)); };
  }
}

SpeakerPool::~SpeakerPool() {
  {
    std::lock_guard lock(m_mutex);
    m_stopping = true;
  }
  m_wake.notify_all();
  for (std::thread& thread : m_threads) {
    if (!thread.joinable()) continue;
    // A worker cannot wait for itself; it finds the pool stopping at once.
    if (thread.get_id() == std::this_thread::get_id()) {
      thread.detach();
    } else {
      thread.join();
    }
  }
}

void SpeakerPool::enlist(Client& client) {
  std::lock_guard lock(m_mutex);
  if (Turn* turn = turn_of(client)) {
    turn->again = true;
    return;
  }
  if (std::find(m_line.begin(), m_line.end(), &client) != m_line.end()) return;
  m_line.push_back(&client);
  if (m_line.size() <= m_idle) {
    m_wake.notify_one();
    return;
  }
  // Beyond the limit the client waits for the next free worker.
  if (m_threads.size() >= m_max_workers) return;
  try {
    start_worker();
  } catch (const std::exception& error) {
    if (!m_threads.empty()) return;
    m_line.pop_back();
    throw RuntimeError(std::string("speech: cannot start a thread to speak: ") + error.what());
  }
}

void SpeakerPool::withdraw(Client& client) {
  std::unique_lock lock(m_mutex);
  m_released.wait(lock, [&] { return turn_of(client) == nullptr; });
  // Out of its turn, the client may still wait in line (or have been put
  // back there by the turn that just ended).
  erase_from_line(client);
}

size_t SpeakerPool::workers() const {
  std::lock_guard lock(m_mutex);
  return m_threads.size();
}

void SpeakerPool::start_worker() {
  std::thread thread = m_starter([this] { run(); });
  m_threads.push_back(std::move(thread));
}

SpeakerPool::Turn* SpeakerPool::turn_of(const Client& client) {
  auto found = std::find_if(m_turns.begin(), m_turns.end(),
                            [&](const Turn& turn) { return turn.client == &client; });
  return found == m_turns.end() ? nullptr : &*found;
}

void SpeakerPool::erase_from_line(const Client& client) {
  m_line.erase(std::remove(m_line.begin(), m_line.end(), &client), m_line.end());
}

void SpeakerPool::run() {
  std::unique_lock lock(m_mutex);
  for (;;) {
    ++m_idle;
    m_wake.wait(lock, [this] { return m_stopping || !m_line.empty(); });
    --m_idle;
    if (m_stopping) return;
    Client* client = m_line.front();
    m_line.pop_front();
    m_turns.push_back(Turn{client});
    lock.unlock();
    bool more = false;
    try {
      more = client->serve_turn();
    } catch (...) {
      // A turn reports its own failures; one that escapes ends the turn.
    }
    lock.lock();
    Turn* turn = turn_of(*client);
    if (more || turn->again) m_line.push_back(client);
    m_turns.erase(m_turns.begin() + (turn - m_turns.data()));
    m_released.notify_all();
  }
}

}  // namespace prevod
