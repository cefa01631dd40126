#pragma once

// One speaking voice with its own audio stream: a queue of texts that are
// synthesised by the shared EspeakSynth and played through the speaker's
// sink, in the order queued. The playing is done by a worker of a
// SpeakerPool, one text per turn; the speaker holds no thread of its own.
// Several speakers can sound at once, each through its own sink.
//
// speak() queues and returns at once; purge() silences the text being
// spoken within one small piece of sound and drops everything queued.
// Voice and rate are taken when a text is queued, so a change applies to
// the texts queued after it.
//
// Each queued text gets a number, 1, 2, 3... in the order queued, and the
// observer hears of each text, by its number, as it starts and as it ends.
// A text dropped from the queue by a purge is never heard of. It is called
// on a pool worker: callers must carry the news to their own thread (post
// it to their event loop) and must not destroy the speaker from inside it.
// A speaker being destroyed still reports the end of the text it cuts off,
// so what the observer uses must outlive the speaker.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/voice/audio_sink.h"
#include "platform/voice/espeak_synth.h"
#include "platform/voice/speaker_pool.h"

namespace prevod {

class Speaker : private SpeakerPool::Client {
 public:
  enum class Event {
    Started,   // the text began to sound
    Finished,  // the text was spoken to its end
    Stopped,   // a purge cut the text off
    Failed,    // synthesis or the sink failed; the text was cut off
  };
  using Observer = std::function<void(Event event, const std::string& text, uint64_t number)>;

  static constexpr int kSlowestRate = -10;
  static constexpr int kFastestRate = 10;

  // Speaks with `voice` (see set_voice); RuntimeError when no installed
  // voice serves it. Plays through the process's shared pool unless given
  // one.
  Speaker(std::shared_ptr<EspeakSynth> synth, std::unique_ptr<AudioSink> sink,
          const std::string& voice = "en", std::shared_ptr<SpeakerPool> pool = nullptr);
  // Silences the speaker and drops its queue.
  ~Speaker() override;
  Speaker(const Speaker&) = delete;
  Speaker& operator=(const Speaker&) = delete;

  // Queues `text` behind the texts already queued and returns its number.
  // An empty text is ignored and gets the number 0. RuntimeError, and
  // nothing queued, when the pool has no thread to play it on and cannot
  // start one.
  uint64_t speak(const std::string& text);
  // Stops the text being spoken and drops the queued ones.
  void purge();
  // Whether a text is being spoken or waits to be.
  bool busy() const;
  // Waits until the speaker is idle or `timeout` has passed; whether idle.
  bool wait_until_idle(std::chrono::milliseconds timeout) const;

  // An espeak-ng voice or language: "bg", "en-us", "ru", "Bulgarian"...
  // RuntimeError, and the voice unchanged, when no installed voice serves it.
  void set_voice(const std::string& name);
  // The voice as last asked for.
  std::string voice() const;
  // The rate on the automation scale, -10 (slowest) to 10 (fastest), 0
  // normal. RuntimeError, and the rate unchanged, outside that range.
  void set_rate(int rate);
  // The speed in words per minute, limited to what espeak-ng offers (80..450).
  void set_words_per_minute(int words_per_minute);
  int words_per_minute() const;
  // Words per minute for a rate of -10..10: 175 at 0, doubling every ten
  // steps, so -10 speaks at half speed (88) and 10 at double speed (350).
  static int words_per_minute_for_rate(int rate);

  void set_observer(Observer observer);

 private:
  struct Utterance {
    std::string text;
    std::string voice_id;
    int words_per_minute = 175;
    uint64_t generation = 0;
    uint64_t number = 0;
  };

  bool serve_turn() override;
  std::optional<Utterance> next_utterance();
  void end_turn();
  Event say(const Utterance& utterance);
  void stream(const Utterance& utterance);
  bool play(const std::vector<int16_t>& samples, uint64_t generation);
  void submit_synthesis(const Utterance& utterance);
  void wait_for_synthesis();
  void close_sink();
  bool current(uint64_t generation) const { return m_generation.load() == generation; }
  void notify(Event event, const Utterance& utterance);

  std::shared_ptr<EspeakSynth> m_synth;
  std::unique_ptr<AudioSink> m_sink;  // used by the turn being served only
  bool m_sink_open = false;           // likewise
  std::shared_ptr<SpeakerPool> m_pool;

  mutable std::mutex m_mutex;
  std::condition_variable m_wake;
  mutable std::condition_variable m_idle;
  std::deque<Utterance> m_queue;
  uint64_t m_queued = 0;  // texts queued so far: the last number given
  // Bumped by every purge; a text belongs to the generation it was queued in
  // and stops as soon as the generation moves on.
  std::atomic<uint64_t> m_generation = 0;
  bool m_shutdown = false;
  bool m_active = false;
  std::string m_voice_name;
  std::string m_voice_id;
  int m_words_per_minute = 175;
  Observer m_observer;

  // The text in progress: pieces synthesised but not yet played.
  std::deque<std::vector<int16_t>> m_pieces;
  bool m_synthesising = false;
  EspeakSynth::Outcome m_synthesis_outcome = EspeakSynth::Outcome::Completed;
};

}  // namespace prevod
