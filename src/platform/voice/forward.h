#pragma once

namespace prevod {

// Forward declarations of the speech layer: espeak-ng synthesis, speakers
// and the audio sinks they play through.

class AudioSink;
class AlsaSink;
class WavSink;
class NullSink;
class EspeakSynth;
class Speaker;
class EspeakSpeechEngine;
class EspeakEngineFactory;

}  // namespace prevod
