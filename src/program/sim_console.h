#pragma once

// The simulated desktop's console: one command a line, one line per answer.
// It drives the whole program as a person at the simulated desktop would
// (clicks, typing, keys, mouse buttons, the cursor, the clipboard, the tray,
// a foreign editor) and reads the program's state back (properties, shared
// variables, the browsers' pages, the player, speech). docs/sim-console.md
// lists the commands.

#include <functional>
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

  // Runs one command line and returns its one-line answer.
  std::string execute(const std::string& line);
  // Texts are shown on one line: CR and LF are written as \r and \n.
  static std::string one_line(const std::string& text);

 private:
  std::string get(const std::string& path);
  std::string with_control(const std::string& path,
                           const std::function<std::string(Window&, Control&)>& action);
  std::string shared(const std::string& name);
  std::string speech() const;
  std::string page(const std::string& path);
  // Runs a person's action as a top-level event, then what falls due now.
  void act(const std::function<void()>& action);

  Prevod& m_app;
  SimDesktop& m_desktop;
  Hooks m_hooks;
};

}  // namespace prevod
