#pragma once

// The player's voice on the speech layer: one espeak-ng Speaker with its own
// audio stream, so the player can sound while the local engine speaks too.
// Each list entry maps to the nearest installed espeak-ng voice: English US
// speaks as "en-us", Russian as "ru", and an entry whose own voice is
// missing falls back along its candidates (Ukrainian to Russian, Chinese
// from Mandarin to Cantonese, ...) and finally to English.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "services/voicereader/player_voice.h"

namespace prevod {

class AudioSink;
class EspeakSynth;
class Speaker;

class SpeakerPlayerVoice : public PlayerVoice {
 public:
  explicit SpeakerPlayerVoice(std::unique_ptr<Speaker> speaker);
  ~SpeakerPlayerVoice() override;

  // Purges what the speaker says, switches to the entry's voice and speaks.
  // RuntimeError when no candidate voice is installed.
  void speak(const std::string& text, const VoiceEntry& entry) override;
  void stop() override;

  const Speaker& speaker() const { return *m_speaker; }

  // The espeak-ng voices tried for an entry, nearest first; the last one is
  // always English.
  static std::vector<std::string> voice_candidates(const VoiceEntry& entry);

  // Makes one speaker per player on the shared synthesiser, each playing
  // through a sink of its own from `sinks`.
  static PlayerVoiceFactory factory(std::shared_ptr<EspeakSynth> synth,
                                    std::function<std::unique_ptr<AudioSink>()> sinks);

 private:
  void use_voice_of(const VoiceEntry& entry);

  std::unique_ptr<Speaker> m_speaker;
  std::string m_language;  // the entry whose voice the speaker has now
};

}  // namespace prevod
