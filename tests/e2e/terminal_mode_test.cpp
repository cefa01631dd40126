// The program in terminal mode, run as a person or a script runs it: its
// console on standard input, the wall clock, the embedded services.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>

namespace prevod {
namespace {

// prevod --terminal --silent with pipes on its standard input and output.
class TerminalProgram {
 public:
  TerminalProgram() {
    signal(SIGPIPE, SIG_IGN);
    int to_child[2];
    int from_child[2];
    if (pipe(to_child) != 0 || pipe(from_child) != 0) return;
    m_pid = fork();
    if (m_pid == 0) {
      dup2(to_child[0], STDIN_FILENO);
      dup2(from_child[1], STDOUT_FILENO);
      dup2(from_child[1], STDERR_FILENO);
      close(to_child[1]);
      close(from_child[0]);
      execl(PREVOD_BINARY, PREVOD_BINARY, "--terminal", "--silent", static_cast<char*>(nullptr));
      _exit(127);
    }
    close(to_child[0]);
    close(from_child[1]);
    m_in = to_child[1];
    m_out = fdopen(from_child[0], "r");
  }
  ~TerminalProgram() {
    if (m_in >= 0) close(m_in);
    if (m_out != nullptr) fclose(m_out);
    if (m_pid > 0 && m_status < 0) waitpid(m_pid, nullptr, 0);
  }

  bool started() const { return m_pid > 0 && m_out != nullptr; }
  // False once the program has stopped reading.
  bool send(const std::string& line) {
    std::string text = line + "\n";
    return write(m_in, text.data(), text.size()) == static_cast<ssize_t>(text.size());
  }
  // The next line of output, without its newline; "" at the end.
  std::string next_line() {
    char buffer[4096];
    if (fgets(buffer, sizeof buffer, m_out) == nullptr) return "";
    std::string line = buffer;
    if (!line.empty() && line.back() == '\n') line.pop_back();
    m_last = line.empty() ? m_last : line;
    return line;
  }
  // Reads to the end of the output and waits for the program to end.
  int finish() {
    close(m_in);
    m_in = -1;
    while (!next_line().empty() || !feof(m_out)) {
    }
    waitpid(m_pid, &m_status, 0);
    return m_status;
  }
  const std::string& last_line() const { return m_last; }

 private:
  pid_t m_pid = -1;
  int m_in = -1;
  FILE* m_out = nullptr;
  int m_status = -1;
  std::string m_last;
};

TEST(TerminalMode, InputThatGoesOnAfterTheWindowClosesReachesNothingThatIsGone) {
  // The window closes while the input still pours commands in: the reader
  // must stop before the loop and the console are destroyed. The sanitizer
  // build makes any late access fail the run.
  for (int run = 0; run < 20; ++run) {
    TerminalProgram program;
    ASSERT_TRUE(program.started());
    // The translation window comes a moment after the start.
    std::string answer;
    while (answer != "True") {
      ASSERT_TRUE(program.send("get Form2.Loaded"));
      do {
        answer = program.next_line();
      } while (answer.rfind("prevod:", 0) == 0);
      ASSERT_FALSE(answer.empty()) << "run " << run << ": the program ended early";
    }
    std::string flood = "click Form2.Picture3";
    for (int line = 0; line < 2000; ++line) flood += "\nnow";
    for (int chunk = 0; chunk < 100 && program.send(flood); ++chunk) {
    }
    int status = program.finish();
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << "run " << run << ": status " << status << ", last line " << program.last_line();
    ASSERT_EQ(program.last_line(), "prevod: the window was closed") << "run " << run;
  }
}

TEST(TerminalMode, AnswersSpeechFromTheRecordOfTheRealEngine) {
  TerminalProgram program;
  ASSERT_TRUE(program.started());
  ASSERT_TRUE(program.send("speech"));
  std::string answer;
  do {
    answer = program.next_line();
  } while (answer.rfind("prevod:", 0) == 0);
  EXPECT_EQ(answer.rfind("engine: ", 0), 0u) << answer;
  EXPECT_EQ(answer.find("error"), std::string::npos) << answer;
  EXPECT_NE(answer.find(" || player: "), std::string::npos) << answer;
  EXPECT_EQ(answer.find(" || player: none"), std::string::npos) << answer;
  program.finish();
}

TEST(TerminalMode, TheEndOfTheInputEndsTheProgram) {
  TerminalProgram program;
  ASSERT_TRUE(program.started());
  program.send("now");
  program.send("get Form9.Text");
  int status = program.finish();
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(program.last_line(), "prevod: bye");
}

}  // namespace
}  // namespace prevod
