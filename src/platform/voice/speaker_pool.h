#pragma once

// The threads that play the speakers' texts. A speaker has no thread of its
// own: when it has texts queued it joins the pool's line, and a worker takes
// it, plays its next text (synthesis, then the sink's blocking writes) and
// puts it back at the end of the line while it has more, so speakers that
// sound at once take turns text by text and each text is played whole.
//
// Workers are started as speakers need them, one for each speaker in line
// while no worker is idle, up to a limit, and stay until the pool goes.
// Beyond the limit a speaker waits in line until a worker is free: a
// thousand speakers cost no more threads than the limit, however many of
// them speak at once.
//
// Starting a thread can fail when the process has run out of them. While
// some worker runs, the speaker simply waits its turn; with none at all the
// text cannot be spoken, and enlist() says so with a RuntimeError.
//
// The process shares one pool (shared()), kept while some speaker holds it;
// tests make their own with a limit and a thread starter of their choice.

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace prevod {

class SpeakerPool {
 public:
  // What the pool serves.
  class Client {
   public:
    virtual ~Client() = default;
    // Plays the next queued text, if any, on the calling worker; returns
    // whether more are queued.
    virtual bool serve_turn() = 0;
  };

  // Starts a thread running `work`; std::system_error (or another
  // exception) when it cannot.
  using ThreadStarter = std::function<std::thread(std::function<void()> work)>;

  // Enough for every speaker a person can hear at once.
  static constexpr size_t kMaxWorkers = 8;

  // The process's shared pool.
  static std::shared_ptr<SpeakerPool> shared();

  // A pool of at most `max_workers` (at least one); threads are started
  // with std::thread when no starter is given.
  explicit SpeakerPool(size_t max_workers = kMaxWorkers, ThreadStarter starter = {});
  // Ends the workers. Every client must have withdrawn.
  ~SpeakerPool();
  SpeakerPool(const SpeakerPool&) = delete;
  SpeakerPool& operator=(const SpeakerPool&) = delete;

  // Puts `client` in line, unless it is already there; a client being
  // served is put back in line after its turn. RuntimeError, and the client
  // not in line, when no worker runs and none can be started.
  void enlist(Client& client);
  // Takes `client` out of line, waiting while a worker serves it. Once it
  // returns the pool no longer refers to the client.
  void withdraw(Client& client);

  // Workers started so far.
  size_t workers() const;

 private:
  struct Turn {
    Client* client;
    // Enlisted again during its turn.
    bool again = false;
  };

  void run();
  void start_worker();
  Turn* turn_of(const Client& client);
  void erase_from_line(const Client& client);

  const size_t m_max_workers;
  ThreadStarter m_starter;

  mutable std::mutex m_mutex;
  std::condition_variable m_wake;      // a client is in line, or the pool ends
  std::condition_variable m_released;  // a turn has ended
  std::deque<Client*> m_line;
  std::vector<Turn> m_turns;
  std::vector<std::thread> m_threads;
  // Workers waiting for a client and not yet called to one.
  size_t m_idle = 0;
  bool m_stopping = false;
};

}  // namespace prevod
