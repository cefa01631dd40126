// How prevod starts and ends around the X display: without one, or with one
// that does not answer, it runs in terminal mode and says why in one line;
// when the X server goes away under it, it ends at once with one line.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace prevod {
namespace {

// A program started with its standard input from /dev/null and its output
// and errors in pipes, in an environment of the test's choosing.
class Child {
 public:
  Child(std::vector<std::string> arguments, const std::vector<std::string>& environment) {
    int out[2];
    int err[2];
    if (pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0) return;
    m_pid = fork();
    if (m_pid == 0) {
      int in = open("/dev/null", O_RDONLY);
      dup2(in, STDIN_FILENO);
      dup2(out[1], STDOUT_FILENO);
      dup2(err[1], STDERR_FILENO);
      std::vector<char*> argv;
      for (std::string& argument : arguments) argv.push_back(argument.data());
      argv.push_back(nullptr);
      std::vector<std::string> env = environment;
      std::vector<char*> envp;
      for (std::string& entry : env) envp.push_back(entry.data());
      envp.push_back(nullptr);
      execve(argv[0], argv.data(), envp.data());
      _exit(127);
    }
    close(out[1]);
    close(err[1]);
    m_out = out[0];
    m_err = err[0];
  }
  ~Child() {
    if (m_pid > 0 && m_status < 0) {
      kill(m_pid, SIGKILL);
      waitpid(m_pid, nullptr, 0);
    }
    if (m_out >= 0) close(m_out);
    if (m_err >= 0) close(m_err);
  }
  pid_t pid() const { return m_pid; }
  // Waits for the end, at most `limit`; the exit status, or -1 when it
  // goes on.
  int wait_for_end(std::chrono::milliseconds limit) {
    auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
      if (waitpid(m_pid, &m_status, WNOHANG) == m_pid) return m_status;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return -1;
  }
  std::string output() { return read_all(m_out); }
  std::string errors() { return read_all(m_err); }

 private:
  static std::string read_all(int fd) {
    std::string text;
    char buffer[4096];
    ssize_t got;
    while ((got = read(fd, buffer, sizeof buffer)) > 0)
      text.append(buffer, static_cast<size_t>(got));
    return text;
  }

  pid_t m_pid = -1;
  int m_out = -1;
  int m_err = -1;
  int m_status = -1;
};

std::vector<std::string> environment_without_display() {
  std::vector<std::string> env;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    std::string text = *entry;
    if (text.rfind("DISPLAY=", 0) == 0 || text.rfind("WAYLAND_DISPLAY=", 0) == 0 ||
        text.rfind("XDG_RUNTIME_DIR=", 0) == 0)
      continue;
    env.push_back(text);
  }
  return env;
}

std::string first_line(const std::string& text) {
  return text.substr(0, text.find('\n'));
}

TEST(RealDesktopStart, WithoutADisplayItRunsInTerminalModeAndSaysWhyInOneLine) {
  Child prevod({PREVOD_BINARY, "--silent"}, environment_without_display());
  int status = prevod.wait_for_end(std::chrono::seconds(30));
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  std::string output = prevod.output();
  EXPECT_EQ(first_line(output), "prevod: no X display (DISPLAY is not set); terminal mode");
  EXPECT_NE(output.find("prevod: terminal mode;"), std::string::npos);
}

TEST(RealDesktopStart, ADisplayThatDoesNotAnswerAlsoMeansTerminalMode) {
  int unused = 4000;
  while (std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(unused))) ++unused;
  std::vector<std::string> env = environment_without_display();
  env.push_back("DISPLAY=:" + std::to_string(unused));
  Child prevod({PREVOD_BINARY, "--silent"}, env);
  int status = prevod.wait_for_end(std::chrono::seconds(30));
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_EQ(first_line(prevod.output()),
            "prevod: the X display :" + std::to_string(unused) + " does not answer; terminal mode");
}

TEST(RealDesktopStart, TerminalModeCanBeAskedForWithADisplayThere) {
  std::vector<std::string> env = environment_without_display();
  env.push_back("DISPLAY=:0");
  Child prevod({PREVOD_BINARY, "--terminal", "--silent"}, env);
  int status = prevod.wait_for_end(std::chrono::seconds(30));
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_EQ(first_line(prevod.output()),
            "prevod: terminal mode; type commands (docs/sim-console.md), end with Ctrl+D");
}

TEST(RealDesktopStart, AnUnknownArgumentIsRefusedWithTheUsage) {
  Child prevod({PREVOD_BINARY, "--frobnicate"}, environment_without_display());
  int status = prevod.wait_for_end(std::chrono::seconds(10));
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 2);
  EXPECT_EQ(first_line(prevod.errors()),
            "usage: prevod [--terminal] [--console] [--trace] [--silent]");
}

// An X server of the test's own, on a free display.
class OwnXServer {
 public:
  OwnXServer() {
    int fds[2];
    if (pipe(fds) != 0) return;
    m_pid = fork();
    if (m_pid == 0) {
      close(fds[0]);
      int null = open("/dev/null", O_WRONLY);
      dup2(null, STDOUT_FILENO);
      dup2(null, STDERR_FILENO);
      std::string fd = std::to_string(fds[1]);
      execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x800x24", "-nolisten",
             "tcp", "-noreset", static_cast<char*>(nullptr));
      _exit(127);
    }
    close(fds[1]);
    // The server writes its display number and a newline once it listens.
    std::string number;
    char c;
    while (read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    close(fds[0]);
    if (!number.empty()) m_display = ":" + number;
  }
  ~OwnXServer() { end(); }
  const std::string& display() const { return m_display; }
  void end() {
    if (m_pid <= 0) return;
    kill(m_pid, SIGTERM);
    waitpid(m_pid, nullptr, 0);
    m_pid = -1;
  }

 private:
  pid_t m_pid = -1;
  std::string m_display;
};

bool have_program(const char* name) {
  return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}

// Starts prevod on a server of its own, ends the server once the program's
// windows are there, and returns what became of the program.
struct Ending {
  int status = -1;
  std::string errors;
};
Ending end_the_server_under_prevod() {
  Ending ending;
  OwnXServer server;
  EXPECT_FALSE(server.display().empty());
  std::vector<std::string> env = environment_without_display();
  env.push_back("DISPLAY=" + server.display());
  // A desktop session has its runtime directory; without one Qt says so.
  char runtime[] = "/tmp/prevod-runtime.XXXXXX";
  EXPECT_NE(mkdtemp(runtime), nullptr);
  env.push_back(std::string("XDG_RUNTIME_DIR=") + runtime);
  Child prevod({PREVOD_BINARY, "--silent"}, env);
  // Up and running on the display: its speech window is there.
  std::string find = "DISPLAY=" + server.display() + " xdotool search --name '^Form1$' >/dev/null";
  bool up = false;
  for (int tries = 0; tries < 500 && !up; ++tries) {
    up = std::system(find.c_str()) == 0;
    if (!up) std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  if (up) {
    server.end();
    ending.status = prevod.wait_for_end(std::chrono::seconds(5));
  }
  if (ending.status == -1) kill(prevod.pid(), SIGKILL);
  ending.errors = prevod.errors();
  std::filesystem::remove_all(runtime);
  return ending;
}

TEST(RealDesktopStart, WhenTheXServerGoesAwayItEndsAtOnceWithOneLine) {
  if (!have_program("Xvfb") || !have_program("xdotool")) GTEST_SKIP() << "needs Xvfb and xdotool";
  // Which of the program's connections notices first varies; a few runs
  // see more than one of them.
  for (int run = 0; run < 3; ++run) {
    Ending ending = end_the_server_under_prevod();
    ASSERT_NE(ending.status, -1) << "run " << run << ": prevod goes on without its X server\n"
                                 << ending.errors;
    EXPECT_TRUE(WIFEXITED(ending.status) && WEXITSTATUS(ending.status) == 1)
        << "run " << run << ": status " << ending.status;
    EXPECT_EQ(ending.errors, "prevod: the X server has gone away; ending\n") << "run " << run;
  }
}

}  // namespace
}  // namespace prevod
