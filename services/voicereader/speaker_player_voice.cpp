#include "services/voicereader/speaker_player_voice.h"

#include <array>
#include <string_view>
#include <utility>

#include "base/runtime_error.h"
#include "platform/voice/audio_sink.h"
#include "platform/voice/espeak_synth.h"
#include "platform/voice/speaker.h"

namespace prevod {

namespace {

struct Fallbacks {
  std::string_view language;
  std::array<std::string_view, 3> voices;  // nearest first; "" ends early
};

// Candidates beyond the entry's own language code, by closeness of speech.
constexpr std::array<Fallbacks, 10> kFallbacks{{
    {"zh", {"cmn", "zh", "yue"}},
    {"cs", {"cs", "sk", ""}},
    {"da", {"da", "nb", "sv"}},
    {"nl", {"nl", "af", "de"}},
    {"en-us", {"en-us", "en", ""}},
    {"en-gb", {"en-gb", "en", ""}},
    {"pt", {"pt", "pt-br", ""}},
    {"es", {"es", "es-419", ""}},
    {"sv", {"sv", "nb", "da"}},
    {"uk", {"uk", "ru", "be"}},
}};

constexpr std::string_view kLastResort = "en";

}  // namespace

SpeakerPlayerVoice::SpeakerPlayerVoice(std::unique_ptr<Speaker> speaker)
    : m_speaker(std::move(speaker)) {}

SpeakerPlayerVoice::~SpeakerPlayerVoice() = default;

void SpeakerPlayerVoice::speak(const std::string& text, const VoiceEntry& entry) {
  m_speaker->purge();
  use_voice_of(entry);
  m_speaker->speak(text);
}

void SpeakerPlayerVoice::stop() {
  m_speaker->purge();
}

std::vector<std::string> SpeakerPlayerVoice::voice_candidates(const VoiceEntry& entry) {
  std::vector<std::string> out;
  auto add = [&out](std::string_view voice) {
    if (voice.empty()) return;
    for (const auto& known : out) {
      if (known == voice) return;
    }
    out.emplace_back(voice);
  };
  add(entry.language);
  for (const auto& fallbacks : kFallbacks) {
    if (fallbacks.language != entry.language) continue;
    for (std::string_view voice : fallbacks.voices) add(voice);
  }
  add(kLastResort);
  return out;
}

PlayerVoiceFactory SpeakerPlayerVoice::factory(std::shared_ptr<EspeakSynth> synth,
                                               std::function<std::unique_ptr<AudioSink>()> sinks) {
  return [synth = std::move(synth), sinks = std::move(sinks)]() -> std::unique_ptr<PlayerVoice> {
    auto speaker = std::make_unique<Speaker>(synth, sinks(), std::string(kLastResort));
    return std::make_unique<SpeakerPlayerVoice>(std::move(speaker));
  };
}

void SpeakerPlayerVoice::use_voice_of(const VoiceEntry& entry) {
  if (m_language == entry.language) return;
  for (const std::string& voice : voice_candidates(entry)) {
    try {
      m_speaker->set_voice(voice);
      m_language = entry.language;
      return;
    } catch (const RuntimeError&) {
      // Not installed: try the next nearest.
    }
  }
  throw RuntimeError("voice reader: no installed voice for " + std::string(entry.name));
}

}  // namespace prevod
