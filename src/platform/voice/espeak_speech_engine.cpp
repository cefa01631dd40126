#include "platform/voice/espeak_speech_engine.h"

#include <cmath>

#include "base/runtime_error.h"
#include "base/trace.h"

namespace prevod {

namespace {

// The text as it appears in a trace line: quoted, on one line, and cut
// short when long.
std::string quoted(const std::string& text) {
  constexpr size_t kLongest = 60;
  size_t cut = text.size();
  if (cut > kLongest) {
    // Never cut a UTF-8 sequence in half.
    cut = kLongest;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  }
  std::string out = "\"";
  for (size_t i = 0; i < cut; ++i) out += (text[i] == '\r' || text[i] == '\n') ? ' ' : text[i];
  if (cut < text.size()) out += "...";
  return out + "\"";
}

}  // namespace

EspeakSpeechEngine::EspeakSpeechEngine(std::shared_ptr<EspeakSynth> synth,
                                       std::unique_ptr<AudioSink> sink, const std::string& voice,
                                       Trace* trace)
    : m_speaker(std::move(synth), std::move(sink), voice), m_trace(trace) {
  m_speaker.set_rate(m_rate);
}

std::optional<int32_t> EspeakSpeechEngine::nearest_rate(double rate) {
  if (!std::isfinite(rate)) return std::nullopt;
  double nearest = std::round(rate);
  // std::round takes halves away from zero; the automation conversion takes
  // them to the even neighbour.
  if (std::fabs(rate - std::trunc(rate)) == 0.5) nearest = 2.0 * std::round(rate / 2.0);
  if (nearest < Speaker::kSlowestRate || nearest > Speaker::kFastestRate) return std::nullopt;
  return static_cast<int32_t>(nearest);
}

void EspeakSpeechEngine::set_Rate(double rate) {
  const std::optional<int32_t> whole = nearest_rate(rate);
  if (!whole) {
    trace("speech: Rate = " + std::to_string(rate) + " refused");
    throw RuntimeError("speech: rate " + std::to_string(rate) + " lies outside -10..10");
  }
  m_rate = *whole;
  m_speaker.set_rate(m_rate);
  trace("speech: Rate = " + std::to_string(m_rate));
}

int32_t EspeakSpeechEngine::Speak(const std::string& text, int32_t flags) {
  const int32_t stream = m_next_stream;
  m_next_stream = m_next_stream == INT32_MAX ? 1 : m_next_stream + 1;
  if (flags & SVSFPurgeBeforeSpeak) m_speaker.purge();
  m_speaker.speak(text);
  trace("speech: Speak " + quoted(text) + " flags " + std::to_string(flags) + " -> stream " +
        std::to_string(stream));
  return stream;
}

void EspeakSpeechEngine::trace(const std::string& line) {
  if (m_trace) m_trace->line(line);
}

}  // namespace prevod
