// prevod-sim: the whole program on the simulated desktop with the embedded
// services, on a virtual clock, driven by commands on standard input (one a
// line, one line per answer; see docs/console.md).
//
//   prevod-sim [--trace] [--no-speech-engine] [--no-tray] [--no-taskbar]

#include <cstring>
#include <iostream>
#include <optional>
#include <string>

#include "program/simulated_system.h"

namespace prevod {

int run_simulated(int argc, char** argv) {
  SimulatedSystem::Options options;
  bool tracing = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--trace") == 0) {
      tracing = true;
    } else if (std::strcmp(argv[i], "--no-speech-engine") == 0) {
      options.speech_engine = false;
    } else if (std::strcmp(argv[i], "--no-tray") == 0) {
      options.tray = false;
    } else if (std::strcmp(argv[i], "--no-taskbar") == 0) {
      options.taskbar = false;
    } else {
      std::cerr << "usage: prevod-sim [--trace] [--no-speech-engine] [--no-tray] [--no-taskbar]\n";
      return 2;
    }
  }
  SimulatedSystem system(options);
  system.trace.set_enabled(tracing);
  system.trace.set_sink([](const std::string& line) { std::cout << "trace " << line << '\n'; });
  system.start();
  system.loop.run_pending();
  SimConsole console = system.console();
  std::string line;
  while (std::getline(std::cin, line)) {
    if (line == "quit" || line == "exit") break;
    if (std::optional<std::string> answer = console.execute(line)) {
      std::cout << *answer << std::endl;
    }
    if (system.app.ended()) {
      std::cout << "ended" << std::endl;
      break;
    }
  }
  return 0;
}

}  // namespace prevod

int main(int argc, char** argv) {
  return prevod::run_simulated(argc, argv);
}
