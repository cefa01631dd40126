// The simulated desktop's console: it only looks at windows that exist and
// never creates one, answers every command with exactly one line (an empty
// text included), and refuses numbers no clock, cursor or selection can
// take instead of overflowing.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/system_fixture.h"

namespace prevod {

namespace {

class SimConsoleTest : public SystemFixture {
 protected:
  void SetUp() override {
    boot();
    advance(1000);
  }
  std::optional<std::string> answer(const std::string& line) {
    return system->console().execute(line);
  }
  static bool refused(const std::string& answer) { return answer.rfind("error: ", 0) == 0; }
};

TEST_F(SimConsoleTest, AGetOnAWindowThatIsNotLoadedCreatesNothing) {
  ASSERT_EQ(system->app.Form3_if_loaded(), nullptr);
  EXPECT_EQ(console("get Form3.Loaded"), "not loaded");
  EXPECT_EQ(console("get Form3.Left"), "not loaded");
  EXPECT_EQ(console("get Form3.Label1.Caption"), "not loaded");
  EXPECT_EQ(console("get Form3.Timer1.Enabled"), "not loaded");
  EXPECT_EQ(console("click Form3.Label1"), "not loaded");
  EXPECT_EQ(console("page Form3.WebBrowser1"), "not loaded");
  EXPECT_EQ(system->app.Form3_if_loaded(), nullptr);
  EXPECT_TRUE(refused(console("get Form4.Loaded")));

  EXPECT_EQ(console("get Form2.Loaded"), "True");
  EXPECT_EQ(console("get Form2.Text3.Visible"), "False");
}

TEST_F(SimConsoleTest, AWindowGoneAgainIsNotLoaded) {
  act([&] {
    form2().Picture19_Click();
    form2().Picture18_Click();
    form2().Label18_Click();  // refused: the hint window shows
  });
  EXPECT_EQ(console("get Form3.Loaded"), "True");
  advance(5000);
  EXPECT_EQ(console("get Form3.Loaded"), "not loaded");
  EXPECT_EQ(system->app.Form3_if_loaded(), nullptr);
}

TEST_F(SimConsoleTest, EveryCommandGetsOneAnswerAnEmptyTextIncluded) {
  ASSERT_EQ(form2().Text3.Text(), "");
  std::optional<std::string> empty = answer("get Form2.Text3.Text");
  ASSERT_TRUE(empty.has_value()) << "an empty text is an answer";
  EXPECT_EQ(*empty, "");
  EXPECT_FALSE(answer("# a comment").has_value());
  EXPECT_FALSE(answer("").has_value());
  EXPECT_FALSE(answer("   ").has_value());
}

TEST_F(SimConsoleTest, AdvanceRefusesSpansBeyondItsRangeAndKeepsTheClock) {
  const int64_t start = now();
  for (const char* span : {"9223372036854774784", "1e300", "-5", "2147483648", "nan", "inf"}) {
    EXPECT_TRUE(refused(console(std::string("advance ") + span))) << span;
    EXPECT_EQ(now(), start) << span;
  }
  EXPECT_EQ(console("advance 10.9"), "now " + std::to_string(start + 10));
  EXPECT_EQ(form2().Width(), 7305) << "the program runs on";
}

TEST_F(SimConsoleTest, CursorAndEditorSelectionRefuseNumbersBeyondThirtyTwoBits) {
  EXPECT_TRUE(refused(console("cursor 1e300 -1e300")));
  EXPECT_TRUE(refused(console("cursor 2147483648 0")));
  EXPECT_TRUE(refused(console("cursor 0 -2147483649")));
  EXPECT_EQ(desktop().cursor().x, 640) << "the cursor stays";
  EXPECT_EQ(console("cursor -3000 2500"), "ok");
  EXPECT_EQ(desktop().cursor().x, -3000);
  EXPECT_EQ(desktop().cursor().y, 2500);

  ASSERT_EQ(console("editor open the water is cold"), "ok");
  EXPECT_TRUE(refused(console("editor select 1e300 2")));
  EXPECT_TRUE(refused(console("editor select 0 -1e300")));
  EXPECT_EQ(console("editor select 4 9"), "ok");
  EXPECT_EQ(desktop().editor().selected_text(), "water");
}

TEST(SimulatedLoopClock, StopsAtTheEndOfSimulatedTimeInsteadOfOverflowing) {
  SimulatedLoop loop;
  loop.advance(INT64_MAX);
  EXPECT_EQ(loop.now(), SimulatedLoop::EndOfTime);
  loop.advance(INT64_MAX);
  EXPECT_EQ(loop.now(), SimulatedLoop::EndOfTime);
  EXPECT_FALSE(loop.run_until([] { return false; }, INT64_MAX));
  EXPECT_EQ(loop.now(), SimulatedLoop::EndOfTime);
}

#ifdef PREVOD_SIM_BINARY
// Runs prevod-sim on a script and returns its output lines.
std::vector<std::string> run_prevod_sim(const std::string& script_text) {
  namespace fs = std::filesystem;
  fs::path script =
      fs::temp_directory_path() / ("prevod-console-" + std::to_string(::getpid()) + ".txt");
  std::ofstream(script) << script_text;
  std::string command = std::string("\"") + PREVOD_SIM_BINARY + "\" < \"" + script.string() + "\"";
  std::vector<std::string> lines;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return lines;
  std::string pending;
  for (int c = fgetc(pipe); c != EOF; c = fgetc(pipe)) {
    if (c == '\n') {
      lines.push_back(pending);
      pending.clear();
    } else {
      pending += static_cast<char>(c);
    }
  }
  pclose(pipe);
  fs::remove(script);
  return lines;
}

TEST(SimConsoleProgram, PrintsOneLinePerCommandAndNoneForComments) {
  const std::vector<std::string> lines = run_prevod_sim(
      "advance 100\n"
      "get Form2.Text3.Text\n"
      "# the result box is still empty\n"
      "\n"
      "get Form3.Loaded\n"
      "advance 9223372036854774784\n"
      "now\n");
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0], "now 100");
  EXPECT_EQ(lines[1], "");
  EXPECT_EQ(lines[2], "not loaded");
  EXPECT_EQ(lines[3].rfind("error: ", 0), 0u) << lines[3];
  EXPECT_EQ(lines[4], "100");
}
#endif

}  // namespace

}  // namespace prevod
