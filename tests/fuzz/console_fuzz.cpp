// The console's command parser on the whole program on the simulated
// desktop: every line of the input is a command. One fresh program per
// input, not started, so that an input behaves the same on every run. A
// simulated wait longer than an hour is cut to an hour: the fuzzer looks for
// faults in parsing and in what the commands do, not for patience.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "program/sim_console.h"
#include "program/simulated_system.h"

namespace {

std::string bounded(const std::string& line) {
  if (line.rfind("advance ", 0) != 0) return line;
  char* end = nullptr;
  double ms = std::strtod(line.c_str() + 8, &end);
  return ms > 3600000.0 ? "advance 3600000" : line;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace prevod;
  if (size > 4096) return 0;
  SimulatedSystem system;
  SimConsole console = system.console();
  std::istringstream lines(std::string(reinterpret_cast<const char*>(data), size));
  std::string line;
  int commands = 0;
  while (std::getline(lines, line) && ++commands <= 64) {
    (void)console.execute(bounded(line));
    if (system.app.ended()) break;
  }
  return 0;
}
