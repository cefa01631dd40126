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
  // 1.
  Text1ClickSeen = 0;
  // 2. From here on, errors are skipped.
  // 3. Our own clipboard write below is not a new text for the watcher.
  IgnoreClipboardOnce = 1;
  // 4.
  ResumeNext([&] { Text1.SetFocus(); });
  // 5.
  ResumeNext([&] { clipboard().Clear(); });
  // 6.
  ResumeNext([&] { clipboard().SetText(Text4.Text()); });
  // 7.
  ResumeNext([&] { CheckCyrillic(s, Text4.Text()); });
  // 8.
  const std::string ChosenLanguage = Option1.Value() ? "bg" : "ru";
  const std::string& base = runtime().config.TranslationBase;
  if (s.CyrillicScore.number() > 0) {
    // 9.
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
    // 10.
    std::string address;
    ResumeNext(
        [&] { address = base + "/?hl=bg&tab=wT#en|" + ChosenLanguage + "|" + Text4.Text(); });
    ResumeNext([&] { WebBrowser3.Navigate(address); });
    ResumeNext([&] {
      if (Check2.Value() == 1) Timer4.set_Enabled(true);
    });
  }
  // 11. and 12. Timer2 is enabled once Busy reads False. The one read
  // belongs to the latest request and comes two seconds after it: a read
  // still pending for an earlier request would find the page before this
  // request's result is in it, and no read would follow for this one.
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
