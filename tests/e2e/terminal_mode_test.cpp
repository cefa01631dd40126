// The program in terminal mode, run as a person or a script runs it: its
// console on standard input, the wall clock, the embedded services.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace prevod {
namespace {

struct ShellRun {
  int status = -1;
  std::string output;
};

ShellRun run_shell(const std::string& command) {
  ShellRun run;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[4096];
  size_t got;
  while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.output.append(buffer, got);
  run.status = pclose(pipe);
  return run;
}

std::string last_line(const std::string& text) {
  std::string trimmed = text;
  while (!trimmed.empty() && trimmed.back() == '\n') trimmed.pop_back();
  size_t start = trimmed.rfind('\n');
  return start == std::string::npos ? trimmed : trimmed.substr(start + 1);
}

TEST(TerminalMode, InputThatGoesOnAfterTheWindowClosesReachesNothingThatIsGone) {
  // The window closes at once, while the pipe still pours commands in: the
  // reader must stop before the loop and the console are destroyed. The
  // sanitizer build makes any late access fail the run.
  const std::string command = "(echo 'click Form2.Picture3'; yes now | head -200000) | \"" +
                              std::string(PREVOD_BINARY) + "\" --silent 2>&1";
  for (int run = 0; run < 20; ++run) {
    ShellRun result = run_shell(command);
    ASSERT_EQ(result.status, 0) << "run " << run << ":\n" << last_line(result.output);
    ASSERT_EQ(last_line(result.output), "prevod: the window was closed") << "run " << run;
  }
}

TEST(TerminalMode, TheEndOfTheInputEndsTheProgram) {
  ShellRun result = run_shell("printf 'now\\nget Form9.Text\\n' | \"" + std::string(PREVOD_BINARY) +
                              "\" --silent 2>&1");
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(last_line(result.output), "prevod: bye");
}

}  // namespace
}  // namespace prevod
