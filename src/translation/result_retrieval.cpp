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
  // 1. The start-up progress bar stops for good.
  ResumeNext([&] { Timer10.set_Enabled(false); });
  // 2.
  ResumeNext([&] { Text1.set_Visible(true); });
  // 3. One read per request.
  ResumeNext([&] { Timer2.set_Enabled(false); });
  // 4.
  ResumeNext([&] { Procedura(); });
  // 5.
  ResumeNext([&] { Text3.set_Visible(true); });
  double delay = 0;
  ResumeNext([&] { delay = SpeechDelay(Text4, form1().ReadingInterval); });
  // 6. Bulgarian result.
  if (Check3.Value() == 1 && Option1.Value()) {
    ResumeNext([&] { Timer8.set_Interval(Check2.Value() == 0 ? 100 : delay); });
    ResumeNext([&] { Timer8.set_Enabled(true); });
  }
  // 7. English result.
  if (Check2.Value() == 1) {
    ResumeNext([&] { CheckCyrillic(s, headword_marker::translation_part(Text3.Text())); });
    if (s.CyrillicScore.number() == 0) {
      ResumeNext([&] { Timer9.set_Interval(Check3.Value() == 0 ? 100 : delay); });
      ResumeNext([&] { Timer9.set_Enabled(true); });
      m_result_to_read = Text3.Text();
    }
  }
  // 8. Russian result.
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
  // 1.
  ResumeNext([&] { WebBrowser3.SetFocus(); });
  // 2.
  ResumeNext([&] { PageElements = WebBrowser3.Document()->getElementsByTagName("SPAN"); });
  if (!PageElements) return;
  // 3.
  int32_t n = 0;
  ResumeNext([&] { n = PageElements->length(); });
  // 4. The loop does not stop at a match: the last "result_box" wins.
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
  // 1.
  Timer9.set_Enabled(false);
  // A result replaced since this reading was planned for it (an Enter
  // empties the box, a later request's result fills it) is no longer there
  // to be read: putting the box on the clipboard now would empty it, or
  // read another result than the one planned, in the wrong voice.
  if (Text3.Text() != m_result_to_read) return;
  // 2. The clipboard write below is not a new text for the watcher.
  const int16_t ignore_before = IgnoreClipboardOnce;
  IgnoreClipboardOnce = 1;
  // 3. The focus only serves the keyboard; a hidden window cannot take it
  // and the reading goes on all the same.
  ResumeNext([&] { Text3.SetFocus(); });
  // 4. A clipboard held by another program stops the handler here: the
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
  // 5.
  Command7_Click();
}

}  // namespace prevod
