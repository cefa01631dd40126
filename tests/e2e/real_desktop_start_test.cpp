// How prevod starts and ends around the X display: without one, or with one
// that does not answer, it runs in terminal mode and says why in one line;
// when the X server goes away under it, it ends at once with one line.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace prevod {
namespace {

// A program started with pipes on its standard input, output and errors,
// in an environment of the test's choosing.
class Child {
 public:
  Child(std::vector<std::string> arguments, const std::vector<std::string>& environment) {
    int in[2];
    int out[2];
    int err[2];
    if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0)
      return;
    m_pid = fork();
    if (m_pid == 0) {
      dup2(in[0], STDIN_FILENO);
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
    close(in[0]);
    close(out[1]);
    close(err[1]);
    m_in = in[1];
    m_out = out[0];
    m_err = err[0];
  }
  ~Child() {
    if (m_pid > 0 && m_status < 0) {
      kill(m_pid, SIGKILL);
      waitpid(m_pid, nullptr, 0);
    }
    for (int fd : {m_in, m_out, m_err}) {
      if (fd >= 0) close(fd);
    }
  }
  pid_t pid() const { return m_pid; }
  bool send(const std::string& line) {
    std::string text = line + "\n";
    return write(m_in, text.data(), text.size()) == static_cast<ssize_t>(text.size());
  }
  void close_input() {
    if (m_in >= 0) close(m_in);
    m_in = -1;
  }
  // The next line of output, without its newline; nullopt at the end or
  // after the limit.
  std::optional<std::string> next_line(std::chrono::milliseconds limit) {
    auto end = std::chrono::steady_clock::now() + limit;
    for (;;) {
      size_t newline = m_pending.find('\n');
      if (newline != std::string::npos) {
        std::string line = m_pending.substr(0, newline);
        m_pending.erase(0, newline + 1);
        return line;
      }
      auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          end - std::chrono::steady_clock::now());
      pollfd wait{m_out, POLLIN, 0};
      if (left.count() <= 0 || poll(&wait, 1, static_cast<int>(left.count())) <= 0)
        return std::nullopt;
      char buffer[4096];
      ssize_t got = read(m_out, buffer, sizeof buffer);
      if (got <= 0) return std::nullopt;
      m_pending.append(buffer, static_cast<size_t>(got));
    }
  }
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
  std::string output() { return m_pending + read_all(m_out); }
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
  int m_in = -1;
  int m_out = -1;
  int m_err = -1;
  int m_status = -1;
  std::string m_pending;
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
  prevod.close_input();
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
  prevod.close_input();
  int status = prevod.wait_for_end(std::chrono::seconds(30));
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_EQ(first_line(prevod.output()),
            "prevod: the X display :" + std::to_string(unused) + " does not answer; terminal mode");
}

TEST(RealDesktopStart, TerminalModeCanBeAskedForWithADisplayThere) {
  std::vector<std::string> env = environment_without_display();
  env.push_back("DISPLAY=:0");
  Child prevod({PREVOD_BINARY, "--terminal", "--silent"}, env);
  prevod.close_input();
  int status = prevod.wait_for_end(std::chrono::seconds(30));
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_EQ(first_line(prevod.output()),
            "prevod: terminal mode; type commands (docs/console.md), end with Ctrl+D");
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

// An X server of the test's own with the environment of a desktop session
// on it: a display, and a runtime directory (without one Qt says so).
class OwnDesktop {
 public:
  OwnDesktop() {
    environment = environment_without_display();
    environment.push_back("DISPLAY=" + server.display());
    if (mkdtemp(m_runtime) != nullptr)
      environment.push_back(std::string("XDG_RUNTIME_DIR=") + m_runtime);
  }
  ~OwnDesktop() { std::filesystem::remove_all(m_runtime); }
  bool up() const { return !server.display().empty(); }
  // Whether prevod's speech window is on the display, looked at until the
  // limit.
  bool prevod_runs() { return window_named("^Form1$"); }
  // Whether a window whose name matches `pattern` is on the display, looked
  // at until the limit.
  bool window_named(const std::string& pattern) {
    std::string find =
        "DISPLAY=" + server.display() + " xdotool search --name '" + pattern + "' >/dev/null";
    for (int tries = 0; tries < 500; ++tries) {
      if (std::system(find.c_str()) == 0) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
  }

  OwnXServer server;
  std::vector<std::string> environment;

 private:
  char m_runtime[32] = "/tmp/prevod-runtime.XXXXXX";
};

// Starts prevod on a desktop of its own, ends the server once the program's
// windows are there, and returns what became of the program.
struct Ending {
  int status = -1;
  std::string errors;
};
Ending end_the_server_under_prevod() {
  Ending ending;
  OwnDesktop desktop;
  EXPECT_TRUE(desktop.up());
  Child prevod({PREVOD_BINARY, "--silent"}, desktop.environment);
  if (desktop.prevod_runs()) {
    desktop.server.end();
    ending.status = prevod.wait_for_end(std::chrono::seconds(5));
  }
  if (ending.status == -1) kill(prevod.pid(), SIGKILL);
  ending.errors = prevod.errors();
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

TEST(RealDesktopStart, WithTheConsoleEachCommandIsAnsweredInOneLineAndQuitEnds) {
  if (!have_program("Xvfb") || !have_program("xdotool")) GTEST_SKIP() << "needs Xvfb and xdotool";
  for (bool by_quit : {true, false}) {
    OwnDesktop desktop;
    ASSERT_TRUE(desktop.up());
    Child prevod({PREVOD_BINARY, "--console", "--silent"}, desktop.environment);
    ASSERT_TRUE(desktop.prevod_runs());
    prevod.send("get Form1.Loaded");
    prevod.send("# a remark, no command");
    prevod.send("");
    prevod.send("now");
    EXPECT_EQ(prevod.next_line(std::chrono::seconds(5)), "True");
    EXPECT_TRUE(prevod.next_line(std::chrono::seconds(5)));
    if (by_quit) {
      prevod.send("quit");
    } else {
      prevod.close_input();
    }
    int status = prevod.wait_for_end(std::chrono::seconds(10));
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(prevod.output(), "prevod: bye\n") << "no more answers, then the end";
  }
}

// Asks the console until the answer is `expected`; false after the limit.
bool answers(Child& prevod, const std::string& command, const std::string& expected) {
  for (int tries = 0; tries < 100; ++tries) {
    prevod.send(command);
    if (prevod.next_line(std::chrono::seconds(5)) == expected) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return false;
}

TEST(RealDesktopStart, ASecondStartShowsTheFirstOnesTranslationWindowAndEnds) {
  if (!have_program("Xvfb") || !have_program("xdotool")) GTEST_SKIP() << "needs Xvfb and xdotool";
  if (!have_program("trayer")) GTEST_SKIP() << "needs trayer";
  OwnDesktop desktop;
  ASSERT_TRUE(desktop.up());
  // A tray host, so that the translation window can be hidden.
  Child tray({"/bin/sh", "-c", "exec trayer --edge bottom --widthtype pixel --width 200"},
             desktop.environment);
  ASSERT_TRUE(desktop.window_named("^panel$"));
  Child first({PREVOD_BINARY, "--console", "--silent"}, desktop.environment);
  ASSERT_TRUE(desktop.prevod_runs());
  ASSERT_TRUE(answers(first, "get Form2.Visible", "True"));
  // The translation window's close button hides it and leaves the tray icon.
  first.send("click Form2.Picture11");
  ASSERT_TRUE(first.next_line(std::chrono::seconds(5)));
  ASSERT_TRUE(answers(first, "get Form2.Visible", "False"));

  Child second({PREVOD_BINARY, "--silent"}, desktop.environment);
  int status = second.wait_for_end(std::chrono::seconds(10));
  ASSERT_TRUE(WIFEXITED(status)) << status;
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(second.output(),
            "prevod: already running on this display; its translation window is shown\n");
  EXPECT_TRUE(answers(first, "get Form2.Visible", "True"));
  first.send("quit");
  EXPECT_EQ(first.wait_for_end(std::chrono::seconds(10)), 0);
}

}  // namespace
}  // namespace prevod
