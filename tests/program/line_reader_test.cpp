#include "program/line_reader.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "support/test_pipe.h"

namespace prevod {
namespace {

using Pipe = testing::TestPipe;

// What a reader handed over, and a way to wait for it without sleeping.
struct Received {
  std::mutex mutex;
  std::condition_variable changed;
  std::vector<std::string> lines;
  bool ended = false;

  void add(const std::string& line) {
    std::lock_guard lock(mutex);
    lines.push_back(line);
    changed.notify_all();
  }
  void end() {
    std::lock_guard lock(mutex);
    ended = true;
    changed.notify_all();
  }
  template <typename Done>
  void wait(Done done) {
    std::unique_lock lock(mutex);
    changed.wait(lock, done);
  }
};

TEST(LineReader, HandsOverWholeLinesAndTheLastOneAtTheEnd) {
  Pipe input;
  Received got;
  LineReader reader(
      input.read_end(), [&](const std::string& line) { got.add(line); }, [&] { got.end(); });
  EXPECT_TRUE(input.write("get Form2"));
  EXPECT_TRUE(input.write(".Text3.Text\r\nnow\n\nlast without newline"));
  input.close_write();
  got.wait([&] { return got.ended; });
  EXPECT_EQ(got.lines,
            (std::vector<std::string>{"get Form2.Text3.Text", "now", "", "last without newline"}));
}

TEST(LineReader, HandsOverNothingOnceStoppedWhileTheInputGoesOn) {
  Pipe input;
  std::atomic<bool> stopped{false};
  std::atomic<int> after_stop{0};
  Received got;
  auto reader = std::make_unique<LineReader>(
      input.read_end(),
      [&](const std::string& line) {
        if (stopped) ++after_stop;
        got.add(line);
      },
      [&] { got.end(); });
  // The writer never blocks on a full pipe, so it can be stopped and joined
  // before its end of the pipe is closed.
  input.never_block_writes();
  std::atomic<bool> writing{true};
  std::thread writer([&] {
    while (writing) {
      if (!input.write("now\n")) std::this_thread::yield();
    }
  });
  got.wait([&] { return got.lines.size() >= 100; });
  reader->stop();
  stopped = true;
  reader.reset();
  writing = false;
  writer.join();
  input.close_write();
  EXPECT_EQ(after_stop, 0);
  EXPECT_FALSE(got.ended) << "a stopped reader reports no end of input";
}

}  // namespace
}  // namespace prevod
