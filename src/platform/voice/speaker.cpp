#include "platform/voice/speaker.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "base/runtime_error.h"

namespace prevod {

namespace {

constexpr int kNormalWordsPerMinute = 175;
constexpr int kSlowestWordsPerMinute = 80;
constexpr int kFastestWordsPerMinute = 450;
// The sound goes to the sink in pieces of a fiftieth of a second, and a
// purge is noticed between pieces.
constexpr int kPiecesPerSecond = 50;

}  // namespace

Speaker::Speaker(std::shared_ptr<EspeakSynth> synth, std::unique_ptr<AudioSink> sink,
                 const std::string& voice, std::shared_ptr<SpeakerPool> pool)
    : m_synth(std::move(synth)),
      m_sink(std::move(sink)),
      m_pool(pool ? std::move(pool) : SpeakerPool::shared()) {
  set_voice(voice);
}

Speaker::~Speaker() {
  {
    std::lock_guard lock(m_mutex);
    m_shutdown = true;
    ++m_generation;
    m_queue.clear();
    m_wake.notify_all();
  }
  // A text being played stops at its next piece and reports its end.
  m_pool->withdraw(*this);
  close_sink();
}

uint64_t Speaker::speak(const std::string& text) {
  if (text.empty()) return 0;
  uint64_t number = 0;
  {
    std::lock_guard lock(m_mutex);
    if (m_shutdown) return 0;
    number = ++m_queued;
    m_queue.push_back(Utterance{text, m_voice_id, m_words_per_minute, m_generation.load(), number});
  }
  try {
    m_pool->enlist(*this);
  } catch (const RuntimeError&) {
    // No worker runs, so nothing queued can be played.
    std::lock_guard lock(m_mutex);
    m_queue.clear();
    m_idle.notify_all();
    throw;
  }
  return number;
}

void Speaker::purge() {
  std::lock_guard lock(m_mutex);
  ++m_generation;
  m_queue.clear();
  m_wake.notify_all();
}

bool Speaker::busy() const {
  std::lock_guard lock(m_mutex);
  return m_active || !m_queue.empty();
}

bool Speaker::wait_until_idle(std::chrono::milliseconds timeout) const {
  std::unique_lock lock(m_mutex);
  return m_idle.wait_for(lock, timeout, [this] { return !m_active && m_queue.empty(); });
}

void Speaker::set_voice(const std::string& name) {
  const std::optional<std::string> identifier = m_synth->resolve_voice(name);
  if (!identifier) throw RuntimeError("speech: no espeak-ng voice for \"" + name + "\"");
  std::lock_guard lock(m_mutex);
  m_voice_name = name;
  m_voice_id = *identifier;
}

std::string Speaker::voice() const {
  std::lock_guard lock(m_mutex);
  return m_voice_name;
}

void Speaker::set_rate(int rate) {
  if (rate < kSlowestRate || rate > kFastestRate) {
    throw RuntimeError("speech: rate " + std::to_string(rate) + " lies outside -10..10");
  }
  set_words_per_minute(words_per_minute_for_rate(rate));
}

void Speaker::set_words_per_minute(int words_per_minute) {
  std::lock_guard lock(m_mutex);
  m_words_per_minute = std::clamp(words_per_minute, kSlowestWordsPerMinute, kFastestWordsPerMinute);
}

int Speaker::words_per_minute() const {
  std::lock_guard lock(m_mutex);
  return m_words_per_minute;
}

int Speaker::words_per_minute_for_rate(int rate) {
  const int bounded = std::clamp(rate, kSlowestRate, kFastestRate);
  return static_cast<int>(std::lround(kNormalWordsPerMinute * std::exp2(bounded / 10.0)));
}

void Speaker::set_observer(Observer observer) {
  std::lock_guard lock(m_mutex);
  m_observer = std::move(observer);
}

// One turn on a pool worker: the next queued text, spoken whole.
bool Speaker::serve_turn() {
  std::optional<Utterance> utterance = next_utterance();
  if (!utterance) {
    // Purged while waiting in line: the sink is let go.
    close_sink();
    end_turn();
    return false;
  }
  notify(Event::Started, *utterance);
  const Event ended = say(*utterance);
  notify(ended, *utterance);
  bool more = false;
  {
    std::lock_guard lock(m_mutex);
    more = !m_queue.empty() && !m_shutdown;
  }
  // The sink is held only for a run of speech, and given a fresh start
  // after a failure.
  if (!more || ended == Event::Failed) close_sink();
  end_turn();
  return more;
}

std::optional<Speaker::Utterance> Speaker::next_utterance() {
  std::lock_guard lock(m_mutex);
  if (m_shutdown || m_queue.empty()) return std::nullopt;
  Utterance utterance = std::move(m_queue.front());
  m_queue.pop_front();
  m_active = true;
  return utterance;
}

void Speaker::end_turn() {
  std::lock_guard lock(m_mutex);
  if (!m_queue.empty()) return;
  m_active = false;
  m_idle.notify_all();
}

Speaker::Event Speaker::say(const Utterance& utterance) {
  try {
    if (!m_sink_open) m_sink->open(m_synth->sample_rate());
    m_sink_open = true;
  } catch (const std::exception&) {
    return Event::Failed;
  }
  submit_synthesis(utterance);
  bool sink_failed = false;
  try {
    stream(utterance);
  } catch (const std::exception&) {
    sink_failed = true;
  }
  // The synthesis job refers to this speaker until it is over.
  wait_for_synthesis();
  Event event = Event::Finished;
  if (sink_failed || m_synthesis_outcome == EspeakSynth::Outcome::Failed) {
    event = Event::Failed;
  } else if (!current(utterance.generation) ||
             m_synthesis_outcome == EspeakSynth::Outcome::Abandoned) {
    event = Event::Stopped;
  }
  try {
    if (event == Event::Finished) {
      m_sink->drain();
    } else {
      m_sink->stop();
    }
  } catch (const std::exception&) {
    event = Event::Failed;
  }
  return event;
}

void Speaker::submit_synthesis(const Utterance& utterance) {
  {
    std::lock_guard lock(m_mutex);
    m_pieces.clear();
    m_synthesising = true;
  }
  const uint64_t generation = utterance.generation;
  EspeakSynth::Job job;
  job.text = utterance.text;
  job.voice = utterance.voice_id;
  job.words_per_minute = utterance.words_per_minute;
  job.wanted = [this, generation] { return current(generation); };
  job.on_samples = [this, generation](std::span<const int16_t> samples) {
    std::lock_guard lock(m_mutex);
    if (!current(generation)) return false;
    m_pieces.emplace_back(samples.begin(), samples.end());
    m_wake.notify_all();
    return true;
  };
  job.on_done = [this](EspeakSynth::Outcome outcome) {
    // NOTE: the notification is made with the lock held: once it is
    // released the speaker may be gone.
    std::lock_guard lock(m_mutex);
    m_synthesising = false;
    m_synthesis_outcome = outcome;
    m_wake.notify_all();
  };
  m_synth->submit(std::move(job));
}

void Speaker::stream(const Utterance& utterance) {
  for (;;) {
    std::vector<int16_t> piece;
    {
      std::unique_lock lock(m_mutex);
      m_wake.wait(lock, [&] {
        return !current(utterance.generation) || !m_pieces.empty() || !m_synthesising;
      });
      if (!current(utterance.generation) || m_pieces.empty()) return;
      piece = std::move(m_pieces.front());
      m_pieces.pop_front();
    }
    if (!play(piece, utterance.generation)) return;
  }
}

bool Speaker::play(const std::vector<int16_t>& samples, uint64_t generation) {
  const size_t step = static_cast<size_t>(std::max(1, m_synth->sample_rate() / kPiecesPerSecond));
  std::span<const int16_t> rest(samples);
  while (!rest.empty()) {
    if (!current(generation)) return false;
    const size_t count = std::min(step, rest.size());
    m_sink->write(rest.first(count));
    rest = rest.subspan(count);
  }
  return current(generation);
}

void Speaker::wait_for_synthesis() {
  std::unique_lock lock(m_mutex);
  m_wake.wait(lock, [this] { return !m_synthesising; });
  m_pieces.clear();
}

void Speaker::close_sink() {
  if (!m_sink_open) return;
  m_sink_open = false;
  try {
    m_sink->close();
  } catch (const std::exception&) {
    // A sink that cannot close cleanly is opened afresh for the next text.
  }
}

void Speaker::notify(Event event, const Utterance& utterance) {
  Observer observer;
  {
    std::lock_guard lock(m_mutex);
    observer = m_observer;
  }
  if (observer) observer(event, utterance.text, utterance.number);
}

}  // namespace prevod
