#pragma once

// The simulated desktop's console: one command a line, one line per answer.
// It drives the whole program as a person at the simulated desktop would
// (clicks, typing, keys, mouse buttons, the cursor, the clipboard, the tray,
// a foreign editor) and reads the program's state back (properties, shared
// variables, the browsers' pages, the player, speech). docs/sim-console.md
// lists the commands.

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace prevod {

class Prevod;
class SimDesktop;
class SimulatedLoop;
class RecordingSpeechFactory;
class Window;
class Control;

class SimConsole {
 public:
  struct Hooks {
    SimulatedLoop* loop = nullptr;                        // null on the real clock
    RecordingSpeechFactory* speech = nullptr;             // null with a real engine
    std::function<std::string()> describe_player;         // the voice reader player
    std::function<std::string()> describe_player_speech;  // what the player said
  };

  SimConsole(Prevod& app, SimDesktop& desktop, Hooks hooks);

  // The longest step of the virtual clock one `advance` takes: some 24
  // days, which the idle program runs through in seconds. Every timer tick
  // on the way runs, so a far larger step would hold the console for hours.
  static constexpr int64_t MaxAdvanceMs = 2147483647;

  // Runs one command line and returns its one-line answer, which may be
  // empty (an empty text); blank lines and lines starting with '#' are no
  // commands and get no answer.
  std::optional<std::string> execute(const std::string& line);
  // Texts are shown on one line: CR and LF are written as \r and \n.
  static std::string one_line(const std::string& text);

 private:
  // The window of a name if it is loaded now; the console never creates
  // a window, it only looks at and acts on those that exist.
  Window* loaded_window(const std::string& name) const;
  std::string get(const std::string& path);
  std::string with_control(const std::string& path,
                           const std::function<std::string(Window&, Control&)>& action);
  std::string shared(const std::string& name);
  std::string speech() const;
  std::string page(const std::string& path);
  std::string run(const std::string& command, const std::string& rest,
                  const std::vector<std::string>& args);
  // Runs a person's action as a top-level event, then what falls due now.
  void act(const std::function<void()>& action);

  Prevod& m_app;
  SimDesktop& m_desktop;
  Hooks m_hooks;
};

}  // namespace prevod
