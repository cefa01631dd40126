#include "services/translator/read_only_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace prevod {

std::optional<ReadOnlyFile> ReadOnlyFile::open(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat status {};
  if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    close(fd);
    return std::nullopt;
  }
  return ReadOnlyFile(fd, static_cast<uint64_t>(status.st_size));
}

ReadOnlyFile::~ReadOnlyFile() {
  if (m_fd >= 0) close(m_fd);
}

ReadOnlyFile::ReadOnlyFile(ReadOnlyFile&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)), m_size(other.m_size) {}

ReadOnlyFile& ReadOnlyFile::operator=(ReadOnlyFile&& other) noexcept {
  if (this != &other) {
    if (m_fd >= 0) close(m_fd);
    m_fd = std::exchange(other.m_fd, -1);
    m_size = other.m_size;
  }
  return *this;
}

bool ReadOnlyFile::read_at(uint64_t offset, uint64_t length, std::string& out) const {
  out.resize(length);
  uint64_t done = 0;
  while (done < length) {
    const ssize_t got =
        pread(m_fd, out.data() + done, length - done, static_cast<off_t>(offset + done));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    done += static_cast<uint64_t>(got);
  }
  return true;
}

}  // namespace prevod
