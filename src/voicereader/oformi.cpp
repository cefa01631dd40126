// Page reshaping: Oformi turns the loaded voice reader page into a bare
// player. It empties every div but the second, writes a fresh copy of the
// player's markup into that one, hides links and lists, collapses tables,
// reveals the speak button, focuses the player and arms the first language
// selection.

#include <functional>
#include <limits>

#include "base/resume_next.h"
#include "desktop/klik.h"
#include "voicereader/form1.h"
#include "voicereader/step.h"

namespace prevod {

namespace {

// The walk's 16-bit index limits it to this many elements.
constexpr int32_t MaxWalk = std::numeric_limits<int16_t>::max();

}  // namespace

// NOTE: the steps before the resume-next policy have no handling of their
// own. On a page that never loaded (no document) the run stops at the div
// fetch, before the page is touched: nothing is reshaped, no selection is
// armed, and the speak button keeps whatever visibility it had (a restart
// has just hidden it, which is right, for there is no player to speak
// with). The event loop reports the stop in the trace.
void Form1::Oformi() {
  bool resume_next = false;
  // 1.
  WebBrowser1.set_Left(0);
  // 2.
  WebBrowser1.SetFocus();
  // 3. Walk "div".
  PageElements = WebBrowser1.Document()->getElementsByTagName("div");
  int32_t count = std::min(PageElements->length(), MaxWalk);
  auto element = [this] { return PageElements->Item(ElementIndex); };
  for (ElementIndex = 0; ElementIndex <= count - 1; ++ElementIndex) {
    if (ElementIndex == 0) step(resume_next, [&] { element()->set_innerhtml(""); });
    if (ElementIndex == 1) {
      step(resume_next, [&] { element()->Style().set("POSITION", "absolute"); });
      step(resume_next, [&] { element()->Style().set("Top", "-50Px"); });
      step(resume_next, [&] { element()->Style().set("Left", "-35Px"); });
      step(resume_next, [&] { element()->set_innerhtml(""); });
      step(resume_next, [&] { element()->set_innerhtml(Text1.Text()); });
    }
    // From here on, failing steps are skipped.
    resume_next = true;
    if (ElementIndex >= 2) step(resume_next, [&] { element()->set_innerhtml(""); });
    step(resume_next, [&] { element()->Style().set("Width", "2Px"); });
    if (ElementIndex == MaxWalk - 1) break;
  }
  // 4.
  step(resume_next, [&] { Picture1.set_Visible(true); });
  step(resume_next, [&] { Picture2.set_Visible(true); });
  // 5. to 9. The other walks.
  auto walk = [&](const char* tag, const std::function<void(int16_t)>& writes,
                  bool policy_each_pass) {
    step(resume_next, [&] { PageElements = WebBrowser1.Document()->getElementsByTagName(tag); });
    int32_t n = 0;
    step(resume_next, [&] { n = std::min(PageElements->length(), MaxWalk); });
    for (ElementIndex = 0; ElementIndex <= n - 1; ++ElementIndex) {
      if (policy_each_pass) resume_next = true;
      writes(ElementIndex);
      if (ElementIndex == MaxWalk - 1) break;
    }
  };
  auto style = [&](const char* member, const char* value) {
    step(resume_next, [&] { element()->Style().set(member, value); });
  };
  walk(
      "a", [&](int16_t) { style("display", "none"); }, false);
  walk(
      "select", [&](int16_t) { style("display", "none"); }, false);
  walk(
      "TABLE",
      [&](int16_t index) {
        style("Width", "0Px");
        style("Height", "0Px");
        if (index == 1) style("display", "none");
      },
      false);
  walk(
      "td",
      [&](int16_t) {
        style("Height", "0Px");
        style("Width", "0Px");
      },
      false);
  walk(
      "tr",
      [&](int16_t) {
        style("Height", "0Px");
        style("Width", "0Px");
      },
      true);
  // 10.
  step(resume_next, [&] { WebBrowser1.SetFocus(); });
  // 11.
  FocusPlayer(FocusFirst::Nothing, resume_next);
  // 12.
  step(resume_next, [&] { PressTab(user32()); });
  // 13.
  step(resume_next, [&] { TimerEn.set_Enabled(true); });
}

}  // namespace prevod
