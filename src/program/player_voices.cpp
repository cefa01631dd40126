#include "program/player_voices.h"

#include <memory>
#include <string>

#include "base/runtime_error.h"
#include "base/trace.h"
#include "platform/voice/espeak_synth.h"
#include "services/voicereader/recording_player_voice.h"
#include "services/voicereader/speaker_player_voice.h"

namespace prevod {

PlayerVoiceFactory espeak_player_voices(EspeakEngineFactory::SinkFactory sinks, Trace& trace) {
  try {
    return SpeakerPlayerVoice::factory(EspeakSynth::acquire(), std::move(sinks));
  } catch (const RuntimeError& error) {
    trace.line(std::string("speech: the voice reader player is silent: ") + error.what());
    return RecordingPlayerVoice::factory(std::make_shared<RecordingPlayerVoice::Log>());
  }
}

}  // namespace prevod
