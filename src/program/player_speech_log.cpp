#include "program/player_speech_log.h"

#include "base/event_loop.h"
#include "services/voicereader/voice_entry.h"

namespace prevod {

namespace {

// A player voice that writes into the log before it passes the request on.
class LoggedPlayerVoice : public PlayerVoice {
 public:
  LoggedPlayerVoice(std::unique_ptr<PlayerVoice> voice, std::shared_ptr<PlayerSpeechLog> log)
      : m_voice(std::move(voice)), m_log(std::move(log)) {}

  void speak(const std::string& text, const VoiceEntry& entry) override {
    m_log->said(std::string(entry.name), text);
    m_voice->speak(text, entry);
  }
  void stop() override {
    m_log->stopped();
    m_voice->stop();
  }

 private:
  std::unique_ptr<PlayerVoice> m_voice;
  std::shared_ptr<PlayerSpeechLog> m_log;
};

}  // namespace

PlayerVoiceFactory PlayerSpeechLog::logged(PlayerVoiceFactory voices) {
  return [voices = std::move(voices), log = shared_from_this()]() -> std::unique_ptr<PlayerVoice> {
    return std::make_unique<LoggedPlayerVoice>(voices(), log);
  };
}

void PlayerSpeechLog::said(const std::string& voice, const std::string& text) {
  m_entries.push_back({m_loop.now(), voice, text});
}

void PlayerSpeechLog::stopped() {
  m_entries.push_back({m_loop.now(), "", ""});
}

std::string PlayerSpeechLog::describe() const {
  std::string out;
  for (const Entry& entry : m_entries) {
    if (!out.empty()) out += " | ";
    out += "at " + std::to_string(entry.at) +
           (entry.voice.empty() ? " stop" : " " + entry.voice + " \"" + entry.text + "\"");
  }
  return out.empty() ? "nothing said" : out;
}

}  // namespace prevod
