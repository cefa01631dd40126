#include "base/real_time_loop.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace prevod {
namespace {

TEST(RealTimeLoop, RunsWhatOtherThreadsPostOnItsOwnThreadInTheirOrder) {
  RealTimeLoop loop;
  const std::thread::id loop_thread = std::this_thread::get_id();
  std::vector<int> seen[3];
  bool all_on_loop_thread = true;
  int done = 0;
  std::vector<std::thread> posters;
  for (int t = 0; t < 3; ++t) {
    posters.emplace_back([&, t] {
      for (int i = 0; i < 500; ++i) {
        loop.post([&, t, i] {
          all_on_loop_thread = all_on_loop_thread && std::this_thread::get_id() == loop_thread;
          seen[t].push_back(i);
        });
      }
      loop.post([&] {
        if (++done == 3) loop.quit();
      });
    });
  }
  loop.run();
  for (auto& poster : posters) poster.join();
  EXPECT_TRUE(all_on_loop_thread);
  for (const auto& values : seen) {
    ASSERT_EQ(values.size(), 500u);
    for (int i = 0; i < 500; ++i) EXPECT_EQ(values[static_cast<size_t>(i)], i);
  }
}

TEST(RealTimeLoop, WakesForItsNextDeadlineAndForAQuitFromAnotherThread) {
  RealTimeLoop loop;
  int64_t fired_at = -1;
  loop.call_later(5, [&] { fired_at = loop.now(); });
  std::thread stopper;
  loop.call_later(6, [&] { stopper = std::thread([&] { loop.quit_from_any_thread(); }); });
  loop.run();
  stopper.join();
  EXPECT_GE(fired_at, 5);
}

}  // namespace
}  // namespace prevod
