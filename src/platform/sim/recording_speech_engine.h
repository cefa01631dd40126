#pragma once

// The simulated speech engine: it records every Rate write and Speak call
// and "speaks" its queue on the loop's clock, one item after the other, for
// a time that grows with the text, so that queueing and purges can be seen.
// It keeps the latest records only: spoken utterances beyond
// UtteranceCapacity and Rate writes beyond RateWriteCapacity are dropped,
// oldest first, so that a long run does not grow.

#include <cstdint>
#include <deque>
#include <string>

#include "base/deferred_tasks.h"
#include "base/event_loop.h"
#include "platform/sim/bounded_log.h"
#include "platform/speech_engine.h"
#include "platform/utterance_record.h"

namespace prevod {

class Trace;

class RecordingSpeechEngine : public SpeechEngine {
 public:
  using Utterance = UtteranceRecord;

  RecordingSpeechEngine(EventLoop& loop, Trace& trace)
      : m_loop(loop), m_trace(trace), m_finish(loop) {}

  void set_Rate(double rate) override;
  int32_t Rate() const override { return m_rate; }
  int32_t Speak(const std::string& text, int32_t flags) override;

  static constexpr size_t UtteranceCapacity = 1024;
  static constexpr size_t RateWriteCapacity = 1024;
  const BoundedLog<double>& rate_writes() const { return m_rate_writes; }
  // Oldest first; those still queued or being spoken are always kept.
  const std::deque<Utterance>& utterances() const { return m_utterances; }
  // The text being spoken now, or nullptr.
  const Utterance* speaking() const;
  int purges() const { return m_purges; }
  // How long the engine speaks a text.
  static int64_t duration_of(const std::string& text);

 private:
  void start_next();
  void finish_current();
  // Drops the oldest spoken utterances beyond the capacity.
  void forget_spoken();

  EventLoop& m_loop;
  Trace& m_trace;
  int32_t m_rate = 0;
  BoundedLog<double> m_rate_writes{RateWriteCapacity};
  std::deque<Utterance> m_utterances;
  int32_t m_streams = 0;   // Speak calls so far: the last stream number
  size_t m_next = 0;       // the first utterance not yet started
  int64_t m_current = -1;  // index of the one being spoken
  // The end of the utterance being spoken.
  DeferredTasks m_finish;
  int m_purges = 0;
};

class RecordingSpeechFactory : public SpeechEngineFactory {
 public:
  RecordingSpeechFactory(EventLoop& loop, Trace& trace) : m_loop(loop), m_trace(trace) {}
  // With no engine installed, creation fails.
  void set_installed(bool installed) { m_installed = installed; }
  std::shared_ptr<SpeechEngine> CreateObject(const std::string& progid) override;
  // The engine created last, or nullptr.
  RecordingSpeechEngine* engine() const { return m_engine.get(); }

 private:
  EventLoop& m_loop;
  Trace& m_trace;
  bool m_installed = true;
  std::shared_ptr<RecordingSpeechEngine> m_engine;
};

}  // namespace prevod
