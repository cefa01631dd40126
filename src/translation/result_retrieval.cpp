// Result retrieval: two seconds after a request Timer2 reads the page's
// "result_box" into Text3 and plans what is spoken after it and when. What
// is spoken, copied for the reader or checked for Cyrillic is the
// translation alone, without the marker naming its dictionary forms.

#include "app/shared_state.h"
#include "base/headword_marker.h"
#include "base/resume_next.h"
#include "base/runtime_error.h"
#include "base/text.h"
#include "platform/clipboard.h"
#include "translation/form2.h"
#include "translation/module_proverka.h"
#include "voicereader/form1.h"

namespace prevod {

namespace {

// 1500 + (Len(Text4) - 10) * v, with v the reading interval of the speech
// window: always a whole number, as its box takes digits only.
double SpeechDelay(const RichTextBox& Text4, double v) {
  return 1500 + (static_cast<double>(text::length(Text4.Text())) - 10) * v;
}

}  // namespace

void Form2::Timer2_Timer() {
  SharedState& s = shared();
  // The first result ends the start-up: the progress bar stops for good.
  ResumeNext([&] { Timer10.set_Enabled(false); });
  ResumeNext([&] { Text1.set_Visible(true); });
  // One read per request.
  ResumeNext([&] { Timer2.set_Enabled(false); });
  ResumeNext([&] { Procedura(); });
  // The result box shows from the first read on, even when that read found
  // nothing.
  ResumeNext([&] { Text3.set_Visible(true); });
  double delay = 0;
  ResumeNext([&] { delay = SpeechDelay(Text4, form1().ReadingInterval); });
  // Each language is spoken after 100 ms, or, when the other one is heard
  // too, after a delay that leaves room for the source to be read first.
  // The three cases are tested one after the other, each on its own.
  //
  // A Bulgarian result, by the local engine. The direction is not looked
  // at: an English result of a Bulgarian source comes here too, and the
  // engine stays silent for want of Cyrillic.
  if (Check3.Value() == 1 && Option1.Value()) {
    ResumeNext([&] { Timer8.set_Interval(Check2.Value() == 0 ? 100 : delay); });
    ResumeNext([&] { Timer8.set_Enabled(true); });
  }
  // An English result, by the voice reader.
  if (Check2.Value() == 1) {
    ResumeNext([&] { CheckCyrillic(s, headword_marker::translation_part(Text3.Text())); });
    if (s.CyrillicScore.number() == 0) {
      ResumeNext([&] { Timer9.set_Interval(Check3.Value() == 0 ? 100 : delay); });
      ResumeNext([&] { Timer9.set_Enabled(true); });
      m_result_to_read = Text3.Text();
    }
  }
  // A Russian result, by the voice reader.
  if (Option2.Value() && Check3.Value() == 1) {
    ResumeNext([&] { CheckCyrillic(s, headword_marker::translation_part(Text3.Text())); });
    if (s.CyrillicScore.number() > 0) {
      ResumeNext([&] { Timer9.set_Interval(Check2.Value() == 0 ? 100 : delay); });
      ResumeNext([&] { Timer9.set_Enabled(true); });
      m_result_to_read = Text3.Text();
    }
  }
}

void Form2::Procedura() {
  ResumeNext([&] { WebBrowser3.SetFocus(); });
  ResumeNext([&] { PageElements = WebBrowser3.Document()->getElementsByTagName("SPAN"); });
  if (!PageElements) return;
  int32_t n = 0;
  ResumeNext([&] { n = PageElements->length(); });
  // The loop does not stop at a match: the last "result_box" wins. Without
  // one, Text3 keeps what it held.
  for (int32_t i = 0; i <= n - 1; ++i) {
    ResumeNext([&] {
      if (PageElements->Item(i)->Id() == "result_box")
        Text3.set_Text(PageElements->Item(i)->InnerText());
    });
  }
}

void Form2::Timer8_Timer() {
  Timer8.set_Enabled(false);
  CheteneBulgar2();
}

void Form2::Timer9_Timer() {
  Timer9.set_Enabled(false);
  // A result replaced since this reading was planned for it (an Enter
  // empties the box, a later request's result fills it) is no longer there
  // to be read: putting the box on the clipboard now would empty it, or
  // read another result than the one planned, in the wrong voice.
  if (Text3.Text() != m_result_to_read) return;
  // The clipboard write below is not a new text for the watcher.
  const int16_t ignore_before = IgnoreClipboardOnce;
  IgnoreClipboardOnce = 1;
  // The focus only serves the keyboard; a hidden window cannot take it
  // and the reading goes on all the same.
  ResumeNext([&] { Text3.SetFocus(); });
  // The reader reads the clipboard, so the result goes there first. A
  // clipboard held by another program stops the handler here: the
  // result is not read, which is all that can be done without it. Nothing of
  // ours went onto the clipboard then, so the watcher is not told to skip
  // its next text: that may be one the user copies meanwhile. The reader
  // gets the translation without the marker of its dictionary forms.
  try {
    clipboard().Clear();
    clipboard().SetText(headword_marker::translation_part(Text3.Text()));
  } catch (const RuntimeError&) {
    IgnoreClipboardOnce = ignore_before;
    throw;
  }
  // The reader first switches to the result's language when it must.
  Command7_Click();
}

}  // namespace prevod
