#pragma once

// A sink that writes the sound into a WAV file (RIFF, PCM, 16-bit mono).
// The file is created when the sink is made and is a valid, possibly empty,
// WAV file from then on: the sizes in its header are brought up to date
// whenever a stream is closed or drained and when the sink is destroyed.
// Successive streams are appended to the same file; they must share one
// sample rate.

#include <cstdint>
#include <cstdio>
#include <filesystem>

#include "platform/voice/audio_sink.h"

namespace prevod {

class WavSink : public AudioSink {
 public:
  // Creates (or truncates) the file; RuntimeError when it cannot.
  explicit WavSink(const std::filesystem::path& path);
  ~WavSink() override;
  WavSink(const WavSink&) = delete;
  WavSink& operator=(const WavSink&) = delete;

  // RuntimeError when samples at another rate are already in the file.
  void open(int sample_rate) override;
  // RuntimeError when the file cannot be written.
  void write(std::span<const int16_t> samples) override;
  void drain() override;
  void stop() override {}
  void close() override;

  // Samples stored in the file so far.
  uint64_t samples() const { return m_samples; }

 private:
  void write_header();
  void fail(const char* what);

  std::filesystem::path m_path;
  std::FILE* m_file = nullptr;
  int m_sample_rate = 22050;
  uint64_t m_samples = 0;
};

}  // namespace prevod
