#pragma once

// Work that an object defers to the event loop on its own behalf: one-shot
// callbacks that capture the object. The object owns them through this
// group and they go with it: cancel_all() (a window being unloaded) or the
// group's destruction cancels every callback still waiting, so none can run
// into an object that is gone. Every deferred step of the program is
// scheduled this way.

#include <cstdint>
#include <vector>

#include "base/event_loop.h"

namespace prevod {

class DeferredTasks {
 public:
  using TaskId = EventLoop::TaskId;

  explicit DeferredTasks(EventLoop& loop) : m_loop(loop) {}
  ~DeferredTasks() { cancel_all(); }
  DeferredTasks(const DeferredTasks&) = delete;
  DeferredTasks& operator=(const DeferredTasks&) = delete;

  // Runs `callback` as a top-level handler at `when` (or `delay` from now),
  // unless it is cancelled first.
  TaskId call_at(int64_t when, EventLoop::Callback callback);
  TaskId call_later(int64_t delay, EventLoop::Callback callback) {
    return call_at(m_loop.now() + delay, std::move(callback));
  }
  // Cancels one callback; an id that has run or is not this group's is ignored.
  void cancel(TaskId id);
  void cancel_all();
  bool pending(TaskId id) const;
  // The number of callbacks still waiting.
  size_t size() const;

  EventLoop& loop() const { return m_loop; }

 private:
  void prune();

  EventLoop& m_loop;
  // Ids handed out, some of which may have run already.
  std::vector<TaskId> m_ids;
  size_t m_prune_at = 8;
};

}  // namespace prevod
