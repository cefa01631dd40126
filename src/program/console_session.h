#pragma once

// Runs the program's loop with the console reading its commands from a
// file descriptor (standard input), one a line, while the windows run.
// Each line is carried to the loop's thread and answered there through
// `print`, in the order read. `quit` or `exit` ends the loop, and so does
// the end of the input unless the session is told to keep running. The
// reader is stopped before run_with_console returns, so nothing it reads
// can reach the loop or the console afterwards: both may go as soon as it
// has returned.
//
//   run_with_console(loop, console, STDIN_FILENO, print);
//
// works with any loop that has run() and quit_from_any_thread()
// (RealTimeLoop, QtLoop).

#include <functional>
#include <string>

namespace prevod {

class EventLoop;
class Console;

enum class AtEndOfInput { EndTheLoop, KeepRunning };

struct ConsoleSession {
  int fd = 0;
  // Called on the loop's thread with each answer.
  std::function<void(const std::string& line)> print;
  // Runs the loop until it quits.
  std::function<void()> run_loop;
  // Ends the loop from the reader's thread.
  std::function<void()> quit_from_any_thread;
  AtEndOfInput at_end = AtEndOfInput::EndTheLoop;
};

void run_with_console(EventLoop& loop, Console& console, const ConsoleSession& session);

template <typename Loop>
void run_with_console(Loop& loop, Console& console, int fd,
                      std::function<void(const std::string& line)> print,
                      AtEndOfInput at_end = AtEndOfInput::EndTheLoop) {
  run_with_console(loop, console,
                   ConsoleSession{fd, std::move(print), [&loop] { loop.run(); },
                                  [&loop] { loop.quit_from_any_thread(); }, at_end});
}

}  // namespace prevod
