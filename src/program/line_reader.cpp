#include "program/line_reader.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace prevod {

LineReader::LineReader(int fd, LineHandler on_line, EndHandler on_end)
    : m_fd(fd), m_on_line(std::move(on_line)), m_on_end(std::move(on_end)) {
  if (pipe2(m_wake, O_CLOEXEC) != 0) throw std::system_error(errno, std::generic_category());
  m_thread = std::thread([this] { run(); });
}

LineReader::~LineReader() {
  stop();
  close(m_wake[0]);
  close(m_wake[1]);
}

void LineReader::stop() {
  if (!m_thread.joinable()) return;
  char byte = 0;
  while (write(m_wake[1], &byte, 1) < 0 && errno == EINTR) {
  }
  m_thread.join();
}

void LineReader::hand_over_lines() {
  size_t start = 0;
  for (size_t end; (end = m_pending.find('\n', start)) != std::string::npos; start = end + 1) {
    std::string line = m_pending.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    m_on_line(line);
  }
  m_pending.erase(0, start);
}

void LineReader::run() {
  char buffer[4096];
  while (true) {
    pollfd watched[2] = {{m_fd, POLLIN, 0}, {m_wake[0], POLLIN, 0}};
    if (poll(watched, 2, -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    if (watched[1].revents != 0) return;  // stopped: nothing more is handed over
    ssize_t got = read(m_fd, buffer, sizeof buffer);
    if (got < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    if (got <= 0) break;
    m_pending.append(buffer, static_cast<size_t>(got));
    hand_over_lines();
  }
  // The input ended: a last line without its newline still counts.
  if (!m_pending.empty()) m_on_line(m_pending);
  m_pending.clear();
  m_on_end();
}

}  // namespace prevod
