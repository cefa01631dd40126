#pragma once

// The process's one espeak-ng synthesiser. espeak-ng keeps its state in
// globals and is not re-entrant, so every speaker hands its texts to this
// object, whose single worker thread makes all espeak-ng calls, one job at a
// time, in the order submitted. Synthesis runs far faster than real time
// (see bench/speech_espeak.cpp), so speakers that play at once take turns
// here without being heard to wait.
//
// espeak-ng is initialised once per process, on the first successful
// acquire(), and stays initialised; the worker thread lives as long as some
// holder of the shared instance does.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace prevod {

class EspeakSynth {
 public:
  enum class Outcome { Completed, Abandoned, Failed };

  struct Job {
    std::string text;   // UTF-8, spoken as plain text (no markup)
    std::string voice;  // a voice identifier from resolve_voice()
    int words_per_minute = 175;
    // Asked just before the job starts; false skips it (reported Abandoned).
    std::function<bool()> wanted;
    // Receives the samples piece by piece on the worker thread; returning
    // false abandons the rest of the text.
    std::function<bool(std::span<const int16_t>)> on_samples;
    // Called on the worker thread once the job is over, whatever the outcome.
    std::function<void(Outcome)> on_done;
  };

  // The shared synthesiser, initialising espeak-ng on first use from
  // `data_path` (a directory holding espeak-ng-data, or espeak-ng-data
  // itself), or from the library's default place when none is given.
  // RuntimeError when the data cannot be found or loaded, when espeak-ng
  // already runs from another directory than the one asked for, or when
  // the worker thread cannot be started.
  static std::shared_ptr<EspeakSynth> acquire(
      const std::optional<std::string>& data_path = std::nullopt);

  ~EspeakSynth();
  EspeakSynth(const EspeakSynth&) = delete;
  EspeakSynth& operator=(const EspeakSynth&) = delete;

  // Samples per second of everything this synthesiser produces.
  int sample_rate() const;
  // The identifier of the installed voice that best serves `name`: a voice
  // name ("Bulgarian"), identifier ("zls/bg") or language ("bg", "en-us",
  // "ru"), compared without regard to case. A language without a voice of
  // its own falls back to its parent ("en-au" to "en"). Empty when none.
  std::optional<std::string> resolve_voice(std::string_view name) const;

  // Queues a job behind those already submitted; returns at once.
  void submit(Job job);
  // Synthesises `text` on the worker and waits for all of its samples.
  std::vector<int16_t> synthesize(const std::string& text, const std::string& voice,
                                  int words_per_minute);

 private:
  EspeakSynth() = default;
  void run();
  static Outcome perform(Job& job);

  std::mutex m_mutex;
  std::condition_variable m_wake;
  std::deque<Job> m_jobs;
  bool m_stopping = false;
  std::thread m_worker;
};

}  // namespace prevod
