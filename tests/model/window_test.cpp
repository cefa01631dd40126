#include "model/window.h"

#include <gtest/gtest.h>

#include <memory>

#include "model/timer.h"
#include "support/model_fixture.h"
#include "support/test_window.h"

namespace prevod {
namespace {

class WindowTest : public ModelFixture {
 protected:
  void SetUp() override {
    layout.name = "TestForm";
    layout.timers = {timer_of("Tick", true, 100)};
    window = std::make_unique<TestWindow>(app, layout);
  }

  WindowLayout layout;
  std::unique_ptr<TestWindow> window;
};

TEST_F(WindowTest, ADeferredStepRunsOnTheWindowsBehalfAtItsTime) {
  int ran = 0;
  window->call_later(30, [&] { ++ran; });
  advance(29);
  EXPECT_EQ(ran, 0);
  advance(1);
  EXPECT_EQ(ran, 1);
}

TEST_F(WindowTest, UnloadingCancelsDeferredStepsWithTheTimers) {
  auto ran = std::make_shared<int>(0);
  window->call_later(50, [ran] { ++*ran; });
  window->get<Timer>("Tick").on_timer = [ran] { *ran += 10; };
  act([&] { window->Unload(); });
  advance(1000);
  EXPECT_EQ(*ran, 0);
  EXPECT_EQ(loop.next_deadline(), -1);
}

TEST_F(WindowTest, ADeferredStepNeverRunsIntoAWindowThatIsGone) {
  // The step touches the window: after the window is destroyed it must not
  // run at all (the sanitizer build reports any access to freed memory).
  TestWindow* raw = window.get();
  window->call_later(10, [raw] { raw->set_Left(raw->Left() + 1); });
  act([&] { window->Unload(); });
  window.reset();
  advance(100);
  SUCCEED();
}

}  // namespace
}  // namespace prevod
