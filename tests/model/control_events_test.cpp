#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/resume_next.h"
#include "base/runtime_error.h"
#include "model/check_box.h"
#include "model/option_button.h"
#include "model/rich_text_box.h"
#include "model/timer.h"
#include "support/model_fixture.h"
#include "support/test_window.h"

namespace prevod {

namespace {

class ControlEventsTest : public ModelFixture {
 protected:
  void SetUp() override {
    layout.name = "TestForm";
    layout.controls = {spec_of("Box", ControlKind::RichTextBox),
                       spec_of("Other", ControlKind::RichTextBox),
                       spec_of("Check", ControlKind::CheckBox),
                       spec_of("Frame", ControlKind::PictureBox),
                       spec_of("OptA", ControlKind::OptionButton, "", 1),
                       spec_of("OptB", ControlKind::OptionButton),
                       spec_of("OptC", ControlKind::OptionButton, "Frame", 1)};
    window = std::make_unique<TestWindow>(app, layout);
  }
  template <typename T>
  T& get(const std::string& name) {
    return window->get<T>(name);
  }

  WindowLayout layout;
  std::unique_ptr<TestWindow> window;
  std::vector<std::string> events;
};

TEST_F(ControlEventsTest, AChangedTextRaisesChangeAtOnceNestedAndTheSameTextNothing) {
  auto& box = get<RichTextBox>("Box");
  box.on_change = [&] { events.push_back("change:" + box.Text()); };
  box.set_Text("a");
  events.push_back("after");
  box.set_Text("a");
  EXPECT_EQ(events, (std::vector<std::string>{"change:a", "after"}));
}

TEST_F(ControlEventsTest, TheBoxsOwnChangeHandlerCanRewriteItWithoutRaisingChangeAgain) {
  auto& box = get<RichTextBox>("Box");
  int changes = 0;
  box.on_change = [&] {
    ++changes;
    box.set_Text(" " + box.Text() + "  ");
    box.set_Text(box.Text() + "!");
  };
  box.set_Text("x");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(box.Text(), " x  !");
  box.set_Text("y");
  EXPECT_EQ(changes, 2);
}

TEST_F(ControlEventsTest, AChangeHandlerThatWritesAnotherBoxRaisesThatBoxsChange) {
  auto& box = get<RichTextBox>("Box");
  auto& other = get<RichTextBox>("Other");
  other.on_change = [&] { events.push_back("other:" + other.Text()); };
  box.on_change = [&] { other.set_Text(box.Text()); };
  box.set_Text("z");
  EXPECT_EQ(events, (std::vector<std::string>{"other:z"}));
}

TEST_F(ControlEventsTest, ACheckBoxRaisesClickOnlyWhenItsValueChanges) {
  auto& check = get<CheckBox>("Check");
  check.on_click = [&] { events.push_back("click:" + std::to_string(check.Value())); };
  check.set_Value(1);
  check.set_Value(1);
  check.set_Value(0);
  EXPECT_EQ(events, (std::vector<std::string>{"click:1", "click:0"}));
  EXPECT_THROW(check.set_Value(3), RuntimeError);
  EXPECT_EQ(check.Value(), 0);
}

TEST_F(ControlEventsTest, SelectingAnOptionClearsTheOthersOfItsContainerOnly) {
  auto& a = get<OptionButton>("OptA");
  auto& b = get<OptionButton>("OptB");
  auto& c = get<OptionButton>("OptC");
  b.on_click = [&] { events.push_back("b"); };
  a.on_click = [&] { events.push_back("a"); };
  b.set_Value(true);
  EXPECT_FALSE(a.Value());
  EXPECT_TRUE(b.Value());
  EXPECT_TRUE(c.Value()) << "another container is another group";
  b.set_Value(true);
  EXPECT_EQ(events, (std::vector<std::string>{"b"}));
}

TEST_F(ControlEventsTest, ResumeNextSkipsAFailingStepOnlyAndPassesOtherErrorsOn) {
  std::vector<int> steps;
  ResumeNext([&] { steps.push_back(1); });
  ResumeNext([&] {
    throw RuntimeError("no document");
    steps.push_back(99);
  });
  ResumeNext([&] { steps.push_back(3); });
  EXPECT_EQ(steps, (std::vector<int>{1, 3}));
  EXPECT_THROW(ResumeNext([] { throw std::logic_error("a bug"); }), std::logic_error);
}

TEST_F(ControlEventsTest, AnErrorEscapingANestedHandlerStopsThatHandlerAndTheAssignmentCompletes) {
  auto& box = get<RichTextBox>("Box");
  box.on_change = [&] {
    events.push_back("change");
    throw RuntimeError("a clipboard held by another program");
  };
  box.set_Text("kept");
  EXPECT_EQ(box.Text(), "kept");
  EXPECT_EQ(events, (std::vector<std::string>{"change"}));
}

TEST_F(ControlEventsTest, SyntheticKeysAreDeliveredAfterTheHandlerReturnsBeforeTheNextTick) {
  WindowLayout keyed;
  keyed.name = "Keyed";
  keyed.controls = {spec_of("Box", ControlKind::RichTextBox)};
  keyed.timers = {timer_of("Tick", true, 10)};
  TestWindow form(app, keyed);
  form.Show();
  auto& box = form.get<RichTextBox>("Box");
  auto& tick = form.get<Timer>("Tick");
  box.SetFocus();
  std::vector<std::string> seen;
  tick.on_timer = [&] {
    tick.set_Enabled(false);
    desktop().user32().keybd_event('A', 0, 1, 0);
    desktop().user32().keybd_event('A', 0, 3, 0);
    seen.push_back("handler sees \"" + box.Text() + "\"");
  };
  advance(10);
  seen.push_back("after \"" + box.Text() + "\"");
  EXPECT_EQ(seen, (std::vector<std::string>{"handler sees \"\"", "after \"a\""}));
}

}  // namespace

}  // namespace prevod
