#pragma once

// The console on the simulated desktop: every command of Console, and
// those that take the simulated desktop's person at the keyboard and mouse
// or its virtual clock: `advance`, `type`, `key`, another program writing
// or holding the clipboard, global `button`s, the `cursor`, the `tray` and
// the foreign `editor`. docs/console.md lists the commands.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "program/console.h"

namespace prevod {

class SimDesktop;
class SimulatedLoop;

class SimConsole : public Console {
 public:
  struct Hooks : Console::Hooks {
    SimulatedLoop* loop = nullptr;  // null on the real clock
  };

  SimConsole(Prevod& app, SimDesktop& desktop, Hooks hooks);

  // The longest step of the virtual clock one `advance` takes: some 24
  // days, which the idle program runs through in seconds. Every timer tick
  // on the way runs, so a far larger step would hold the console for hours.
  static constexpr int64_t MaxAdvanceMs = 2147483647;

 protected:
  std::optional<std::string> run_desktop_command(const std::string& command,
                                                 const std::string& rest,
                                                 const std::vector<std::string>& args) override;
  void settle() override;

 private:
  std::string advance(const std::string& rest);
  std::string key(const std::string& rest);
  std::string clipboard(const std::string& rest, const std::vector<std::string>& args);
  std::string button(const std::vector<std::string>& args);
  std::string cursor(const std::vector<std::string>& args);
  std::string tray(const std::string& rest);
  std::string editor(const std::string& rest, const std::vector<std::string>& args);

  SimDesktop& m_desktop;
  SimulatedLoop* m_clock;
};

}  // namespace prevod
