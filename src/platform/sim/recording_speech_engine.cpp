#include "platform/sim/recording_speech_engine.h"

#include <strings.h>

#include <cmath>

#include "base/runtime_error.h"
#include "base/text.h"
#include "base/trace.h"

namespace prevod {

void RecordingSpeechEngine::set_Rate(double rate) {
  m_rate_writes.push_back(rate);
  double whole = std::nearbyint(rate);
  if (!(whole >= -10 && whole <= 10))
    throw RuntimeError("Invalid rate: " + text::format_number(rate));
  m_rate = static_cast<int32_t>(whole);
}

int64_t RecordingSpeechEngine::duration_of(const std::string& text) {
  return 200 + 60 * static_cast<int64_t>(text::length(text));
}

int32_t RecordingSpeechEngine::Speak(const std::string& text, int32_t flags) {
  if (m_trace.enabled())
    m_trace.line("speech speak \"" + text + "\" flags " + std::to_string(flags));
  if ((flags & SVSFPurgeBeforeSpeak) != 0) {
    ++m_purges;
    if (m_current >= 0) {
      m_utterances[static_cast<size_t>(m_current)].purged = true;
      m_utterances[static_cast<size_t>(m_current)].ended_at = m_loop.now();
      m_current = -1;
    }
    m_finish.cancel_all();
    for (size_t i = m_next; i < m_utterances.size(); ++i) m_utterances[i].purged = true;
    m_next = m_utterances.size();
  }
  Utterance utterance;
  utterance.text = text;
  utterance.flags = flags;
  utterance.rate = m_rate;
  utterance.queued_at = m_loop.now();
  m_utterances.push_back(utterance);
  if (m_streams < INT32_MAX) ++m_streams;
  if (text.empty()) {
    // Nothing to say: it ends where it starts.
    m_utterances.back().started_at = m_utterances.back().ended_at = m_loop.now();
    if (m_next == m_utterances.size() - 1) ++m_next;
  }
  if (m_current < 0) start_next();
  forget_spoken();
  return m_streams;
}

void RecordingSpeechEngine::forget_spoken() {
  // Everything before m_next has started; of that, only m_current may
  // still be speaking.
  while (m_utterances.size() > UtteranceCapacity && m_next > 0 && m_current != 0) {
    m_utterances.pop_front();
    --m_next;
    if (m_current > 0) --m_current;
  }
}

void RecordingSpeechEngine::start_next() {
  while (m_next < m_utterances.size() && m_utterances[m_next].ended_at >= 0) ++m_next;
  if (m_next >= m_utterances.size()) return;
  m_current = static_cast<int64_t>(m_next++);
  Utterance& now = m_utterances[static_cast<size_t>(m_current)];
  now.started_at = m_loop.now();
  m_finish.call_later(duration_of(now.text), [this] { finish_current(); });
}

void RecordingSpeechEngine::finish_current() {
  if (m_current >= 0) m_utterances[static_cast<size_t>(m_current)].ended_at = m_loop.now();
  m_current = -1;
  start_next();
}

const RecordingSpeechEngine::Utterance* RecordingSpeechEngine::speaking() const {
  return m_current < 0 ? nullptr : &m_utterances[static_cast<size_t>(m_current)];
}

std::shared_ptr<SpeechEngine> RecordingSpeechFactory::CreateObject(const std::string& progid) {
  if (!m_installed || strcasecmp(progid.c_str(), "sapi.spvoice") != 0) {
    throw RuntimeError("ActiveX component can't create object: " + progid);
  }
  m_engine = std::make_shared<RecordingSpeechEngine>(m_loop, m_trace);
  return m_engine;
}

}  // namespace prevod
