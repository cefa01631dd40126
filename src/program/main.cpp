// prevod: the program on its embedded defaults. With an X display it runs
// on the real desktop: its windows, its tray icon, the real clipboard,
// gestures captured in every X11 program and keys sent to them. Without one,
// or with --terminal, it runs in terminal mode: the windows live on the
// simulated desktop, driven by the wall clock, and a person works them
// through the console on standard input (docs/console.md). In both,
// speech is real (espeak-ng through ALSA, silent when there is no sound
// device) and the translation and voice reader pages are served in process.
// The program ends when its window is closed; terminal mode also when
// standard input ends. On the real desktop, --console reads the same
// commands on standard input while the windows run, and one prevod runs
// per user and display: a second start shows the first one's translation
// window and ends.
//
//   prevod [--terminal] [--console] [--trace] [--silent]

#include <unistd.h>

#include <cstdlib>
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
#include "platform/qt/qt_tray.h"
#include "platform/qt/x11_display.h"
#include "platform/sim/sim_desktop.h"
#include "platform/voice/espeak_engine_factory.h"
#include "program/console.h"
#include "program/console_session.h"
#include "program/embedded_services.h"
#include "program/player_voices.h"
#include "program/real_desktop_system.h"
#include "program/sim_console.h"
#include "program/single_instance.h"
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
  speech.set_clock([&loop] { return loop.now(); });

  SiteRegistry sites;
  PluginRegistry plugins;
  PageEngine pages(loop, sites, plugins, trace);
  EmbeddedServices services = serve_embedded_services(
      loop, config, sites, plugins, desktop.clipboard(), espeak_player_voices(sinks, trace), trace);
  std::shared_ptr<PlayerDirectory> players = services.players;

  Runtime runtime{loop, desktop, desktop, pages, speech, trace, config};
  Prevod app(runtime);
  SimConsole::Hooks hooks;
  hooks.spoken = [&speech] { return speech.record(); };
  hooks.describe_player_speech = [log = services.player_speech] { return log->describe(); };
  hooks.describe_player = [&players] {
    VoiceReaderPlayer* player = players->current();
    return player ? player->describe() : std::string("no player");
  };
  SimConsole console(app, desktop, hooks);

  print("prevod: terminal mode; type commands (docs/console.md), end with Ctrl+D");
  loop.post([&app] { app.start(); });
  run_with_console(loop, console, STDIN_FILENO, print);
  print(app.ended() ? "prevod: the window was closed" : "prevod: bye");
  return 0;
}

// The console of the real desktop, reading what the program's own parts
// recorded.
Console::Hooks console_hooks(RealDesktopSystem& system) {
  Console::Hooks hooks;
  hooks.spoken = [&speech = system.speech] { return speech.record(); };
  hooks.describe_player_speech = [log = system.player_speech] { return log->describe(); };
  hooks.describe_player = [players = system.players] {
    VoiceReaderPlayer* player = players->current();
    return player ? player->describe() : std::string("no player");
  };
  return hooks;
}

int run_real_desktop(const ProgramOptions& options, std::unique_ptr<SingleInstance> instance) {
  RealDesktopSystem::Options system_options;
  system_options.tracing = options.tracing;
  system_options.silent = options.silent;
  system_options.trace_sink = [](const std::string& line) { print("trace " + line); };
  RealDesktopSystem system(system_options);
  // A later start asks for what a left press on the tray icon does.
  if (instance) instance->listen(system.loop, [&system] { system.desktop.tray().press(513); });
  system.start();
  if (options.console) {
    Console console(system.app, system.loop, system.desktop, system.desktop, system.trace,
                    console_hooks(system));
    run_with_console(system.loop, console, STDIN_FILENO, print);
  } else {
    system.run();
  }
  // No request may reach the loop once it is gone.
  if (instance) instance->stop();
  print(system.app.ended() ? "prevod: the window was closed" : "prevod: bye");
  return 0;
}

// Claims this user's prevod on the display, or hands the start over to the
// prevod that holds it: nullopt to go on (with the claim, when it is ours),
// or the status to end with.
std::optional<int> claim_the_display(std::unique_ptr<SingleInstance>& instance) {
  const char* display = std::getenv("DISPLAY");
  if (display == nullptr || *display == '\0') return std::nullopt;
  SingleInstance::Claim claim = SingleInstance::claim(SingleInstance::name_for(getuid(), display));
  switch (claim.outcome) {
    case SingleInstance::Outcome::First:
      instance = std::move(claim.instance);
      return std::nullopt;
    case SingleInstance::Outcome::Unguarded:
      print(claim.message);
      return std::nullopt;
    case SingleInstance::Outcome::Shown:
      print(claim.message);
      return 0;
    case SingleInstance::Outcome::NoAnswer:
      print(claim.message);
      return 1;
  }
  return std::nullopt;
}

int run(int argc, char** argv) {
  ProgramOptions options;
  if (!parse_options(argc, argv, options)) {
    std::cerr << "usage: prevod [--terminal] [--console] [--trace] [--silent]\n";
    return 2;
  }
  if (options.terminal) return run_terminal_mode(options);
  std::unique_ptr<SingleInstance> instance;
  if (std::optional<int> status = claim_the_display(instance)) return *status;
  std::string why;
  std::unique_ptr<X11Display> display = X11Display::open(argc, argv, why);
  if (!display) {
    print("prevod: " + why + "; terminal mode");
    return run_terminal_mode(options);
  }
  return run_real_desktop(options, std::move(instance));
}

}  // namespace prevod

int main(int argc, char** argv) {
  return prevod::run(argc, argv);
}
