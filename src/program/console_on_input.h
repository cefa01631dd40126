#pragma once

// The console on standard input while the program runs: each line is
// handed to the loop, where the console answers it with one line on
// standard output; "quit", "exit" or the end of the input ends the program.
// Destroying it stops the reader first: once it is gone no line reaches the
// console, the loop or anything else that is about to go.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "program/line_reader.h"

namespace prevod {

class EventLoop;

class ConsoleOnInput {
 public:
  // Runs one command line on the loop's thread; its answer, if any.
  using Execute = std::function<std::optional<std::string>(const std::string& line)>;
  // Prints one line of output; called on the loop's thread.
  using Print = std::function<void(const std::string& line)>;
  // Ends the loop; called on the reader's thread.
  using Quit = std::function<void()>;

  ConsoleOnInput(int fd, EventLoop& loop, Execute execute, Print print, Quit quit);
  ~ConsoleOnInput() { m_reader.stop(); }
  ConsoleOnInput(const ConsoleOnInput&) = delete;
  ConsoleOnInput& operator=(const ConsoleOnInput&) = delete;

 private:
  struct Handlers {
    Execute execute;
    Print print;
  };
  // Lines already handed to the loop find the handlers gone, rather than
  // dangling, once the console is destroyed.
  std::shared_ptr<Handlers> m_handlers;
  LineReader m_reader;
};

}  // namespace prevod
