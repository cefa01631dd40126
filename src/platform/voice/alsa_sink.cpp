#include "platform/voice/alsa_sink.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <mutex>
#include <optional>
#include <thread>

namespace prevod {

namespace {

using Clock = std::chrono::steady_clock;

// How much sound ALSA buffers ahead of the speaker: small, so that a purge
// is heard promptly.
constexpr unsigned kLatencyMicroseconds = 100000;
// A device that takes no sound for this long is given up.
constexpr auto kStallLimit = std::chrono::milliseconds(2000);
constexpr int kWaitMilliseconds = 100;
// How often a drain looks at what is left to play.
constexpr auto kDrainStep = std::chrono::milliseconds(10);

// ALSA prints its configuration errors to standard error; a missing device
// is reported once through the sink's own report instead.
void quiet_alsa_errors(const char*, int, const char*, int, const char*, ...) {}

void silence_alsa_once() {
  static std::once_flag once;
  std::call_once(once, [] { snd_lib_error_set_handler(quiet_alsa_errors); });
}

}  // namespace

AlsaSink::AlsaSink(std::string device, Reporter report)
    : m_device(std::move(device)), m_report(std::move(report)) {
  silence_alsa_once();
}

AlsaSink::~AlsaSink() {
  close_device();
}

bool AlsaSink::probe() {
  if (m_missing) return false;
  if (m_pcm) return true;
  snd_pcm_t* pcm = nullptr;
  const int error = snd_pcm_open(&pcm, m_device.c_str(), SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK);
  if (error < 0) {
    give_up(std::string("cannot open ") + m_device + ": " + snd_strerror(error));
    return false;
  }
  snd_pcm_close(pcm);
  return true;
}

void AlsaSink::open(int sample_rate) {
  if (m_missing) return;
  if (m_pcm && sample_rate == m_sample_rate) return;
  close_device();
  open_device(sample_rate);
}

bool AlsaSink::open_device(int sample_rate) {
  snd_pcm_t* pcm = nullptr;
  int error = snd_pcm_open(&pcm, m_device.c_str(), SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK);
  if (error < 0) {
    give_up(std::string("cannot open ") + m_device + ": " + snd_strerror(error));
    return false;
  }
  error = snd_pcm_set_params(pcm, SND_PCM_FORMAT_S16, SND_PCM_ACCESS_RW_INTERLEAVED, 1,
                             static_cast<unsigned>(sample_rate), 1, kLatencyMicroseconds);
  if (error < 0) {
    snd_pcm_close(pcm);
    give_up(std::string("cannot set up ") + m_device + ": " + snd_strerror(error));
    return false;
  }
  m_pcm = pcm;
  m_sample_rate = sample_rate;
  return true;
}

void AlsaSink::close_device() {
  if (!m_pcm) return;
  snd_pcm_drop(m_pcm);
  snd_pcm_close(m_pcm);
  m_pcm = nullptr;
}

void AlsaSink::give_up(const std::string& why) {
  close_device();
  if (m_missing.exchange(true)) return;
  if (m_report) m_report(why);
}

bool AlsaSink::ready_for_writing() {
  if (!m_pcm) return false;
  // After a drain or a stop the stream must be prepared again.
  if (snd_pcm_state(m_pcm) != SND_PCM_STATE_SETUP) return true;
  const int error = snd_pcm_prepare(m_pcm);
  if (error < 0) give_up(std::string("cannot restart ") + m_device + ": " + snd_strerror(error));
  return m_pcm != nullptr;
}

void AlsaSink::write(std::span<const int16_t> samples) {
  if (!ready_for_writing()) return;
  auto last_progress = Clock::now();
  while (!samples.empty() && m_pcm) {
    const snd_pcm_sframes_t written = snd_pcm_writei(m_pcm, samples.data(), samples.size());
    if (written > 0) {
      samples = samples.subspan(static_cast<size_t>(written));
      last_progress = Clock::now();
      continue;
    }
    if (Clock::now() - last_progress > kStallLimit) {
      give_up(m_device + " stopped taking sound");
      return;
    }
    if (written == 0 || written == -EAGAIN) {
      snd_pcm_wait(m_pcm, kWaitMilliseconds);
      continue;
    }
    // An underrun or a suspend: recover and go on; anything else is fatal.
    const int error = snd_pcm_recover(m_pcm, static_cast<int>(written), 1);
    if (error < 0) give_up(m_device + ": " + snd_strerror(error));
  }
}

void AlsaSink::drain() {
  if (!m_pcm) return;
  // A stream holding less than its start threshold has not begun to play.
  if (snd_pcm_state(m_pcm) == SND_PCM_STATE_PREPARED) snd_pcm_start(m_pcm);
  // NOTE: the wait watches the delay rather than calling snd_pcm_drain,
  // whose non-blocking form some plug-ins never complete and whose blocking
  // form waits forever on a stalled device.
  std::optional<Clock::time_point> deadline;
  while (snd_pcm_state(m_pcm) == SND_PCM_STATE_RUNNING) {
    snd_pcm_sframes_t delay = 0;
    if (snd_pcm_delay(m_pcm, &delay) < 0 || delay <= 0) break;
    const auto left = std::chrono::milliseconds(1000 * delay / m_sample_rate);
    if (!deadline) deadline = Clock::now() + left + kStallLimit;
    if (Clock::now() > *deadline) {
      give_up(m_device + " stopped playing");
      return;
    }
    std::this_thread::sleep_for(std::clamp(left, std::chrono::milliseconds(1), kDrainStep));
  }
  snd_pcm_drop(m_pcm);
}

void AlsaSink::stop() {
  if (m_pcm) snd_pcm_drop(m_pcm);
}

void AlsaSink::close() {
  close_device();
}

}  // namespace prevod
