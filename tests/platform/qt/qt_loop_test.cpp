#include "platform/qt/qt_loop.h"

#include <gtest/gtest.h>

#include <QTimer>
#include <string>
#include <thread>
#include <vector>

#include "base/runtime_error.h"
#include "base/trace.h"
#include "support/qt_spin.h"

namespace prevod {
namespace {

using testing::spin_until;

class OffscreenQtLoop : public ::testing::Test {
 protected:
  void log(const std::string& what) { events.push_back(what); }
  bool run_until_logged(size_t count) {
    return spin_until([&] { return events.size() >= count; });
  }
  // Runs the loop; a loop that fails to end is ended after five seconds.
  void run_bounded() {
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, [&] {
      log("limit reached");
      loop.quit();
    });
    limit.start(5000);
    loop.run();
  }

  QtLoop loop;
  std::vector<std::string> events;
};

TEST_F(OffscreenQtLoop, DueCallbacksRunInDeadlineOrderTiesInSchedulingOrder) {
  int64_t start = loop.now();
  loop.call_at(start + 30, [&] { log("late"); });
  loop.call_at(start + 10, [&] { log("first tie"); });
  loop.call_at(start + 10, [&] { log("second tie"); });
  loop.call_at(start + 5, [&] { log("early"); });
  ASSERT_TRUE(run_until_logged(4));
  EXPECT_EQ(events, (std::vector<std::string>{"early", "first tie", "second tie", "late"}));
}

TEST_F(OffscreenQtLoop, CallbacksThatFellDueDuringALongHandlerKeepTheirOrder) {
  int64_t start = loop.now();
  loop.call_at(start, [&] {
    log("long");
    // Everything below falls due while this handler still runs.
    loop.call_at(start + 3, [&] { log("b"); });
    loop.call_at(start + 2, [&] { log("a"); });
    loop.call_at(start + 3, [&] { log("c"); });
    spin_until([] { return false; }, 20);
  });
  ASSERT_TRUE(run_until_logged(4));
  EXPECT_EQ(events, (std::vector<std::string>{"long", "a", "b", "c"}));
}

TEST_F(OffscreenQtLoop, NoCallbackRunsBeforeItsDeadline) {
  std::vector<std::pair<int64_t, int64_t>> runs;
  for (int64_t delay : {0, 1, 7, 15, 31, 50}) {
    int64_t due = loop.now() + delay;
    loop.call_at(due, [&, due] { runs.emplace_back(due, loop.now()); });
  }
  ASSERT_TRUE(spin_until([&] { return runs.size() == 6; }));
  for (auto [due, ran] : runs) EXPECT_GE(ran, due);
}

TEST_F(OffscreenQtLoop, AnEarlierDeadlineWakesTheLoopBeforeTheOneItWaitsFor) {
  loop.call_later(60000, [&] { log("in a minute"); });
  EXPECT_GT(loop.armed_deadline(), loop.now() + 50000);
  loop.post([&] { loop.call_later(5, [&] { log("soon"); }); });
  ASSERT_TRUE(run_until_logged(1));
  EXPECT_EQ(events, (std::vector<std::string>{"soon"}));
}

TEST_F(OffscreenQtLoop, NothingScheduledLeavesTheWakeUpTimerIdle) {
  EXPECT_EQ(loop.armed_deadline(), -1);
  loop.call_later(2, [&] { log("once"); });
  auto cancelled = loop.call_later(4, [&] { log("cancelled"); });
  loop.cancel(cancelled);
  ASSERT_TRUE(run_until_logged(1));
  ASSERT_TRUE(spin_until([&] { return loop.armed_deadline() == -1; }, 1000));
  uint64_t wakeups = loop.wakeups();
  spin_until([] { return false; }, 30);
  EXPECT_EQ(loop.wakeups(), wakeups);
  EXPECT_EQ(events, (std::vector<std::string>{"once"}));
}

TEST_F(OffscreenQtLoop, ARepeatingCallbackNeverTicksEarlyAndTheLoopGoesIdleAfterItsLast) {
  // A timer reschedules itself from its own tick, as Timer does.
  std::vector<int64_t> ticks;
  int64_t start = loop.now();
  std::function<void()> tick = [&] {
    ticks.push_back(loop.now());
    if (ticks.size() < 5) loop.call_at(start + 10 * static_cast<int64_t>(ticks.size() + 1), tick);
  };
  loop.call_at(start + 10, tick);
  ASSERT_TRUE(spin_until([&] { return ticks.size() == 5; }));
  for (size_t i = 0; i < ticks.size(); ++i) EXPECT_GE(ticks[i], start + 10 * int64_t(i + 1));
  EXPECT_EQ(loop.armed_deadline(), -1);
}

TEST_F(OffscreenQtLoop, TheInputPumpRunsAfterEachTopLevelHandlerAndNotInsideNestedOnes) {
  loop.set_input_pump([&] { log("pump"); });
  int64_t start = loop.now();
  loop.call_at(start + 1, [&] {
    log("tick");
    loop.raise("Change", [&] { log("nested"); });
    log("tick ends");
  });
  loop.call_at(start + 1, [&] { log("next tick"); });
  ASSERT_TRUE(run_until_logged(6));
  EXPECT_EQ(events,
            (std::vector<std::string>{"tick", "nested", "tick ends", "pump", "next tick", "pump"}));
}

TEST_F(OffscreenQtLoop, AHeldLoopRunsNoDueCallbackUntilEveryHoldIsReleased) {
  // Synthetic input on its way back to our windows holds the loop; a
  // person's events and posted callbacks still run meanwhile.
  int64_t start = loop.now();
  loop.call_at(start + 1, [&] {
    log("sends keys");
    loop.hold();
    loop.hold();
  });
  loop.call_at(start + 2, [&] { log("next tick"); });
  loop.call_at(start + 2, [&] { log("tick after"); });
  ASSERT_TRUE(run_until_logged(1));
  spin_until([] { return false; }, 30);
  loop.post([&] { log("posted"); });
  ASSERT_TRUE(run_until_logged(2));
  EXPECT_EQ(events.back(), "posted");
  loop.release();
  spin_until([] { return false; }, 20);
  EXPECT_EQ(events.size(), 2u) << "one hold is still out";
  loop.release();
  ASSERT_TRUE(run_until_logged(4));
  EXPECT_EQ(events, (std::vector<std::string>{"sends keys", "posted", "next tick", "tick after"}));
  EXPECT_FALSE(loop.held());
}

TEST_F(OffscreenQtLoop, PostedCallbacksRunOnTheLoopThreadInPostingOrder) {
  std::thread::id loop_thread = std::this_thread::get_id();
  std::vector<bool> on_loop_thread;
  std::thread poster([&] {
    for (int i = 0; i < 100; ++i) {
      loop.post([&, i] {
        log(std::to_string(i));
        on_loop_thread.push_back(std::this_thread::get_id() == loop_thread);
      });
    }
  });
  poster.join();
  ASSERT_TRUE(run_until_logged(100));
  for (int i = 0; i < 100; ++i) EXPECT_EQ(events[i], std::to_string(i));
  EXPECT_EQ(std::count(on_loop_thread.begin(), on_loop_thread.end(), true), 100);
}

TEST_F(OffscreenQtLoop, AnErrorEscapingAHandlerIsTracedAndTheLoopGoesOn) {
  Trace trace;
  std::vector<std::string> lines;
  trace.set_enabled(true);
  trace.set_sink([&](const std::string& line) { lines.push_back(line); });
  loop.set_trace(&trace);
  loop.call_later(1, [&] {
    log("fails");
    throw RuntimeError("no document");
  });
  loop.call_later(2, [&] { log("goes on"); });
  ASSERT_TRUE(run_until_logged(2));
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_NE(lines[0].find("no document"), std::string::npos);
}

TEST_F(OffscreenQtLoop, RunReturnsWhenAHandlerQuitsAndRunsNothingAfter) {
  loop.call_later(1, [&] {
    log("quits");
    loop.quit();
  });
  loop.call_later(1, [&] { log("never"); });
  run_bounded();
  EXPECT_EQ(events, (std::vector<std::string>{"quits"}));
  EXPECT_EQ(loop.armed_deadline(), -1);
}

TEST_F(OffscreenQtLoop, AnotherThreadCanEndTheLoop) {
  loop.call_later(60000, [&] { log("never"); });
  std::thread stopper([&] { loop.quit_from_any_thread(); });
  run_bounded();
  stopper.join();
  EXPECT_TRUE(events.empty());
}

}  // namespace
}  // namespace prevod
