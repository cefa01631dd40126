// prevod: the program on its embedded defaults, in terminal mode. The
// windows live on the simulated desktop, driven by the wall clock; speech is
// real (espeak-ng through ALSA, silent when there is no sound device); the
// translation and voice reader pages are served in process. A person works
// it through the console on standard input (docs/sim-console.md); the
// program ends when its window is closed or standard input ends.
//
//   prevod [--trace] [--silent]

#include <cstring>
#include <iostream>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "app/application.h"
#include "app/config.h"
#include "app/real_time_loop.h"
#include "app/runtime.h"
#include "app/runtime_error.h"
#include "app/sim_console.h"
#include "app/trace.h"
#include "platform/page/page_engine.h"
#include "platform/page/plugin.h"
#include "platform/page/site.h"
#include "platform/sim/sim_desktop.h"
#include "platform/voice/espeak_engine_factory.h"
#include "platform/voice/espeak_synth.h"
#include "services/translator/translator_site.h"
#include "services/voicereader/player_directory.h"
#include "services/voicereader/recording_player_voice.h"
#include "services/voicereader/speaker_player_voice.h"
#include "services/voicereader/voice_reader_player.h"
#include "services/voicereader/voice_reader_service.h"

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

int main(int argc, char** argv) {
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

  SiteRegistry sites;
  PluginRegistry plugins;
  PageEngine pages(loop, sites, plugins, trace);
  sites.add(std::string(TranslatorSite::kHost),
            std::make_shared<TranslatorSite>(loop, config.DictionaryDirectory,
                                             config.TranslationDelayMs));
  std::shared_ptr<PlayerDirectory> players =
      register_voice_reader(sites, plugins, desktop.clipboard(), player_voices(sinks, trace));

  Runtime runtime{loop, desktop, pages, speech, trace, config};
  Application app(runtime);
  SimConsole::Hooks hooks;
  hooks.describe_player = [&players] {
    VoiceReaderPlayer* player = players->current();
    return player ? player->describe() : std::string("no player");
  };
  SimConsole console(app, desktop, hooks);

  print("prevod: terminal mode; type commands (docs/sim-console.md), end with Ctrl+D");
  loop.post([&app] { app.start(); });
  std::thread reader([&loop, &console] {
    std::string line;
    while (std::getline(std::cin, line)) {
      if (line == "quit" || line == "exit") break;
      loop.post([&console, line] {
        if (std::optional<std::string> answer = console.execute(line)) print(*answer);
      });
    }
    loop.quit_from_any_thread();
  });
  reader.detach();
  loop.run();
  print(app.ended() ? "prevod: the window was closed" : "prevod: bye");
  return 0;
}
