#pragma once

// What the desktop tests need around them on the X server of their
// session: whether a window manager runs, other programs started and ended
// by the test (the tests' own editor, xdotool), and the keyboard layout.

#include <signal.h>

#include <QProcess>
#include <QString>
#include <QStringList>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "support/qt_spin.h"

namespace prevod::testing {

inline bool window_manager_runs() {
  const char* wm = std::getenv("PREVOD_X11_WM");
  return wm != nullptr && std::string(wm) != "none";
}

// Runs a program of the session (xdotool, setxkbmap) to its end; true when
// it succeeded within the limit.
inline bool run_program(const QString& program, const QStringList& arguments,
                        int limit_ms = 10000) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(limit_ms)) {
    process.kill();
    process.waitForFinished();
    return false;
  }
  return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

inline bool xdotool(const QStringList& arguments) {
  return run_program("xdotool", arguments);
}

// Holds the session's window manager stopped while it lives, so that a
// window being shown stays on its way to the screen; nothing without one.
//
// A window manager grabs the server while it takes a new window in; stopped
// in the middle of that, it would hold every other client of the server,
// the test among them, for good. So it is stopped only at a moment when the
// server still answers another program, and let go on and stopped again
// otherwise.
class StoppedWindowManager {
 public:
  StoppedWindowManager() {
    const char* pid = std::getenv("PREVOD_X11_WM_PID");
    m_pid = pid != nullptr ? std::atoi(pid) : 0;
    if (m_pid <= 0) return;
    for (int attempt = 0; attempt < 50; ++attempt) {
      kill(m_pid, SIGSTOP);
      if (is_stopped() && server_answers()) return;
      kill(m_pid, SIGCONT);
      spin_until([] { return false; }, 20);
    }
  }
  ~StoppedWindowManager() { resume(); }
  StoppedWindowManager(const StoppedWindowManager&) = delete;
  StoppedWindowManager& operator=(const StoppedWindowManager&) = delete;
  bool stopped() const { return m_pid > 0; }
  void resume() {
    if (m_pid > 0) kill(m_pid, SIGCONT);
    m_pid = 0;
  }

 private:
  // Whether the process has come to a stop, looked at for a while.
  bool is_stopped() const {
    const std::string path = "/proc/" + std::to_string(m_pid) + "/stat";
    return poll_until(
        [&] {
          std::ifstream stat(path);
          std::string line;
          std::getline(stat, line);
          const size_t end_of_name = line.rfind(')');
          return end_of_name != std::string::npos && end_of_name + 2 < line.size() &&
                 line[end_of_name + 2] == 'T';
        },
        1000);
  }
  // Whether a program of its own can still talk to the server: a grab held
  // by the stopped window manager would keep it waiting.
  static bool server_answers() {
    return run_program("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}, 500);
  }

  int m_pid = 0;
};

// The tests' own editor as another program: one line edit with the given
// text, focused. It reports what it puts on the clipboard.
class TestEditor {
 public:
  explicit TestEditor(const QString& text) {
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(PREVOD_TEST_EDITOR, {text});
    poll_until([&] { return read_lines(), m_window != 0; }, 10000);
  }
  ~TestEditor() {
    m_process.kill();
    m_process.waitForFinished();
  }
  unsigned long window() const { return m_window; }
  // The texts the editor has copied so far, newest last.
  const QStringList& copied() {
    read_lines();
    return m_copied;
  }
  bool wait_for_copy(int count = 1) {
    return poll_until([&] { return copied().size() >= count; });
  }
  // Gives the editor the keyboard focus, with or without a window manager.
  // The window may still be on its way to the screen at first.
  bool focus() {
    return poll_until([&] {
      return xdotool({"windowfocus", "--sync", QString::number(m_window)});
    });
  }

 private:
  void read_lines() {
    while (m_process.canReadLine()) {
      QString line = QString::fromUtf8(m_process.readLine()).chopped(1);
      if (line.startsWith("ready ")) m_window = line.mid(6).toULong();
      if (line.startsWith("clipboard ")) m_copied.append(line.mid(10));
    }
  }

  QProcess m_process;
  unsigned long m_window = 0;
  QStringList m_copied;
};

}  // namespace prevod::testing
