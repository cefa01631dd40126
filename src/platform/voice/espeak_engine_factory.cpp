#include "platform/voice/espeak_engine_factory.h"

#include <algorithm>

#include "base/runtime_error.h"
#include "base/trace.h"
#include "platform/voice/alsa_sink.h"
#include "platform/voice/espeak_speech_engine.h"
#include "platform/voice/espeak_synth.h"
#include "platform/voice/null_sink.h"
#include "platform/voice/wav_sink.h"

namespace prevod {

namespace {

bool same_ignoring_case(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](unsigned char x, unsigned char y) {
    const auto fold = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; };
    return fold(x) == fold(y);
  });
}

}  // namespace

EspeakEngineFactory::EspeakEngineFactory(SinkFactory sinks, Trace& trace, std::string voice,
                                         std::optional<std::string> data_path)
    : m_sinks(std::move(sinks)),
      m_trace(trace),
      m_voice(std::move(voice)),
      m_data_path(std::move(data_path)) {}

std::shared_ptr<SpeechEngine> EspeakEngineFactory::CreateObject(const std::string& progid) {
  if (!same_ignoring_case(progid, "sapi.spvoice")) {
    throw RuntimeError("speech: no engine is registered as \"" + progid + "\"");
  }
  std::shared_ptr<EspeakSynth> synth = EspeakSynth::acquire(m_data_path);
  std::unique_ptr<AudioSink> sink = m_sinks ? m_sinks() : nullptr;
  if (!sink) throw RuntimeError("speech: no audio output for the engine");
  if (!sink->probe() && !m_told_no_device && m_trace.enabled()) {
    m_trace.line("speech: no sound device, speaking silently");
    m_told_no_device = true;
  }
  auto engine =
      std::make_shared<EspeakSpeechEngine>(std::move(synth), std::move(sink), m_voice, &m_trace);
  engine->set_clock(m_clock);
  m_engine = engine;
  return engine;
}

std::optional<std::vector<UtteranceRecord>> EspeakEngineFactory::record() const {
  if (!m_engine) return std::nullopt;
  return m_engine->utterances();
}

EspeakEngineFactory::SinkFactory EspeakEngineFactory::alsa_sinks() {
  return [] { return std::make_unique<AlsaSink>(); };
}

EspeakEngineFactory::SinkFactory EspeakEngineFactory::wav_sinks(std::filesystem::path path) {
  return [path = std::move(path)] { return std::make_unique<WavSink>(path); };
}

EspeakEngineFactory::SinkFactory EspeakEngineFactory::null_sinks() {
  return [] { return std::make_unique<NullSink>(); };
}

}  // namespace prevod
