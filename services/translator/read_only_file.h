#pragma once

// A file opened for reading by offset, held open for as long as its reader
// lives: a dictzip dictionary reads each chunk from it when a lookup first
// needs that chunk, so the compressed text is never held in memory whole.
// A read that finds fewer bytes than asked (the file was cut short after
// it was opened) says so rather than returning what it found.

#include <cstdint>
#include <optional>
#include <string>

namespace prevod {

class ReadOnlyFile {
 public:
  // The file at `path`, or nullopt when it cannot be opened or is no
  // regular file.
  static std::optional<ReadOnlyFile> open(const std::string& path);

  ~ReadOnlyFile();
  ReadOnlyFile(ReadOnlyFile&& other) noexcept;
  ReadOnlyFile& operator=(ReadOnlyFile&& other) noexcept;
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

  // The size when the file was opened.
  uint64_t size() const { return m_size; }
  // Reads `length` bytes at `offset` into `out`; false when the file does
  // not hold them all (now).
  bool read_at(uint64_t offset, uint64_t length, std::string& out) const;

 private:
  ReadOnlyFile(int fd, uint64_t size) : m_fd(fd), m_size(size) {}

  int m_fd = -1;
  uint64_t m_size = 0;
};

}  // namespace prevod
