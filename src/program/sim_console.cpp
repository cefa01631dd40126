#include "program/sim_console.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <sstream>

#include "app/prevod.h"
#include "app/shared_state.h"
#include "base/simulated_loop.h"
#include "base/text.h"
#include "base/trace.h"
#include "model/control.h"
#include "model/web_browser.h"
#include "model/window.h"
#include "platform/keys.h"
#include "platform/sim/recording_speech_engine.h"
#include "platform/sim/sim_desktop.h"
#include "speech/form3.h"
#include "translation/form2.h"
#include "voicereader/form1.h"

namespace prevod {

namespace {

std::vector<std::string> split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::string part;
  std::istringstream in(text);
  while (std::getline(in, part, separator)) parts.push_back(part);
  return parts;
}

// "Ctrl+C", "Shift+Tab", "Enter".
bool parse_key(const std::string& design, uint8_t& code, bool& shift, bool& ctrl) {
  shift = ctrl = false;
  std::vector<std::string> parts = split(design, '+');
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

std::string number(double value) {
  return text::format_number(value);
}

bool known_window(const std::string& name) {
  return name == "Form1" || name == "Form2" || name == "Form3";
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
    : m_app(app), m_desktop(desktop), m_hooks(std::move(hooks)) {}

std::string SimConsole::one_line(const std::string& value) {
  std::string out = text::replace_all(value, "\\", "\\\\");
  out = text::replace_all(out, "\r", "\\r");
  return text::replace_all(out, "\n", "\\n");
}

void SimConsole::act(const std::function<void()>& action) {
  m_desktop.loop().dispatch("console", action);
  if (m_hooks.loop != nullptr) m_hooks.loop->run_pending();
}

std::string SimConsole::with_control(const std::string& path,
                                     const std::function<std::string(Window&, Control&)>& action) {
  std::vector<std::string> parts = split(path, '.');
  if (parts.size() != 2) return "error: expected Form.Control";
  if (!known_window(parts[0])) return "error: no window " + parts[0];
  Window* window = loaded_window(parts[0]);
  if (window == nullptr) return "not loaded";
  Control* control = window->find(parts[1]);
  if (control == nullptr) return "error: no control " + path;
  return action(*window, *control);
}

Window* SimConsole::loaded_window(const std::string& name) const {
  if (name == "Form1") return m_app.Form1_if_loaded();
  if (name == "Form2") return m_app.Form2_if_loaded();
  if (name == "Form3") return m_app.Form3_if_loaded();
  return nullptr;
}

std::string SimConsole::get(const std::string& path) {
  std::vector<std::string> parts = split(path, '.');
  if (parts.size() == 2) {
    if (Window* window = loaded_window(parts[0])) {
      if (auto value = window->property(parts[1])) return one_line(*value);
    } else if (known_window(parts[0])) {
      return "not loaded";
    }
  }
  if (parts.size() != 3) return "error: expected Form.Property or Form.Control.Property";
  return with_control(parts[0] + "." + parts[1], [&](Window&, Control& control) {
    auto value = control.property(parts[2]);
    return value ? one_line(*value) : "error: no property " + parts[2];
  });
}

std::string SimConsole::shared(const std::string& name) {
  const SharedState& s = m_app.shared();
  if (name == "SavedClipboardText") return one_line(s.SavedClipboardText);
  if (name == "SavedForm1Width") return number(s.SavedForm1Width);
  if (name == "SavedBrowserLeft") return number(s.SavedBrowserLeft);
  if (name == "SavedForm2Width") return number(s.SavedForm2Width);
  if (name == "SavedCheck1Value") return number(s.SavedCheck1Value);
  if (name == "DragOffsetX") return number(s.DragOffsetX);
  if (name == "DragOffsetY") return number(s.DragOffsetY);
  if (name == "Form1Handle") return number(s.Form1Handle);
  if (name == "SpeechSettingsOpen") return number(s.SpeechSettingsOpen);
  if (name == "Form2Handle") return number(s.Form2Handle);
  if (name == "FormHeights")
    return s.FormHeights[0].to_string() + " " + s.FormHeights[1].to_string();
  if (name == "Form1Collapsed") return number(s.Form1Collapsed);
  if (name == "VoiceReaderReady") return number(s.VoiceReaderReady);
  if (name == "EnglishVoiceActive") return number(s.EnglishVoiceActive);
  if (name == "CursorX") return number(s.CursorX);
  if (name == "CursorY") return number(s.CursorY);
  if (name == "CyrillicScore") return s.CyrillicScore.to_string();
  if (name == "TrayIconId") return number(s.TrayIconId);
  if (name == "HookedWindowHandle") return number(s.HookedWindowHandle);
  if (name == "TrayTipText")
    return one_line(text::replace_all(s.TrayTipText, std::string(1, '\0'), "\\0"));
  return "error: no shared variable " + name;
}

std::string SimConsole::speech() const {
  if (m_hooks.speech == nullptr) return "error: speech is not recorded with a real engine";
  const RecordingSpeechEngine* engine = m_hooks.speech->engine();
  if (engine == nullptr) return "none: no speech engine";
  std::string out;
  for (const auto& u : engine->utterances()) {
    if (!out.empty()) out += " | ";
    out += "at " + std::to_string(u.queued_at) + " flags " + std::to_string(u.flags) + " rate " +
           std::to_string(u.rate) + " \"" + one_line(u.text) + "\"" +
           (u.purged            ? " purged"
            : u.ended_at >= 0   ? " spoken"
            : u.started_at >= 0 ? " speaking"
                                : " queued");
  }
  return out.empty() ? "nothing spoken" : out;
}

std::string SimConsole::page(const std::string& path) {
  return with_control(path, [](Window&, Control& control) {
    auto* browser = dynamic_cast<WebBrowser*>(&control);
    if (browser == nullptr) return std::string("error: not a web browser");
    return one_line(browser->LocationURL() + " :: " + browser->page_text());
  });
}

std::optional<std::string> SimConsole::execute(const std::string& line) {
  std::istringstream in(line);
  std::string command;
  in >> command;
  std::string rest;
  std::getline(in, rest);
  if (!rest.empty() && rest.front() == ' ') rest.erase(0, 1);
  if (command.empty() || command[0] == '#') return std::nullopt;
  return run(command, rest, split(rest, ' '));
}

std::string SimConsole::run(const std::string& command, const std::string& rest,
                            const std::vector<std::string>& args) {
  if (command == "advance") {
    if (m_hooks.loop == nullptr) return "error: the clock is real";
    // Neither beyond MaxAdvanceMs nor past the end of simulated time.
    const int64_t room = std::min(MaxAdvanceMs, SimulatedLoop::EndOfTime - m_hooks.loop->now());
    double value = 0;
    if (!whole_number(rest, 0, static_cast<double>(room), value)) {
      return "error: advance MS, from 0 to " + std::to_string(room);
    }
    m_hooks.loop->advance(static_cast<int64_t>(value));
    return "now " + std::to_string(m_hooks.loop->now());
  }
  if (command == "now") return std::to_string(m_desktop.loop().now());
  if (command == "get") return get(rest);
  if (command == "click" || command == "mousedown" || command == "mouseup" || command == "focus") {
    return with_control(rest, [&](Window& window, Control& control) {
      std::string answer = "ok";
      act([&] {
        if (command == "click") {
          if (window.Visible()) m_desktop.activate(window);
          control.user_click();
        } else if (command == "focus") {
          try {
            control.SetFocus();
          } catch (const std::exception& error) {
            answer = std::string("error: ") + error.what();
          }
        } else {
          control.user_mouse(command == "mousedown", 1, 0, 0);
        }
      });
      return answer;
    });
  }
  if (command == "type") {
    act([&] { m_desktop.type_text(rest); });
    return "ok";
  }
  if (command == "key") {
    uint8_t code = 0;
    bool shift = false;
    bool ctrl = false;
    if (!parse_key(rest, code, shift, ctrl)) return "error: unknown key " + rest;
    act([&] { m_desktop.press_key(code, shift, ctrl); });
    return "ok";
  }
  if (command == "clipboard") {
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
  if (command == "button") {
    if (args.size() != 2 || (args[0] != "left" && args[0] != "right") ||
        (args[1] != "down" && args[1] != "up")) {
      return "error: button left|right down|up";
    }
    act([&] { m_desktop.mouse_button(args[0] == "left" ? 1 : 2, args[1] == "down"); });
    return "ok";
  }
  if (command == "cursor") {
    int32_t x = 0;
    int32_t y = 0;
    if (args.size() != 2 || !int32_argument(args[0], x) || !int32_argument(args[1], y)) {
      return "error: cursor X Y, in pixels";
    }
    m_desktop.set_cursor(x, y);
    return "ok";
  }
  if (command == "shared") return shared(rest);
  if (command == "tray") {
    if (rest != "left" && rest != "right") return "error: tray left|right";
    m_desktop.click_tray(rest == "left" ? 513 : 516);
    if (m_hooks.loop != nullptr) m_hooks.loop->run_pending();
    return std::to_string(m_desktop.tray().icons().size()) + " icon(s)";
  }
  if (command == "editor") {
    if (args.empty()) return "error: editor open TEXT|select FROM TO|focus|state";
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
    return "error: editor open TEXT|select FROM TO|focus|state";
  }
  if (command == "speech") {
    std::string player = m_hooks.describe_player_speech ? m_hooks.describe_player_speech() : "none";
    return "engine: " + speech() + " || player: " + player;
  }
  if (command == "page") return page(rest);
  if (command == "player") {
    return m_hooks.describe_player ? one_line(m_hooks.describe_player()) : "error: no player";
  }
  if (command == "trace") {
    if (rest != "on" && rest != "off") return "error: trace on|off";
    m_desktop.trace().set_enabled(rest == "on");
    return "ok";
  }
  if (command == "ended") return m_app.ended() ? "yes" : "no";
  return "error: unknown command " + command;
}

}  // namespace prevod
