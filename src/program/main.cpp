// prevod: the program on its embedded defaults. With an X display it runs
// on the real desktop: its windows, its tray icon, the real clipboard,
// gestures captured in every X11 program and keys sent to them. Without one,
// or with --terminal, it runs in terminal mode: the windows live on the
// simulated desktop, driven by the wall clock, and a person works them
// through the console on standard input (docs/sim-console.md). In both,
// speech is real (espeak-ng through ALSA, silent when there is no sound
// device) and the translation and voice reader pages are served in process.
// The program ends when its window is closed; terminal mode also when
// standard input ends.
//
//   prevod [--terminal] [--console] [--trace] [--silent]

#include <unistd.h>

#include <iostream>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "app/prevod.h"
#include "base/real_time_loop.h"
#include "base/trace.h"
#include "model/config.h"
#include "model/runtime.h"
#include "platform/page/page_engine.h"
#include "platform/page/plugin.h"
#include "platform/page/site.h"
#include "platform/qt/x11_display.h"
#include "platform/sim/sim_desktop.h"
#include "platform/voice/espeak_engine_factory.h"
#include "program/embedded_services.h"
#include "program/line_reader.h"
#include "program/player_voices.h"
#include "program/real_desktop_system.h"
#include "program/sim_console.h"
#include "services/voicereader/player_directory.h"
#include "services/voicereader/voice_reader_player.h"

namespace prevod {
namespace {

std::mutex output_mutex;

void print(const std::string& line) {
  std::lock_guard lock(output_mutex);
  std::cout << line << std::endl;
}

struct ProgramOptions {
  bool terminal = false;
  bool console = false;
  bool tracing = false;
  bool silent = false;
};

// False for an argument the program does not know.
bool parse_options(int argc, char** argv, ProgramOptions& options) {
  for (int i = 1; i < argc; ++i) {
    std::string_view argument = argv[i];
    if (argument == "--terminal") {
      options.terminal = true;
    } else if (argument == "--console") {
      options.console = true;
    } else if (argument == "--trace") {
      options.tracing = true;
    } else if (argument == "--silent") {
      options.silent = true;
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace

int run_terminal_mode(const ProgramOptions& options) {
  Config config;
  RealTimeLoop loop;
  Trace trace;
  trace.set_enabled(options.tracing);
  trace.set_clock([&loop] { return static_cast<long long>(loop.now()); });
  trace.set_sink([](const std::string& line) { print("trace " + line); });
  loop.set_trace(&trace);

  SimDesktop desktop(loop, trace);
  loop.set_input_pump([&desktop] { desktop.deliver_input(); });
  EspeakEngineFactory::SinkFactory sinks =
      options.silent ? EspeakEngineFactory::null_sinks() : EspeakEngineFactory::alsa_sinks();
  EspeakEngineFactory speech(sinks, trace, config.SpeechVoice);

  SiteRegistry sites;
  PluginRegistry plugins;
  PageEngine pages(loop, sites, plugins, trace);
  EmbeddedServices services = serve_embedded_services(
      loop, config, sites, plugins, desktop.clipboard(), espeak_player_voices(sinks, trace), trace);
  std::shared_ptr<PlayerDirectory> players = services.players;

  Runtime runtime{loop, desktop, desktop, pages, speech, trace, config};
  Prevod app(runtime);
  SimConsole::Hooks hooks;
  hooks.describe_player = [&players] {
    VoiceReaderPlayer* player = players->current();
    return player ? player->describe() : std::string("no player");
  };
  SimConsole console(app, desktop, hooks);

  print("prevod: terminal mode; type commands (docs/sim-console.md), end with Ctrl+D");
  loop.post([&app] { app.start(); });
  // The reader is stopped before the loop and the console go: nothing it
  // reads can reach them afterwards.
  LineReader reader(
      STDIN_FILENO,
      [&loop, &console](const std::string& line) {
        if (line == "quit" || line == "exit") {
          loop.quit_from_any_thread();
          return;
        }
        loop.post([&console, line] {
          if (std::optional<std::string> answer = console.execute(line)) print(*answer);
        });
      },
      [&loop] { loop.quit_from_any_thread(); });
  loop.run();
  reader.stop();
  print(app.ended() ? "prevod: the window was closed" : "prevod: bye");
  return 0;
}

// The console on standard input while the real desktop runs; "quit",
// "exit" and the end of the input end the program.
// FIXME: the console answers only on the simulated desktop so far; here
// every command is answered with one line that says so.
std::unique_ptr<LineReader> serve_console(RealDesktopSystem& system) {
  QtLoop& loop = system.loop;
  return std::make_unique<LineReader>(
      STDIN_FILENO,
      [&loop](const std::string& line) {
        if (line == "quit" || line == "exit") return loop.quit_from_any_thread();
        if (line.empty() || line.front() == '#') return;
        loop.post([] { print("error: the console runs on the simulated desktop only"); });
      },
      [&loop] { loop.quit_from_any_thread(); });
}

int run_real_desktop(const ProgramOptions& options) {
  RealDesktopSystem::Options system_options;
  system_options.tracing = options.tracing;
  system_options.silent = options.silent;
  system_options.trace_sink = [](const std::string& line) { print("trace " + line); };
  RealDesktopSystem system(system_options);
  std::unique_ptr<LineReader> console;
  if (options.console) console = serve_console(system);
  system.start();
  system.run();
  // The reader is stopped before the loop goes.
  console.reset();
  print(system.app.ended() ? "prevod: the window was closed" : "prevod: bye");
  return 0;
}

int run(int argc, char** argv) {
  ProgramOptions options;
  if (!parse_options(argc, argv, options)) {
    std::cerr << "usage: prevod [--terminal] [--console] [--trace] [--silent]\n";
    return 2;
  }
  if (options.terminal) return run_terminal_mode(options);
  std::string why;
  std::unique_ptr<X11Display> display = X11Display::open(argc, argv, why);
  if (!display) {
    print("prevod: " + why + "; terminal mode");
    return run_terminal_mode(options);
  }
  return run_real_desktop(options);
}

}  // namespace prevod

int main(int argc, char** argv) {
  return prevod::run(argc, argv);
}
