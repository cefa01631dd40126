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
  // 1.
  ResumeNext([&] { CheckCyrillic(s, text); });
  // 2. Nothing else happens, Rate included.
  if (!(s.CyrillicScore.number() > 0)) return;
  // 3. to 5. A CR LF break becomes two spaces.
  std::string spoken;
  ResumeNext([&] { spoken = text; });
  ResumeNext([&] { spoken = text::replace_all(spoken, "\r", " "); });
  ResumeNext([&] { spoken = text::replace_all(spoken, "\n", " "); });
  // 6. -0.3 in double precision; the engine takes the nearest whole number.
  ResumeNext([&] { engine(tts).set_Rate(47.0 / 10 - 5); });
  // 7.
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
