#include "base/deferred_tasks.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "base/simulated_loop.h"

namespace prevod {
namespace {

TEST(DeferredTasks, RunAtTheirTimeUnlessCancelled) {
  SimulatedLoop loop;
  DeferredTasks tasks(loop);
  std::vector<int> ran;
  tasks.call_later(10, [&] { ran.push_back(1); });
  auto second = tasks.call_later(20, [&] { ran.push_back(2); });
  tasks.call_later(30, [&] { ran.push_back(3); });
  tasks.cancel(second);
  loop.advance(9);
  EXPECT_TRUE(ran.empty());
  loop.advance(100);
  EXPECT_EQ(ran, (std::vector<int>{1, 3}));
  EXPECT_EQ(tasks.size(), 0u);
}

TEST(DeferredTasks, CancelAllLeavesNothingWaitingAndTheGroupStaysUsable) {
  SimulatedLoop loop;
  DeferredTasks tasks(loop);
  int ran = 0;
  for (int i = 0; i < 5; ++i) tasks.call_later(i, [&] { ++ran; });
  EXPECT_EQ(tasks.size(), 5u);
  tasks.cancel_all();
  EXPECT_EQ(tasks.size(), 0u);
  tasks.call_later(1, [&] { ran += 10; });
  loop.advance(50);
  EXPECT_EQ(ran, 10);
}

TEST(DeferredTasks, NothingRunsOnceTheGroupIsGone) {
  SimulatedLoop loop;
  auto ran = std::make_shared<int>(0);
  {
    auto owner = std::make_unique<DeferredTasks>(loop);
    owner->call_later(5, [ran] { ++*ran; });
    owner->call_later(0, [ran] { ++*ran; });
  }
  loop.advance(100);
  EXPECT_EQ(*ran, 0);
  EXPECT_EQ(loop.next_deadline(), -1);
}

TEST(DeferredTasks, ATaskThatHasRunIsNoLongerPendingAndCannotCancelAnother) {
  SimulatedLoop loop;
  DeferredTasks tasks(loop);
  DeferredTasks other(loop);
  int ran = 0;
  auto done = tasks.call_later(1, [&] { ++ran; });
  auto kept = other.call_later(5, [&] { ran += 10; });
  loop.advance(2);
  EXPECT_FALSE(tasks.pending(done));
  tasks.cancel(kept);  // not this group's
  EXPECT_TRUE(other.pending(kept));
  loop.advance(10);
  EXPECT_EQ(ran, 11);
}

TEST(DeferredTasks, ARepeatingOwnerKeepsOnlyWhatStillWaits) {
  SimulatedLoop loop;
  DeferredTasks tasks(loop);
  int ticks = 0;
  std::function<void()> again = [&] {
    ++ticks;
    tasks.call_later(1, again);
  };
  tasks.call_later(1, again);
  loop.advance(10000);
  EXPECT_EQ(ticks, 10000);
  EXPECT_EQ(tasks.size(), 1u);
}

}  // namespace
}  // namespace prevod
