#pragma once

// The program's console on any desktop: one command a line, one line per
// answer. It reads the program's state back (window and control
// properties, shared variables, the browsers' pages, the voice reader
// player, what was spoken, the clipboard, the clock) and acts on the
// windows as a person would (clicks, button presses, the keyboard focus).
// What takes the simulated desktop's person at the keyboard and mouse
// (typing, keys, global buttons, the cursor, another program writing or
// holding the clipboard, the tray, the foreign editor) or its virtual clock
// is SimConsole's; here those commands answer that they work only there.
// docs/console.md lists the commands.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/utterance_record.h"

namespace prevod {

class Prevod;
class EventLoop;
class Desktop;
class WindowSystem;
class Trace;
class Window;
class Control;

class Console {
 public:
  struct Hooks {
    // What the local speech engine was asked to say, or nullopt while no
    // engine exists; unset where speech is not recorded.
    std::function<std::optional<std::vector<UtteranceRecord>>()> spoken;
    std::function<std::string()> describe_player;         // the voice reader player
    std::function<std::string()> describe_player_speech;  // what the player said
  };

  // The answer to a command of the simulated desktop elsewhere.
  static constexpr const char* OnlySimulated = "error: only on the simulated desktop";

  Console(Prevod& app, EventLoop& loop, Desktop& desktop, WindowSystem& windows, Trace& trace,
          Hooks hooks);
  virtual ~Console() = default;

  // Runs one command line and returns its one-line answer, which may be
  // empty (an empty text); blank lines and lines starting with '#' are no
  // commands and get no answer. It runs on the loop's thread.
  std::optional<std::string> execute(const std::string& line);
  // Texts are shown on one line: CR and LF are written as \r and \n.
  static std::string one_line(const std::string& text);

 protected:
  // A command that only one kind of desktop knows: its answer, or nullopt
  // when this desktop has no such command.
  virtual std::optional<std::string> run_desktop_command(const std::string& command,
                                                         const std::string& rest,
                                                         const std::vector<std::string>& args);
  // Runs what falls due at once after a person's action; the wall clock
  // does that by itself.
  virtual void settle() {}
  // Runs a person's action as a top-level event, then settles.
  void act(const std::function<void()>& action);

  EventLoop& loop() { return m_loop; }

 private:
  // The window of a name if it is loaded now; the console never creates
  // a window, it only looks at and acts on those that exist.
  Window* loaded_window(const std::string& name) const;
  std::string get(const std::string& path);
  std::string with_control(const std::string& path,
                           const std::function<std::string(Window&, Control&)>& action);
  std::string act_on_control(const std::string& command, const std::string& path);
  std::string shared(const std::string& name);
  std::string speech() const;
  std::string page(const std::string& path);
  std::string clipboard(const std::string& rest);
  std::string run(const std::string& command, const std::string& rest,
                  const std::vector<std::string>& args);

  Prevod& m_app;
  EventLoop& m_loop;
  Desktop& m_desktop;
  WindowSystem& m_windows;
  Trace& m_trace;
  Hooks m_hooks;
};

}  // namespace prevod
