#include "base/deferred_tasks.h"

#include <algorithm>

namespace prevod {

DeferredTasks::TaskId DeferredTasks::call_at(int64_t when, EventLoop::Callback callback) {
  if (m_ids.size() >= m_prune_at) prune();
  TaskId id = m_loop.call_at(when, std::move(callback));
  m_ids.push_back(id);
  return id;
}

void DeferredTasks::prune() {
  // Ids of callbacks that have run are dropped here, in bulk, rather than
  // one by one as they run: the loop never hands them out again.
  std::erase_if(m_ids, [this](TaskId id) { return !m_loop.pending(id); });
  m_prune_at = 2 * m_ids.size() + 8;
}

void DeferredTasks::cancel(TaskId id) {
  auto it = std::find(m_ids.begin(), m_ids.end(), id);
  if (it == m_ids.end()) return;
  m_loop.cancel(id);
  m_ids.erase(it);
}

void DeferredTasks::cancel_all() {
  for (TaskId id : m_ids) m_loop.cancel(id);
  m_ids.clear();
  m_prune_at = 8;
}

bool DeferredTasks::pending(TaskId id) const {
  return m_loop.pending(id) && std::find(m_ids.begin(), m_ids.end(), id) != m_ids.end();
}

size_t DeferredTasks::size() const {
  return static_cast<size_t>(
      std::count_if(m_ids.begin(), m_ids.end(), [this](TaskId id) { return m_loop.pending(id); }));
}

}  // namespace prevod
