#pragma once

// Creates the local speech engine for "sapi.spvoice" (the identifier is
// compared without regard to case): an EspeakSpeechEngine speaking through
// a sink made by the sink factory chosen when the factory was built (ALSA
// playback, a WAV file or nothing). Each engine gets a sink of its own.
//
// Creation fails with RuntimeError for any other identifier, when the
// espeak-ng data cannot be loaded, and when the engine's voice is not
// installed. A missing sound device is no failure: the engine speaks
// silently and, while tracing is on, the factory says so once.

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/speech_engine.h"
#include "platform/voice/audio_sink.h"
#include "platform/voice/espeak_speech_engine.h"

namespace prevod {

class Trace;

class EspeakEngineFactory : public SpeechEngineFactory {
 public:
  using SinkFactory = std::function<std::unique_ptr<AudioSink>()>;

  // `voice` is the engine's espeak-ng voice; `data_path` the directory of
  // the espeak-ng data, the library's default place when empty.
  EspeakEngineFactory(SinkFactory sinks, Trace& trace, std::string voice = "bg",
                      std::optional<std::string> data_path = std::nullopt);

  std::shared_ptr<SpeechEngine> CreateObject(const std::string& progid) override;

  // The clock of the engines' records (see EspeakSpeechEngine::set_clock),
  // for the engines created from now on.
  void set_clock(EspeakSpeechEngine::Clock clock) { m_clock = std::move(clock); }
  // The engine created last, or nullptr.
  std::shared_ptr<EspeakSpeechEngine> engine() const { return m_engine; }
  // What the engine created last was asked to say; nullopt before the
  // first engine.
  std::optional<std::vector<UtteranceRecord>> record() const;

  // Playback on the "default" ALSA device.
  static SinkFactory alsa_sinks();
  // A WAV file at `path`, created afresh for each engine.
  static SinkFactory wav_sinks(std::filesystem::path path);
  // No sound at all.
  static SinkFactory null_sinks();

 private:
  SinkFactory m_sinks;
  Trace& m_trace;
  std::string m_voice;
  std::optional<std::string> m_data_path;
  bool m_told_no_device = false;
  EspeakSpeechEngine::Clock m_clock;
  std::shared_ptr<EspeakSpeechEngine> m_engine;
};

}  // namespace prevod
