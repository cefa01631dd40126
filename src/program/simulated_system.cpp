#include "program/simulated_system.h"

#include "program/embedded_services.h"
#include "services/translator/translator_site.h"
#include "services/voicereader/player_directory.h"
#include "services/voicereader/player_voice.h"
#include "services/voicereader/voice_entry.h"
#include "services/voicereader/voice_reader_player.h"

namespace prevod {

namespace {

// The player's voice on the simulated desktop is silent; the services'
// player speech log writes down what it said, in which voice and when.
class SilentPlayerVoice : public PlayerVoice {
 public:
  void speak(const std::string&, const VoiceEntry&) override {}
  void stop() override {}
};

}  // namespace

SimulatedSystem::SimulatedSystem() : SimulatedSystem(Options{}) {}

SimulatedSystem::SimulatedSystem(Options options)
    : config(options.config),
      desktop(loop, trace),
      speech(loop, trace),
      pages(loop, sites, plugins, trace),
      runtime{loop, desktop, desktop, pages, speech, trace, config},
      app(runtime) {
  trace.set_clock([this] { return static_cast<long long>(loop.now()); });
  loop.set_trace(&trace);
  loop.set_input_pump([this] { desktop.deliver_input(); });
  speech.set_installed(options.speech_engine);
  desktop.tray().set_available(options.tray);
  desktop.set_taskbar(options.taskbar);
  EmbeddedServices services = serve_embedded_services(
      loop, config, sites, plugins, desktop.clipboard(),
      [] { return std::make_unique<SilentPlayerVoice>(); }, trace);
  translator = std::move(services.translator);
  players = std::move(services.players);
  m_player_speech = std::move(services.player_speech);
}

SimulatedSystem::~SimulatedSystem() = default;

VoiceReaderPlayer* SimulatedSystem::player() const {
  return players ? players->current() : nullptr;
}

std::string SimulatedSystem::describe_player() const {
  VoiceReaderPlayer* current = player();
  return current ? current->describe() : "no player";
}

std::string SimulatedSystem::describe_player_speech() const {
  return m_player_speech->describe();
}

SimConsole SimulatedSystem::console() {
  SimConsole::Hooks hooks;
  hooks.loop = &loop;
  hooks.spoken = [this]() -> std::optional<std::vector<UtteranceRecord>> {
    const RecordingSpeechEngine* engine = speech.engine();
    if (engine == nullptr) return std::nullopt;
    return std::vector<UtteranceRecord>(engine->utterances().begin(), engine->utterances().end());
  };
  hooks.describe_player = [this] { return describe_player(); };
  hooks.describe_player_speech = [this] { return describe_player_speech(); };
  return SimConsole(app, desktop, hooks);
}

}  // namespace prevod
