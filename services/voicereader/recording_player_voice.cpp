#include "services/voicereader/recording_player_voice.h"

namespace prevod {

void RecordingPlayerVoice::speak(const std::string& text, const VoiceEntry& entry) {
  m_log->push_back({Event::Kind::Speak, text, std::string(entry.name)});
  m_speaking = !text.empty();
}

void RecordingPlayerVoice::stop() {
  m_log->push_back({Event::Kind::Stop, "", ""});
  m_speaking = false;
}

PlayerVoiceFactory RecordingPlayerVoice::factory(std::shared_ptr<Log> log) {
  return [log = std::move(log)]() -> std::unique_ptr<PlayerVoice> {
    return std::make_unique<RecordingPlayerVoice>(log);
  };
}

}  // namespace prevod
