#pragma once

// Reads lines from a file descriptor (standard input) on a thread of its
// own and hands each one to a callback, on that thread. The end of the
// input is reported once. stop() wakes the thread wherever it waits and
// joins it: once stop() has returned, the callbacks are never called again,
// so they may safely reach things that are about to be destroyed. The
// reader is stopped at the latest when it is destroyed.

#include <functional>
#include <string>
#include <thread>

namespace prevod {

class LineReader {
 public:
  using LineHandler = std::function<void(const std::string& line)>;
  using EndHandler = std::function<void()>;

  LineReader(int fd, LineHandler on_line, EndHandler on_end);
  ~LineReader();
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  void stop();

 private:
  void run();
  // Hands over every complete line in m_pending; returns false once stopped.
  void hand_over_lines();

  int m_fd;
  LineHandler m_on_line;
  EndHandler m_on_end;
  int m_wake[2] = {-1, -1};
  std::string m_pending;
  std::thread m_thread;
};

}  // namespace prevod
