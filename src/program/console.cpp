#include "program/console.h"

#include <sstream>

#include "app/prevod.h"
#include "app/shared_state.h"
#include "base/event_loop.h"
#include "base/text.h"
#include "base/trace.h"
#include "model/control.h"
#include "model/web_browser.h"
#include "model/window.h"
#include "model/window_system.h"
#include "platform/clipboard.h"
#include "platform/desktop.h"
#include "speech/form3.h"
#include "translation/form2.h"
#include "voicereader/form1.h"

namespace prevod {

namespace {

std::string number(double value) {
  return text::format_number(value);
}

bool known_window(const std::string& name) {
  return name == "Form1" || name == "Form2" || name == "Form3";
}

// The commands that take the simulated desktop's person or clock.
bool simulated_only(const std::string& command) {
  for (const char* only : {"advance", "type", "key", "button", "cursor", "tray", "editor"}) {
    if (command == only) return true;
  }
  return false;
}

}  // namespace

Console::Console(Prevod& app, EventLoop& loop, Desktop& desktop, WindowSystem& windows,
                 Trace& trace, Hooks hooks)
    : m_app(app),
      m_loop(loop),
      m_desktop(desktop),
      m_windows(windows),
      m_trace(trace),
      m_hooks(std::move(hooks)) {}

std::string Console::one_line(const std::string& value) {
  std::string out = text::replace_all(value, "\\", "\\\\");
  out = text::replace_all(out, "\r", "\\r");
  return text::replace_all(out, "\n", "\\n");
}

std::optional<std::string> Console::run_desktop_command(const std::string&, const std::string&,
                                                        const std::vector<std::string>&) {
  return std::nullopt;
}

void Console::act(const std::function<void()>& action) {
  m_loop.dispatch("console", action);
  settle();
}

std::string Console::with_control(const std::string& path,
                                  const std::function<std::string(Window&, Control&)>& action) {
  std::vector<std::string> parts = text::split(path, '.');
  if (parts.size() != 2) return "error: expected Form.Control";
  if (!known_window(parts[0])) return "error: no window " + parts[0];
  Window* window = loaded_window(parts[0]);
  if (window == nullptr) return "not loaded";
  Control* control = window->find(parts[1]);
  if (control == nullptr) return "error: no control " + path;
  return action(*window, *control);
}

Window* Console::loaded_window(const std::string& name) const {
  if (name == "Form1") return m_app.Form1_if_loaded();
  if (name == "Form2") return m_app.Form2_if_loaded();
  if (name == "Form3") return m_app.Form3_if_loaded();
  return nullptr;
}

std::string Console::get(const std::string& path) {
  std::vector<std::string> parts = text::split(path, '.');
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

std::string Console::act_on_control(const std::string& command, const std::string& path) {
  return with_control(path, [&](Window& window, Control& control) {
    std::string answer = "ok";
    act([&] {
      if (command == "click") {
        if (window.Visible()) m_windows.activate(window);
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

std::string Console::shared(const std::string& name) {
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

std::string Console::speech() const {
  if (!m_hooks.spoken) return "error: speech is not recorded";
  std::optional<std::vector<UtteranceRecord>> spoken = m_hooks.spoken();
  if (!spoken) return "none: no speech engine";
  std::string out;
  for (const UtteranceRecord& u : *spoken) {
    if (!out.empty()) out += " | ";
    out += "at " + std::to_string(u.queued_at) + " flags " + std::to_string(u.flags) + " rate " +
           std::to_string(u.rate) + " \"" + one_line(u.text) + "\" " + std::string(u.state());
  }
  return out.empty() ? "nothing spoken" : out;
}

std::string Console::page(const std::string& path) {
  return with_control(path, [](Window&, Control& control) {
    auto* browser = dynamic_cast<WebBrowser*>(&control);
    if (browser == nullptr) return std::string("error: not a web browser");
    return one_line(browser->LocationURL() + " :: " + browser->page_text());
  });
}

std::string Console::clipboard(const std::string& rest) {
  // Another program writing or holding the clipboard is the simulated
  // desktop's; reading it is the desktop's own.
  if (!rest.empty()) return OnlySimulated;
  try {
    std::string held = m_desktop.clipboard().GetText();
    return held.empty() ? "(empty)" : one_line(held);
  } catch (const std::exception& error) {
    return std::string("error: ") + error.what();
  }
}

std::optional<std::string> Console::execute(const std::string& line) {
  std::istringstream in(line);
  std::string command;
  in >> command;
  std::string rest;
  std::getline(in, rest);
  if (!rest.empty() && rest.front() == ' ') rest.erase(0, 1);
  if (command.empty() || command[0] == '#') return std::nullopt;
  std::vector<std::string> args = text::split(rest, ' ');
  if (std::optional<std::string> answer = run_desktop_command(command, rest, args)) return answer;
  return run(command, rest, args);
}

std::string Console::run(const std::string& command, const std::string& rest,
                         const std::vector<std::string>&) {
  if (simulated_only(command)) return OnlySimulated;
  if (command == "now") return std::to_string(m_loop.now());
  if (command == "get") return get(rest);
  if (command == "click" || command == "mousedown" || command == "mouseup" || command == "focus") {
    return act_on_control(command, rest);
  }
  if (command == "clipboard") return clipboard(rest);
  if (command == "shared") return shared(rest);
  if (command == "speech") {
    std::string player = m_hooks.describe_player_speech ? m_hooks.describe_player_speech() : "none";
    return "engine: " + speech() + " || player: " + one_line(player);
  }
  if (command == "page") return page(rest);
  if (command == "player") {
    return m_hooks.describe_player ? one_line(m_hooks.describe_player()) : "error: no player";
  }
  if (command == "trace") {
    if (rest != "on" && rest != "off") return "error: trace on|off";
    m_trace.set_enabled(rest == "on");
    return "ok";
  }
  if (command == "ended") return m_app.ended() ? "yes" : "no";
  return "error: unknown command " + command;
}

}  // namespace prevod
