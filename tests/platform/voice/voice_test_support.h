#pragma once

// Helpers for the speech tests: an observer that records what a speaker
// says, a sink that holds the speaker inside its first write until the test
// lets it go, and scratch directories. Speech runs on real worker threads,
// so the tests wait on conditions with a generous limit; they never assert
// how long anything took.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <mutex>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "platform/voice/audio_sink.h"
#include "platform/voice/speaker.h"

namespace prevod {

namespace voice_test {

inline constexpr std::chrono::seconds kGenerous{30};

using Heard = std::pair<Speaker::Event, std::string>;

class EventLog {
 public:
  Speaker::Observer observer() {
    return [this](Speaker::Event event, const std::string& text, uint64_t) {
      std::lock_guard lock(m_mutex);
      m_events.emplace_back(event, text);
      m_changed.notify_all();
    };
  }

  bool wait_for(const std::function<bool(const std::vector<Heard>&)>& done) {
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, kGenerous, [&] { return done(m_events); });
  }

  bool wait_for_count(size_t count) {
    return wait_for([count](const std::vector<Heard>& events) { return events.size() >= count; });
  }

  std::vector<Heard> events() const {
    std::lock_guard lock(m_mutex);
    return m_events;
  }

 private:
  mutable std::mutex m_mutex;
  std::condition_variable m_changed;
  std::vector<Heard> m_events;
};

// What a GatedSink saw; shared with the test because the speaker owns the
// sink itself.
struct GateState {
  std::mutex mutex;
  std::condition_variable changed;
  bool open = false;
  int writes = 0;
  int stops = 0;
  int drains = 0;
  int opens = 0;
  int closes = 0;

  void release() {
    std::lock_guard lock(mutex);
    open = true;
    changed.notify_all();
  }

  bool wait_for_writes(int count) {
    std::unique_lock lock(mutex);
    return changed.wait_for(lock, kGenerous, [&] { return writes >= count; });
  }
};

class GatedSink : public AudioSink {
 public:
  explicit GatedSink(std::shared_ptr<GateState> state) : m_state(std::move(state)) {}

  void open(int) override {
    std::lock_guard lock(m_state->mutex);
    ++m_state->opens;
  }
  void write(std::span<const int16_t>) override {
    std::unique_lock lock(m_state->mutex);
    ++m_state->writes;
    m_state->changed.notify_all();
    m_state->changed.wait(lock, [this] { return m_state->open; });
  }
  void drain() override {
    std::lock_guard lock(m_state->mutex);
    ++m_state->drains;
  }
  void stop() override {
    std::lock_guard lock(m_state->mutex);
    ++m_state->stops;
  }
  void close() override {
    std::lock_guard lock(m_state->mutex);
    ++m_state->closes;
  }

 private:
  std::shared_ptr<GateState> m_state;
};

// A fresh directory under the system's temporary directory, removed with
// everything in it when the object goes.
class ScratchDirectory {
 public:
  ScratchDirectory() {
    std::random_device random;
    m_path = std::filesystem::temp_directory_path() /
             ("prevod-voice-" + std::to_string(random()) + "-" + std::to_string(random()));
    std::filesystem::create_directories(m_path);
  }
  ~ScratchDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
  }
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  const std::filesystem::path& path() const { return m_path; }

 private:
  std::filesystem::path m_path;
};

// A WAV file as read back from disk, with the header fields the tests check.
struct WavFile {
  bool riff = false;  // "RIFF" ... "WAVE" "fmt " ... "data" in their places
  uint32_t riff_size = 0;
  uint16_t format = 0;
  uint16_t channels = 0;
  uint32_t sample_rate = 0;
  uint32_t byte_rate = 0;
  uint16_t block_align = 0;
  uint16_t bits = 0;
  uint32_t data_size = 0;
  size_t file_size = 0;
  std::vector<int16_t> samples;
};

inline WavFile read_wav(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)),
                                         std::istreambuf_iterator<char>());
  WavFile wav;
  wav.file_size = bytes.size();
  if (bytes.size() < 44) return wav;
  const auto u16 = [&](size_t at) { return static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8); };
  const auto u32 = [&](size_t at) { return static_cast<uint32_t>(u16(at) | u16(at + 2) << 16); };
  const auto tag = [&](size_t at) {
    return std::string(bytes.begin() + at, bytes.begin() + at + 4);
  };
  wav.riff = tag(0) == "RIFF" && tag(8) == "WAVE" && tag(12) == "fmt " && tag(36) == "data";
  wav.riff_size = u32(4);
  wav.format = u16(20);
  wav.channels = u16(22);
  wav.sample_rate = u32(24);
  wav.byte_rate = u32(28);
  wav.block_align = u16(32);
  wav.bits = u16(34);
  wav.data_size = u32(40);
  for (size_t at = 44; at + 1 < bytes.size(); at += 2)
    wav.samples.push_back(static_cast<int16_t>(u16(at)));
  return wav;
}

}  // namespace voice_test

}  // namespace prevod
