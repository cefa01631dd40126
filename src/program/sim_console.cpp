#include "program/sim_console.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "base/simulated_loop.h"
#include "base/text.h"
#include "platform/keys.h"
#include "platform/sim/sim_desktop.h"

namespace prevod {

namespace {

// "Ctrl+C", "Shift+Tab", "Enter".
bool parse_key(const std::string& design, uint8_t& code, bool& shift, bool& ctrl) {
  shift = ctrl = false;
  std::vector<std::string> parts = text::split(design, '+');
  if (parts.empty()) return false;
  for (size_t i = 0; i + 1 < parts.size(); ++i) {
    if (key_code(parts[i].c_str()) == vk::SHIFT) {
      shift = true;
    } else if (key_code(parts[i].c_str()) == vk::CONTROL || parts[i] == "Control") {
      ctrl = true;
    } else {
      return false;
    }
  }
  code = key_code(parts.back().c_str());
  return code != 0;
}

// A whole number of the console's arguments within [low, high]; fractions
// are cut towards zero. Numbers outside the range, which no cast could
// carry, are refused.
bool whole_number(const std::string& typed, double low, double high, double& value) {
  if (!text::parse_number(typed, value) || value < low || value > high) return false;
  value = std::trunc(value);
  return true;
}

bool int32_argument(const std::string& typed, int32_t& value) {
  double parsed = 0;
  if (!whole_number(typed, INT32_MIN, INT32_MAX, parsed)) return false;
  value = static_cast<int32_t>(parsed);
  return true;
}

}  // namespace

SimConsole::SimConsole(Prevod& app, SimDesktop& desktop, Hooks hooks)
    : Console(app, desktop.loop(), desktop, desktop, desktop.trace(), hooks),
      m_desktop(desktop),
      m_clock(hooks.loop) {}

void SimConsole::settle() {
  if (m_clock != nullptr) m_clock->run_pending();
}

std::optional<std::string> SimConsole::run_desktop_command(const std::string& command,
                                                           const std::string& rest,
                                                           const std::vector<std::string>& args) {
  if (command == "advance") return advance(rest);
  if (command == "type") {
    act([&] { m_desktop.type_text(rest); });
    return "ok";
  }
  if (command == "key") return key(rest);
  if (command == "clipboard") return clipboard(rest, args);
  if (command == "button") return button(args);
  if (command == "cursor") return cursor(args);
  if (command == "tray") return tray(rest);
  if (command == "editor") return editor(rest, args);
  return std::nullopt;
}

std::string SimConsole::advance(const std::string& rest) {
  if (m_clock == nullptr) return "error: the clock is real";
  // Neither beyond MaxAdvanceMs nor past the end of simulated time.
  const int64_t room = std::min(MaxAdvanceMs, SimulatedLoop::EndOfTime - m_clock->now());
  double value = 0;
  if (!whole_number(rest, 0, static_cast<double>(room), value)) {
    return "error: advance MS, from 0 to " + std::to_string(room);
  }
  m_clock->advance(static_cast<int64_t>(value));
  return "now " + std::to_string(m_clock->now());
}

std::string SimConsole::key(const std::string& rest) {
  uint8_t code = 0;
  bool shift = false;
  bool ctrl = false;
  if (!parse_key(rest, code, shift, ctrl)) return "error: unknown key " + rest;
  act([&] { m_desktop.press_key(code, shift, ctrl); });
  return "ok";
}

std::string SimConsole::clipboard(const std::string& rest, const std::vector<std::string>& args) {
  if (rest.empty()) {
    auto held = m_desktop.sim_clipboard().peek();
    return held ? one_line(*held) : "(empty)";
  }
  if (args[0] == "set") {
    m_desktop.sim_clipboard().put(rest.size() > 4 ? rest.substr(4) : "");
    return "ok";
  }
  if (args[0] == "clear") {
    m_desktop.sim_clipboard().put("");
    return "ok";
  }
  if (args[0] == "hold" && args.size() == 2) {
    m_desktop.sim_clipboard().set_held(args[1] == "on");
    return "ok";
  }
  return "error: clipboard [set TEXT|clear|hold on|off]";
}

std::string SimConsole::button(const std::vector<std::string>& args) {
  if (args.size() != 2 || (args[0] != "left" && args[0] != "right") ||
      (args[1] != "down" && args[1] != "up")) {
    return "error: button left|right down|up";
  }
  act([&] { m_desktop.mouse_button(args[0] == "left" ? 1 : 2, args[1] == "down"); });
  return "ok";
}

std::string SimConsole::cursor(const std::vector<std::string>& args) {
  int32_t x = 0;
  int32_t y = 0;
  if (args.size() != 2 || !int32_argument(args[0], x) || !int32_argument(args[1], y)) {
    return "error: cursor X Y, in pixels";
  }
  m_desktop.set_cursor(x, y);
  return "ok";
}

std::string SimConsole::tray(const std::string& rest) {
  if (rest != "left" && rest != "right") return "error: tray left|right";
  m_desktop.click_tray(rest == "left" ? 513 : 516);
  settle();
  return std::to_string(m_desktop.tray().icons().size()) + " icon(s)";
}

std::string SimConsole::editor(const std::string& rest, const std::vector<std::string>& args) {
  const std::string usage = "error: editor open TEXT|select FROM TO|focus|state";
  if (args.empty()) return usage;
  SimEditor& editor = m_desktop.editor();
  if (args[0] == "open") {
    editor.open_with(rest.size() > 5 ? rest.substr(5) : "");
    m_desktop.focus_editor();
    return "ok";
  }
  if (args[0] == "select" && args.size() == 3) {
    int32_t from = 0;
    int32_t to = 0;
    if (!int32_argument(args[1], from) || !int32_argument(args[2], to))
      return "error: editor select FROM TO";
    editor.select(from, to);
    return "ok";
  }
  if (args[0] == "focus") {
    m_desktop.focus_editor();
    return "ok";
  }
  if (args[0] == "state") {
    return one_line("\"" + editor.text() + "\" selected \"" + editor.selected_text() + "\"" +
                    (editor.menu_open() ? " menu open" : ""));
  }
  return usage;
}

}  // namespace prevod
