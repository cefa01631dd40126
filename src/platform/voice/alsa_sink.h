#pragma once

// A sink that plays through ALSA (the "default" device unless told
// otherwise). The device is held only while a stream is open, so two
// speakers can share a mixing device and an idle speaker blocks nobody.
//
// When the device cannot be opened, or stops taking sound for two seconds,
// the sink reports that once and from then on discards what it is given,
// like a null sink: speech goes on silently, nothing blocks for long and
// nothing crashes. It does not try the device again.

#include <atomic>
#include <functional>
#include <string>

#include "platform/voice/audio_sink.h"

// ALSA's PCM handle (snd_pcm_t), declared here so that the header needs
// no ALSA include.
struct _snd_pcm;

namespace prevod {

class AlsaSink : public AudioSink {
 public:
  // Receives the one report of a missing device. It is called on the thread
  // that found the device missing: the caller's for probe(), the speaker's
  // worker otherwise.
  using Reporter = std::function<void(const std::string&)>;

  explicit AlsaSink(std::string device = "default", Reporter report = {});
  ~AlsaSink() override;
  AlsaSink(const AlsaSink&) = delete;
  AlsaSink& operator=(const AlsaSink&) = delete;

  // Opens and closes the device at once; false (and silent from then on)
  // when it cannot be opened.
  bool probe() override;
  void open(int sample_rate) override;
  void write(std::span<const int16_t> samples) override;
  void drain() override;
  void stop() override;
  void close() override;

  // Whether the sink has given up on the device and plays silently.
  bool device_missing() const { return m_missing; }

 private:
  bool open_device(int sample_rate);
  void close_device();
  void give_up(const std::string& why);
  bool ready_for_writing();

  std::string m_device;
  Reporter m_report;
  ::_snd_pcm* m_pcm = nullptr;
  int m_sample_rate = 0;
  std::atomic<bool> m_missing = false;
};

}  // namespace prevod
