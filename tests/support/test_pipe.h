#pragma once

// A pipe standing in for a program's standard input in tests: the test
// writes into one end, the code under test reads the other.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

namespace prevod::testing {

class TestPipe {
 public:
  TestPipe() { EXPECT_EQ(pipe(m_fds), 0); }
  ~TestPipe() {
    close_write();
    close(m_fds[0]);
  }
  TestPipe(const TestPipe&) = delete;
  TestPipe& operator=(const TestPipe&) = delete;

  int read_end() const { return m_fds[0]; }
  // False when not all of `text` went in (a full pipe that never blocks).
  bool write(const std::string& text) {
    return ::write(m_fds[1], text.data(), text.size()) == static_cast<ssize_t>(text.size());
  }
  // A write into a full pipe fails at once instead of waiting.
  void never_block_writes() { fcntl(m_fds[1], F_SETFL, fcntl(m_fds[1], F_GETFL) | O_NONBLOCK); }
  // The end of the input, as the reader sees it.
  void close_write() {
    if (m_fds[1] >= 0) close(m_fds[1]);
    m_fds[1] = -1;
  }

 private:
  int m_fds[2] = {-1, -1};
};

}  // namespace prevod::testing
