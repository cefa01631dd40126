#include "model/timer.h"

#include <gtest/gtest.h>

#include <vector>

#include "base/runtime_error.h"
#include "support/model_fixture.h"
#include "support/test_window.h"

namespace prevod {

namespace {

class TimerTest : public ModelFixture {
 protected:
  void SetUp() override {
    layout.name = "TestForm";
    layout.timers = {timer_of("Tick", false, 100), timer_of("Other", false, 100)};
    window = std::make_unique<TestWindow>(app, layout);
    tick().on_timer = [this] { fired.push_back(now()); };
  }
  Timer& tick() { return window->get<Timer>("Tick"); }

  WindowLayout layout;
  std::unique_ptr<TestWindow> window;
  std::vector<int64_t> fired;
};

TEST_F(TimerTest, AnEnabledTimerFiresEveryIntervalUntilDisabled) {
  tick().set_Enabled(true);
  advance(350);
  EXPECT_EQ(fired, (std::vector<int64_t>{100, 200, 300}));
  tick().set_Enabled(false);
  advance(500);
  EXPECT_EQ(fired.size(), 3u);
}

TEST_F(TimerTest, IntervalZeroNeverFires) {
  tick().set_Interval(0);
  tick().set_Enabled(true);
  advance(100000);
  EXPECT_TRUE(fired.empty());
}

TEST_F(TimerTest, IntervalsOutsideTheRangeAreRefusedAndTheIntervalKept) {
  tick().set_Interval(250);
  EXPECT_THROW(tick().set_Interval(-1), RuntimeError);
  EXPECT_THROW(tick().set_Interval(65536), RuntimeError);
  EXPECT_EQ(tick().Interval(), 250);
  tick().set_Interval(65535);
  EXPECT_EQ(tick().Interval(), 65535);
}

TEST_F(TimerTest, IntervalsAreRoundedHalfToEven) {
  tick().set_Interval(1430.5);
  EXPECT_EQ(tick().Interval(), 1430);
  tick().set_Interval(1431.5);
  EXPECT_EQ(tick().Interval(), 1432);
  tick().set_Interval(-0.4);
  EXPECT_EQ(tick().Interval(), 0);
}

TEST_F(TimerTest, EnablingAnEnabledTimerKeepsItsSchedule) {
  tick().set_Enabled(true);
  advance(70);
  tick().set_Enabled(true);
  advance(40);
  EXPECT_EQ(fired, (std::vector<int64_t>{100}));
}

TEST_F(TimerTest, DisablingAndEnablingStartsAFullInterval) {
  tick().set_Enabled(true);
  advance(70);
  tick().set_Enabled(false);
  tick().set_Enabled(true);
  advance(99);
  EXPECT_TRUE(fired.empty());
  advance(1);
  EXPECT_EQ(fired, (std::vector<int64_t>{170}));
}

TEST_F(TimerTest, AssigningTheIntervalRestartsTheCount) {
  tick().set_Enabled(true);
  advance(70);
  tick().set_Interval(100);
  advance(99);
  EXPECT_TRUE(fired.empty());
  advance(1);
  EXPECT_EQ(fired, (std::vector<int64_t>{170}));
}

TEST_F(TimerTest, DueTimersFireInDeadlineOrderTiesInEnablingOrder) {
  std::vector<std::string> order;
  Timer& other = window->get<Timer>("Other");
  tick().on_timer = [&] { order.push_back("Tick"); };
  other.on_timer = [&] { order.push_back("Other"); };
  other.set_Enabled(true);
  tick().set_Enabled(true);
  advance(100);
  EXPECT_EQ(order, (std::vector<std::string>{"Other", "Tick"}));
}

TEST_F(TimerTest, AOneShotStepDisablesItselfInItsHandler) {
  tick().on_timer = [this] {
    tick().set_Enabled(false);
    fired.push_back(now());
  };
  tick().set_Enabled(true);
  advance(1000);
  EXPECT_EQ(fired, (std::vector<int64_t>{100}));
}

TEST_F(TimerTest, AnErrorEscapingAHandlerStopsThatHandlerOnlyAndTheTimerGoesOn) {
  int after = 0;
  tick().on_timer = [&] {
    fired.push_back(now());
    throw RuntimeError("a page without a document");
    ++after;  // never reached
  };
  tick().set_Enabled(true);
  advance(300);
  EXPECT_EQ(fired.size(), 3u);
  EXPECT_EQ(after, 0);
}

}  // namespace

}  // namespace prevod
