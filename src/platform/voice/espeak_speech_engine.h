#pragma once

// The local speech engine on espeak-ng, with the automation semantics of a
// voice object:
//
// - Rate is a whole number from -10 to 10. A fractional value arrives as
//   the nearest whole number; a value exactly halfway between two goes to
//   the even one (0.5 -> 0, 1.5 -> 2, -2.5 -> -2), as the automation
//   conversion of a double to a whole-number property does. A value whose
//   nearest whole number lies outside -10..10 (or that is not a number)
//   throws RuntimeError and leaves Rate as it was. Rate 0 speaks at 175
//   words per minute; each ten steps halve or double that.
// - Speak(text, SVSFlagsAsync) queues the text behind speech in progress
//   and returns at once.
// - Speak(text, SVSFPurgeBeforeSpeak) stops current and queued speech
//   first; with an empty text that is all it does.
// - Every Speak returns the next stream number: 1, 2, 3...
//
// NOTE: Speak without SVSFlagsAsync queues too and returns at once. Waiting
// for the speech would stall the window thread that makes every call, and
// no caller depends on the wait.
//
// The engine keeps a record of what it was asked to say (UtteranceRecord):
// the latest RecordCapacity texts that are over, and every text still
// queued or being spoken. The record is kept up to date from the speaker's
// worker thread and may be read from any thread.

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/speech_engine.h"
#include "platform/utterance_record.h"
#include "platform/voice/speaker.h"

namespace prevod {

class Trace;

class EspeakSpeechEngine : public SpeechEngine {
 public:
  // RuntimeError when no installed voice serves `voice`. With a trace,
  // every call is traced.
  EspeakSpeechEngine(std::shared_ptr<EspeakSynth> synth, std::unique_ptr<AudioSink> sink,
                     const std::string& voice = "bg", Trace* trace = nullptr);

  void set_Rate(double rate) override;
  int32_t Rate() const override { return m_rate; }
  int32_t Speak(const std::string& text, int32_t flags) override;

  // The speaker behind the engine, for its idle state.
  const Speaker& speaker() const { return m_speaker; }
  // Hears of each text as the engine's record does; called on the
  // speaker's worker thread (see Speaker).
  void set_observer(Speaker::Observer observer);

  // The clock of the record's times, in milliseconds. It is called on the
  // caller's thread and on the speaker's worker thread, so it must be safe
  // to call from any thread. Until one is set, the record counts from the
  // engine's creation.
  using Clock = std::function<int64_t()>;
  void set_clock(Clock clock);
  static constexpr size_t RecordCapacity = 1024;
  // What the engine was asked to say, oldest first.
  std::vector<UtteranceRecord> utterances() const;

  // `rate` as the engine receives it: the nearest whole number, halves to
  // even; empty when that lies outside -10..10 or `rate` is not a number.
  static std::optional<int32_t> nearest_rate(double rate);

 private:
  struct Entry {
    uint64_t number;  // the speaker's number of the text; 0 for an empty one
    UtteranceRecord record;
  };

  void trace(const std::string& line);
  void record_speak(const std::string& text, int32_t flags);
  void record_event(Speaker::Event event, uint64_t number);
  // Drops the oldest texts that are over beyond the capacity.
  void forget_old();
  int64_t now() const;

  // The record comes before the speaker: a speaker being destroyed still
  // reports the text it cuts off, so the record must outlive it.
  mutable std::mutex m_record_mutex;
  std::deque<Entry> m_record;
  Clock m_clock;
  Speaker::Observer m_observer;

  Speaker m_speaker;
  Trace* m_trace;
  int32_t m_rate = 0;
  int32_t m_next_stream = 1;
};

}  // namespace prevod
