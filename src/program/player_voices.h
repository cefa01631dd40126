#pragma once

// The voices of the voice reader player when the program speaks for real:
// espeak-ng through the given sinks when its data is there; otherwise the
// player stays silent and one trace line says why.

#include "platform/voice/espeak_engine_factory.h"
#include "services/voicereader/player_voice.h"

namespace prevod {

class Trace;

PlayerVoiceFactory espeak_player_voices(EspeakEngineFactory::SinkFactory sinks, Trace& trace);

}  // namespace prevod
