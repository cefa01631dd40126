// Page readiness: once the voice reader is ready, Timer0 works the home
// page's navigation bar, parks the browser out of sight, removes the start-up
// cover, centres the window and starts the warm-up.

#include "app/shared_state.h"
#include "base/runtime_error.h"
#include "base/trace.h"
#include "desktop/klik.h"
#include "model/runtime.h"
#include "platform/desktop.h"
#include "platform/screen.h"
#include "translation/form2.h"

namespace prevod {

namespace {

bool has_document(const WebBrowser& browser) {
  try {
    browser.Document();
    return true;
  } catch (const RuntimeError&) {
    return false;
  }
}

}  // namespace

void Form2::Timer0_Timer() {
  // 1. The timer stays enabled and tries again later.
  if (shared().VoiceReaderReady != 1) return;
  // The reveal waits until the home page can be queried: without a document
  // the timer stays enabled and looks again one interval later.
  if (!has_document(WebBrowser3)) {
    runtime().trace.line("translation home page not loaded yet; reveal postponed");
    return;
  }
  // 2.
  Timer0.set_Enabled(false);
  // 3. Compact height, before the window is centred.
  Picture7_Click();
  // 4.
  WebBrowser3.SetFocus();
  // 5.
  PageElements = WebBrowser3.Document()->getElementsByTagName("div");
  // 6. Every "gbar" div, in document order.
  for (int32_t i = 0; i <= PageElements->length() - 1; ++i) {
    if (PageElements->Item(i)->Id() == "gbar") {
      PageElements->Item(i)->focus();
      PageElements->Item(i)->Click();
    }
  }
  // 7. The keys reach the page after this handler returns.
  PressTab(user32());
  PressTab(user32());
  PressTab(user32());
  PressEnter(user32());
  // 8. Out of sight, still loaded and working.
  WebBrowser3.set_Left(-WebBrowser3.Width());
  // 9.
  image1.set_Visible(false);
  // 10.
  const Screen& screen = runtime().desktop.screen();
  set_Left(screen.Width() / 2 - Width() / 2);
  set_Top(screen.Height() / 2 - Height() / 2);
  // 11.
  Picture16.set_Visible(true);
  Picture10.set_Visible(true);
  // 12.
  Timer1.set_Enabled(true);
}

}  // namespace prevod
