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
  // The window is revealed only once the voice reader has been set up;
  // until then the timer stays enabled.
  if (shared().VoiceReaderReady != 1) return;
  // The reveal waits until the home page can be queried: without a document
  // the timer stays enabled and looks again one interval later.
  if (!has_document(WebBrowser3)) {
    runtime().trace.line("translation home page not loaded yet; reveal postponed");
    return;
  }
  Timer0.set_Enabled(false);
  // The compact height comes first, for the window is centred below with
  // the height it keeps.
  Picture7_Click();
  // The keys below go to the page from its navigation bar: the browser
  // takes the keyboard, and every "gbar" div, in document order, is focused
  // and clicked.
  WebBrowser3.SetFocus();
  PageElements = WebBrowser3.Document()->getElementsByTagName("div");
  for (int32_t i = 0; i <= PageElements->length() - 1; ++i) {
    if (PageElements->Item(i)->Id() == "gbar") {
      PageElements->Item(i)->focus();
      PageElements->Item(i)->Click();
    }
  }
  // Three Tabs from the bar and Enter follow a link to the page that takes
  // the translation addresses. The keys reach the page only after this
  // handler returns.
  PressTab(user32());
  PressTab(user32());
  PressTab(user32());
  PressEnter(user32());
  // Out of sight but still loaded: requests navigate it and Procedura
  // reads it there.
  WebBrowser3.set_Left(-WebBrowser3.Width());
  // The start-up cover and its progress bar go.
  image1.set_Visible(false);
  const Screen& screen = runtime().desktop.screen();
  set_Left(screen.Width() / 2 - Width() / 2);
  set_Top(screen.Height() / 2 - Height() / 2);
  // The translate and settings buttons appear only now that a request can
  // be made.
  Picture16.set_Visible(true);
  Picture10.set_Visible(true);
  // The warm-up translation follows three seconds later.
  Timer1.set_Enabled(true);
}

}  // namespace prevod
