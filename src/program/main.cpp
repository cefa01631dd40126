// prevod: the program on its embedded defaults, in terminal mode. The
// windows live on the simulated desktop, driven by the wall clock; speech is
// real (espeak-ng through ALSA, silent when there is no sound device); the
// translation and voice reader pages are served in process. A person works
// it through the console on standard input (docs/console.md); the
// program ends when its window is closed or standard input ends.
//
//   prevod [--trace] [--silent]

#include <unistd.h>

#include <cstring>
#include <iostream>
#include <mutex>
#include <optional>
#include <string>

#include "app/prevod.h"
#include "base/real_time_loop.h"
#include "base/runtime_error.h"
#include "base/trace.h"
#include "model/config.h"
#include "model/runtime.h"
#include "platform/page/page_engine.h"
#include "platform/page/plugin.h"
#include "platform/page/site.h"
#include "platform/sim/sim_desktop.h"
#include "platform/voice/espeak_engine_factory.h"
#include "platform/voice/espeak_synth.h"
#include "program/embedded_services.h"
#include "program/line_reader.h"
#include "program/sim_console.h"
#include "services/voicereader/player_directory.h"
#include "services/voicereader/recording_player_voice.h"
#include "services/voicereader/speaker_player_voice.h"
#include "services/voicereader/voice_reader_player.h"

namespace prevod {
namespace {

std::mutex output_mutex;

void print(const std::string& line) {
  std::lock_guard lock(output_mutex);
  std::cout << line << std::endl;
}

// The player's voices: espeak-ng when its data is there, silence otherwise.
PlayerVoiceFactory player_voices(EspeakEngineFactory::SinkFactory sinks, Trace& trace) {
  try {
    return SpeakerPlayerVoice::factory(EspeakSynth::acquire(), std::move(sinks));
  } catch (const RuntimeError& error) {
    trace.line(std::string("speech: the voice reader player is silent: ") + error.what());
    return RecordingPlayerVoice::factory(std::make_shared<RecordingPlayerVoice::Log>());
  }
}

}  // namespace

int run_terminal_mode(int argc, char** argv) {
  bool tracing = false;
  bool silent = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--trace") == 0) {
      tracing = true;
    } else if (std::strcmp(argv[i], "--silent") == 0) {
      silent = true;
    } else {
      std::cerr << "usage: prevod [--trace] [--silent]\n";
      return 2;
    }
  }

  Config config;
  RealTimeLoop loop;
  Trace trace;
  trace.set_enabled(tracing);
  trace.set_clock([&loop] { return static_cast<long long>(loop.now()); });
  trace.set_sink([](const std::string& line) { print("trace " + line); });
  loop.set_trace(&trace);

  SimDesktop desktop(loop, trace);
  loop.set_input_pump([&desktop] { desktop.deliver_input(); });
  EspeakEngineFactory::SinkFactory sinks =
      silent ? EspeakEngineFactory::null_sinks() : EspeakEngineFactory::alsa_sinks();
  EspeakEngineFactory speech(sinks, trace, config.SpeechVoice);
  speech.set_clock([&loop] { return loop.now(); });

  SiteRegistry sites;
  PluginRegistry plugins;
  PageEngine pages(loop, sites, plugins, trace);
  EmbeddedServices services = serve_embedded_services(
      loop, config, sites, plugins, desktop.clipboard(), player_voices(sinks, trace), trace);
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

}  // namespace prevod

int main(int argc, char** argv) {
  return prevod::run_terminal_mode(argc, argv);
}
