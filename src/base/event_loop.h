#pragma once

// The one thread everything runs on. Handlers run one at a time, each to
// completion; after each top-level handler the loop has the desktop deliver
// the synthetic key events that handler queued, in order, before any later
// timer tick. Scheduled callbacks fire in deadline order, ties in the order
// they were scheduled. Two clocks drive it: SimulatedLoop (virtual time that
// moves only when told), RealTimeLoop and QtLoop.

#include <cstdint>
#include <functional>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace prevod {

class Trace;

class EventLoop {
 public:
  using Callback = std::function<void()>;
  using TaskId = uint64_t;

  virtual ~EventLoop() = default;

  // Milliseconds since the loop started.
  virtual int64_t now() const = 0;
  // Queues a callback from any thread; it runs on the loop thread at the
  // next opportunity, as a top-level handler.
  virtual void post(Callback callback) = 0;

  // Schedules a one-shot callback at an absolute time; it runs as a
  // top-level handler.
  TaskId call_at(int64_t when, Callback callback);
  TaskId call_later(int64_t delay, Callback callback) {
    return call_at(now() + delay, std::move(callback));
  }
  void cancel(TaskId id);
  bool pending(TaskId id) const { return m_callbacks.count(id) != 0; }
  // The number of callbacks scheduled and not yet run or cancelled.
  size_t scheduled() const { return m_callbacks.size(); }

  // Runs a handler to completion. A RuntimeError that escapes it stops that
  // handler only and is traced. The outermost dispatch then delivers the
  // queued synthetic input.
  void dispatch(std::string_view what, const Callback& handler);
  // Runs a nested event handler: errors stop it alone, input waits for the
  // outermost handler.
  void raise(std::string_view what, const Callback& handler);

  // The desktop's input pump, called after each top-level handler.
  void set_input_pump(Callback pump) { m_input_pump = std::move(pump); }
  void set_trace(Trace* trace) { m_trace = trace; }

  void quit() { m_quit = true; }
  bool has_quit() const { return m_quit; }

  // The deadline of the earliest scheduled callback, or -1.
  int64_t next_deadline();
  // Handlers dispatched so far (the benchmark's tick count).
  uint64_t dispatched() const { return m_dispatched; }

 protected:
  // A callback was scheduled at `when`; a loop that sleeps until its next
  // deadline wakes earlier if this one comes first.
  virtual void deadline_added(int64_t /*when*/) {}
  // Pops and runs the earliest callback if it is due at or before `until`.
  bool run_one_due(int64_t until);
  // Runs the callbacks queued by post().
  void run_posted(std::vector<Callback>& posted);

 private:
  struct Entry {
    int64_t when;
    uint64_t seq;
    TaskId id;
  };
  struct Later {
    bool operator()(const Entry& a, const Entry& b) const {
      return a.when != b.when ? a.when > b.when : a.seq > b.seq;
    }
  };
  void drop_cancelled();

  std::vector<Entry> m_heap;
  std::unordered_map<TaskId, Callback> m_callbacks;
  uint64_t m_next_id = 1;
  uint64_t m_next_seq = 1;
  int m_depth = 0;
  bool m_quit = false;
  uint64_t m_dispatched = 0;
  Callback m_input_pump;
  Trace* m_trace = nullptr;
};

}  // namespace prevod
