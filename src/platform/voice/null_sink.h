#pragma once

// A sink that discards the sound at once and counts it: for tests, for
// benchmarks and for running without audio. Its counters may be read from
// any thread while a speaker writes to it.

#include <atomic>
#include <cstdint>

#include "platform/voice/audio_sink.h"

namespace prevod {

class NullSink : public AudioSink {
 public:
  void open(int sample_rate) override { m_sample_rate = sample_rate; }
  void write(std::span<const int16_t> samples) override { m_samples += samples.size(); }
  void drain() override {}
  void stop() override {}
  void close() override {}

  // Samples written since the sink was made.
  uint64_t samples() const { return m_samples; }
  // The rate of the last stream opened, 0 before the first.
  int sample_rate() const { return m_sample_rate; }

 private:
  std::atomic<uint64_t> m_samples = 0;
  std::atomic<int> m_sample_rate = 0;
};

}  // namespace prevod
