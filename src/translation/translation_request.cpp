// The translation request: Prevedi builds the page address from the source
// text in Text4 and starts the request; the translate button and the
// language options submit Text1 again.

#include "app/shared_state.h"
#include "base/event_loop.h"
#include "base/resume_next.h"
#include "base/trace.h"
#include "model/config.h"
#include "model/runtime.h"
#include "platform/clipboard.h"
#include "translation/form2.h"
#include "translation/module_proverka.h"

namespace prevod {

void Form2::Prevedi() {
  SharedState& s = shared();
  // The next click into Text1 selects all of it, so that typing replaces
  // the text being submitted.
  Text1ClickSeen = 0;
  // From here on a failing step is skipped: a clipboard held by another
  // program, a failed navigation or a missing speech engine does not stop
  // the request.
  //
  // Our own clipboard write below is not a new text for the watcher, which
  // would otherwise submit it a second time.
  IgnoreClipboardOnce = 1;
  // The keyboard goes back to the input box for the next text.
  ResumeNext([&] { Text1.SetFocus(); });
  // The source goes on the clipboard, from where the voice reader reads an
  // English source (Timer4).
  ResumeNext([&] { clipboard().Clear(); });
  ResumeNext([&] { clipboard().SetText(Text4.Text()); });
  // The script decides the direction: a Cyrillic text is translated into
  // English, any other from English. The language option is thus the source
  // language of a Cyrillic text and the target language of an English one.
  ResumeNext([&] { CheckCyrillic(s, Text4.Text()); });
  const std::string ChosenLanguage = Option1.Value() ? "bg" : "ru";
  const std::string& base = runtime().config.TranslationBase;
  if (s.CyrillicScore.number() > 0) {
    // A Cyrillic source, translated into English. It is spoken at once by
    // the local engine, but only when it is taken as Bulgarian.
    std::string address;
    ResumeNext(
        [&] { address = base + "/?hl=bg&tab=wT#" + ChosenLanguage + "|en|" + Text4.Text(); });
    ResumeNext([&] { WebBrowser3.Navigate(address); });
    ResumeNext([&] {
      if (Check3.Value() == 1 && Option1.Value()) CheteneBulgar1();
    });
    // The source reading follows this request's direction: an English
    // reading armed by an earlier request (the translate button's
    // three-space submission arms one) would read this Cyrillic source
    // through the English voice.
    Timer4.set_Enabled(false);
  } else {
    // An English source, translated into the chosen language. The voice
    // reader reads it 300 ms later, from the clipboard filled above.
    std::string address;
    ResumeNext(
        [&] { address = base + "/?hl=bg&tab=wT#en|" + ChosenLanguage + "|" + Text4.Text(); });
    ResumeNext([&] { WebBrowser3.Navigate(address); });
    ResumeNext([&] {
      if (Check2.Value() == 1) Timer4.set_Enabled(true);
    });
  }
  // The result is read two seconds after the browser has taken the
  // request: Timer2 is enabled only once Busy reads False. The one read
  // belongs to the latest request: a read still pending for an earlier
  // request would find the page before this request's result is in it, and
  // no read would follow for this one. A new request replaces the wait of
  // the one before.
  if (m_navigation_wait != 0) cancel_deferred(m_navigation_wait);
  m_navigation_wait = 0;
  Timer2.set_Enabled(false);
  await_navigation(runtime().loop.now() + NavigationWaitLimitMs);
}

// Waits for the browser without holding the window thread: Busy is read now
// and then every few milliseconds on the loop. A navigation that never
// finishes is given up after NavigationWaitLimitMs; that request then reads
// no result, as when the page does not answer.
void Form2::await_navigation(int64_t deadline) {
  m_navigation_wait = 0;
  bool busy = false;
  ResumeNext([&] { busy = WebBrowser3.Busy(); });
  if (!busy) {
    ResumeNext([&] { Timer2.set_Enabled(true); });
    return;
  }
  if (runtime().loop.now() >= deadline) {
    runtime().trace.line("translation page did not finish loading; request given up");
    return;
  }
  m_navigation_wait =
      call_later(NavigationPollMs, [this, deadline] { await_navigation(deadline); });
}

void Form2::Label10_Click() {
  Text4.set_Text("");
  Text4.set_Text(Text1.Text());
}

void Form2::Picture16_Click() {
  Label10_Click();
}

void Form2::Option1_Click() {
  Label10_Click();
}

void Form2::Option2_Click() {
  if (Option2.Value() && Check3.Value() == 1) Label16_Click();
  Text4.set_Text("");
  Text4.set_Text(Text1.Text());
}

}  // namespace prevod
