#include "base/event_loop.h"

#include <algorithm>
#include <string>

#include "base/runtime_error.h"
#include "base/trace.h"

namespace prevod {

EventLoop::TaskId EventLoop::call_at(int64_t when, Callback callback) {
  TaskId id = m_next_id++;
  m_callbacks.emplace(id, std::move(callback));
  m_heap.push_back(Entry{when, m_next_seq++, id});
  std::push_heap(m_heap.begin(), m_heap.end(), Later{});
  deadline_added(when);
  return id;
}

void EventLoop::cancel(TaskId id) {
  m_callbacks.erase(id);
}

void EventLoop::drop_cancelled() {
  while (!m_heap.empty() && m_callbacks.count(m_heap.front().id) == 0) {
    std::pop_heap(m_heap.begin(), m_heap.end(), Later{});
    m_heap.pop_back();
  }
}

int64_t EventLoop::next_deadline() {
  drop_cancelled();
  return m_heap.empty() ? -1 : m_heap.front().when;
}

bool EventLoop::run_one_due(int64_t until) {
  drop_cancelled();
  if (m_heap.empty() || m_heap.front().when > until) return false;
  Entry entry = m_heap.front();
  std::pop_heap(m_heap.begin(), m_heap.end(), Later{});
  m_heap.pop_back();
  auto it = m_callbacks.find(entry.id);
  Callback callback = std::move(it->second);
  m_callbacks.erase(it);
  dispatch("task", callback);
  return true;
}

void EventLoop::run_posted(std::vector<Callback>& posted) {
  for (auto& callback : posted) dispatch("posted", callback);
  posted.clear();
}

void EventLoop::raise(std::string_view what, const Callback& handler) {
  ++m_depth;
  try {
    handler();
  } catch (const RuntimeError& error) {
    if (m_trace) m_trace->line("error " + std::string(what) + ": " + error.what());
  }
  --m_depth;
}

void EventLoop::dispatch(std::string_view what, const Callback& handler) {
  ++m_dispatched;
  bool outermost = m_depth == 0;
  raise(what, handler);
  if (outermost && m_input_pump) {
    ++m_depth;
    m_input_pump();
    --m_depth;
  }
}

}  // namespace prevod
