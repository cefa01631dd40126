// Local speech: Cyrillic text in Text4 (the phrase) or Text3 (the
// translation) is spoken by the speech engine, asynchronously, at the
// normal rate.

#include "app/shared_state.h"
#include "base/headword_marker.h"
#include "base/resume_next.h"
#include "base/runtime_error.h"
#include "base/text.h"
#include "translation/form2.h"
#include "translation/module_proverka.h"

namespace prevod {

namespace {

SpeechEngine& engine(const std::shared_ptr<SpeechEngine>& tts) {
  if (!tts) throw RuntimeError("Object variable not set: no speech engine");
  return *tts;
}

}  // namespace

void Form2::speak_box(const std::string& text) {
  SharedState& s = shared();
  // Only text with a Cyrillic letter is for this engine. Timer8 speaks the
  // result whatever the direction, so an English result comes this way too
  // and must stay silent; the engine's rate is then left as it was.
  ResumeNext([&] { CheckCyrillic(s, text); });
  if (!(s.CyrillicScore.number() > 0)) return;
  // Line breaks are read as spaces, the lines as one phrase; a CR LF break
  // becomes two spaces.
  std::string spoken;
  ResumeNext([&] { spoken = text; });
  ResumeNext([&] { spoken = text::replace_all(spoken, "\r", " "); });
  ResumeNext([&] { spoken = text::replace_all(spoken, "\n", " "); });
  // Every reading resets the engine to its normal speed: -0.3, in double
  // precision, reaches the engine's whole-number rate as 0.
  ResumeNext([&] { engine(tts).set_Rate(47.0 / 10 - 5); });
  // Asynchronous and without a purge: the engine speaks in the background
  // and a new text queues behind one still being spoken. Only the speech
  // window's stop button empties the queue.
  ResumeNext([&] { engine(tts).Speak(spoken, SVSFlagsAsync); });
}

void Form2::CheteneBulgar1() {
  speak_box(Text4.Text());
}

// The translation is spoken without the marker naming its dictionary forms.
void Form2::CheteneBulgar2() {
  speak_box(headword_marker::translation_part(Text3.Text()));
}

}  // namespace prevod
