#include "program/simulated_system.h"

#include "program/embedded_services.h"
#include "services/translator/translator_site.h"
#include "services/voicereader/player_directory.h"
#include "services/voicereader/player_voice.h"
#include "services/voicereader/voice_entry.h"
#include "services/voicereader/voice_reader_player.h"

namespace prevod {

namespace {

// The player's voice on the simulated desktop: silent, it writes down what
// it said, in which voice and when.
class LoggedPlayerVoice : public PlayerVoice {
 public:
  LoggedPlayerVoice(EventLoop& loop, std::shared_ptr<BoundedLog<SimulatedSystem::PlayerSpeech>> log)
      : m_loop(loop), m_log(std::move(log)) {}
  void speak(const std::string& text, const VoiceEntry& entry) override {
    m_log->push_back({m_loop.now(), std::string(entry.name), text});
  }
  void stop() override { m_log->push_back({m_loop.now(), "", ""}); }

 private:
  EventLoop& m_loop;
  std::shared_ptr<BoundedLog<SimulatedSystem::PlayerSpeech>> m_log;
};

}  // namespace

SimulatedSystem::SimulatedSystem() : SimulatedSystem(Options{}) {}

SimulatedSystem::SimulatedSystem(Options options)
    : config(options.config),
      desktop(loop, trace),
      speech(loop, trace),
      pages(loop, sites, plugins, trace),
      runtime{loop, desktop, desktop, pages, speech, trace, config},
      app(runtime),
      m_player_speech(std::make_shared<BoundedLog<PlayerSpeech>>(PlayerSpeechCapacity)) {
  trace.set_clock([this] { return static_cast<long long>(loop.now()); });
  loop.set_trace(&trace);
  loop.set_input_pump([this] { desktop.deliver_input(); });
  speech.set_installed(options.speech_engine);
  desktop.tray().set_available(options.tray);
  desktop.set_taskbar(options.taskbar);
  auto log = m_player_speech;
  EventLoop& clock = loop;
  EmbeddedServices services = serve_embedded_services(
      loop, config, sites, plugins, desktop.clipboard(),
      [&clock, log] { return std::make_unique<LoggedPlayerVoice>(clock, log); }, trace);
  translator = std::move(services.translator);
  players = std::move(services.players);
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
  std::string out;
  for (const PlayerSpeech& said : *m_player_speech) {
    if (!out.empty()) out += " | ";
    out += "at " + std::to_string(said.at) +
           (said.voice.empty() ? " stop" : " " + said.voice + " \"" + said.text + "\"");
  }
  return out.empty() ? "nothing said" : out;
}

SimConsole SimulatedSystem::console() {
  SimConsole::Hooks hooks;
  hooks.loop = &loop;
  hooks.speech = &speech;
  hooks.describe_player = [this] { return describe_player(); };
  hooks.describe_player_speech = [this] { return describe_player_speech(); };
  return SimConsole(app, desktop, hooks);
}

}  // namespace prevod
