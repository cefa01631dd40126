#include "platform/voice/espeak_speech_engine.h"

#include <algorithm>
#include <chrono>
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
  const auto created = std::chrono::steady_clock::now();
  m_clock = [created] {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 created)
        .count();
  };
  m_speaker.set_observer([this](Speaker::Event event, const std::string& text, uint64_t number) {
    Speaker::Observer observer;
    {
      std::lock_guard lock(m_record_mutex);
      record_event(event, number);
      observer = m_observer;
    }
    if (observer) observer(event, text, number);
  });
}

void EspeakSpeechEngine::set_observer(Speaker::Observer observer) {
  std::lock_guard lock(m_record_mutex);
  m_observer = std::move(observer);
}

void EspeakSpeechEngine::set_clock(Clock clock) {
  if (!clock) return;
  std::lock_guard lock(m_record_mutex);
  m_clock = std::move(clock);
}

std::vector<UtteranceRecord> EspeakSpeechEngine::utterances() const {
  std::lock_guard lock(m_record_mutex);
  std::vector<UtteranceRecord> out;
  out.reserve(m_record.size());
  for (const Entry& entry : m_record) out.push_back(entry.record);
  return out;
}

int64_t EspeakSpeechEngine::now() const {
  return m_clock();
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
  record_speak(text, flags);
  trace("speech: Speak " + quoted(text) + " flags " + std::to_string(flags) + " -> stream " +
        std::to_string(stream));
  return stream;
}

void EspeakSpeechEngine::record_speak(const std::string& text, int32_t flags) {
  // The text is queued with the record's lock held, so that the speaker's
  // news of it cannot arrive before its entry.
  std::lock_guard lock(m_record_mutex);
  const int64_t at = now();
  if (flags & SVSFPurgeBeforeSpeak) {
    m_speaker.purge();
    for (Entry& entry : m_record) {
      if (entry.record.over()) continue;
      entry.record.purged = true;
      if (entry.record.started_at >= 0) entry.record.ended_at = at;
    }
  }
  Entry entry{m_speaker.speak(text), {}};
  entry.record.text = text;
  entry.record.flags = flags;
  entry.record.rate = m_rate;
  entry.record.queued_at = at;
  // The speaker ignores an empty text: it ends where it starts.
  if (entry.number == 0) entry.record.started_at = entry.record.ended_at = at;
  m_record.push_back(std::move(entry));
  forget_old();
}

void EspeakSpeechEngine::record_event(Speaker::Event event, uint64_t number) {
  auto found = std::find_if(m_record.rbegin(), m_record.rend(),
                            [number](const Entry& entry) { return entry.number == number; });
  if (number == 0 || found == m_record.rend()) return;
  UtteranceRecord& record = found->record;
  const int64_t at = now();
  switch (event) {
    case Speaker::Event::Started:
      if (!record.over()) record.started_at = at;
      return;
    case Speaker::Event::Finished:
      break;
    case Speaker::Event::Stopped:
      record.purged = true;
      break;
    case Speaker::Event::Failed:
      record.failed = true;
      break;
  }
  if (record.ended_at < 0) record.ended_at = at;
}

void EspeakSpeechEngine::forget_old() {
  while (m_record.size() > RecordCapacity) {
    auto oldest_over = std::find_if(m_record.begin(), m_record.end(),
                                    [](const Entry& entry) { return entry.record.over(); });
    if (oldest_over == m_record.end()) return;
    m_record.erase(oldest_over);
  }
}

void EspeakSpeechEngine::trace(const std::string& line) {
  if (m_trace) m_trace->line(line);
}

}  // namespace prevod
