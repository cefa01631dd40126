#pragma once

// A log of the latest entries only. The simulated desktop writes down what
// the program did (synthetic keys, what a voice said) for tests and the
// console to read back; a program that runs for days must not keep all of
// it, so once the log is full each new entry drops the oldest one. Reads
// index the entries kept, oldest first; `total` counts every entry ever
// written.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <utility>

namespace prevod {

template <typename T>
class BoundedLog {
 public:
  using const_iterator = typename std::deque<T>::const_iterator;

  explicit BoundedLog(size_t capacity) : m_capacity(capacity > 0 ? capacity : 1) {}

  void push_back(T entry) {
    if (m_entries.size() == m_capacity) m_entries.pop_front();
    m_entries.push_back(std::move(entry));
    ++m_total;
  }
  void clear() { m_entries.clear(); }

  size_t size() const { return m_entries.size(); }
  bool empty() const { return m_entries.empty(); }
  size_t capacity() const { return m_capacity; }
  uint64_t total() const { return m_total; }
  const T& operator[](size_t index) const { return m_entries[index]; }
  const T& front() const { return m_entries.front(); }
  const T& back() const { return m_entries.back(); }
  const_iterator begin() const { return m_entries.begin(); }
  const_iterator end() const { return m_entries.end(); }

 private:
  size_t m_capacity;
  std::deque<T> m_entries;
  uint64_t m_total = 0;
};

}  // namespace prevod
