#pragma once

// A sequence kept in one buffer with a gap in it, so that a run of erasures
// and insertions moving steadily through the sequence costs time in the
// number of entries changed, not in the length of the sequence: the gap
// travels with the changes. A live element list uses it, since a walk that
// empties each element in turn changes the list just past where it reads.

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

namespace prevod {

template <typename T>
class GapVector {
 public:
  GapVector() = default;
  explicit GapVector(std::vector<T> items) : m_buffer(std::move(items)) {
    m_gap_begin = m_gap_end = m_buffer.size();
  }

  size_t size() const { return m_buffer.size() - (m_gap_end - m_gap_begin); }
  const T& operator[](size_t index) const { return m_buffer[physical(index)]; }

  // Removes `count` entries from `index` on.
  void erase(size_t index, size_t count) {
    move_gap(index);
    for (size_t i = 0; i < count; ++i) m_buffer[m_gap_end + i] = T();
    m_gap_end += count;
  }

  // Inserts `items` before the entry at `index`.
  void insert(size_t index, std::vector<T> items) {
    move_gap(index);
    if (m_gap_end - m_gap_begin < items.size()) grow(items.size());
    for (T& item : items) m_buffer[m_gap_begin++] = std::move(item);
  }

 private:
  size_t physical(size_t index) const {
    return index < m_gap_begin ? index : index + (m_gap_end - m_gap_begin);
  }

  // Moves the gap to start before the entry at `index`.
  void move_gap(size_t index) {
    while (m_gap_begin > index) m_buffer[--m_gap_end] = std::move(m_buffer[--m_gap_begin]);
    while (m_gap_begin < index) m_buffer[m_gap_begin++] = std::move(m_buffer[m_gap_end++]);
  }

  // Widens the gap to at least `room` entries, doubling the buffer.
  void grow(size_t room) {
    const size_t tail = m_buffer.size() - m_gap_end;
    const size_t capacity = std::max(m_buffer.size() * 2, size() + room + 16);
    std::vector<T> buffer(capacity);
    for (size_t i = 0; i < m_gap_begin; ++i) buffer[i] = std::move(m_buffer[i]);
    for (size_t i = 0; i < tail; ++i) {
      buffer[capacity - tail + i] = std::move(m_buffer[m_gap_end + i]);
    }
    m_gap_end = capacity - tail;
    m_buffer = std::move(buffer);
  }

  std::vector<T> m_buffer;
  size_t m_gap_begin = 0;
  size_t m_gap_end = 0;
};

}  // namespace prevod
