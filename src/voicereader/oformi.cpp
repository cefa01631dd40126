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
  WebBrowser1.set_Left(0);
  WebBrowser1.SetFocus();
  // Every div but the second is emptied. The second is placed absolutely,
  // 35 pixels left of and 50 above the page's corner, and takes a fresh copy
  // of the player; on a page already reshaped, the new copy replaces the
  // player an earlier run wrote. Every div is made 2 pixels wide.
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
  // The speak button and the strip with the note on the player's limit
  // appear once there is a player to speak with.
  step(resume_next, [&] { Picture1.set_Visible(true); });
  step(resume_next, [&] { Picture2.set_Visible(true); });
  // Links and drop-down lists are hidden and tables collapsed to nothing,
  // so that the player is all the page shows. The walk over "tr" switches
  // the skipping on itself, for on a page without a div it is still off.
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
  // The new player takes the keyboard: focusing and clicking it puts its
  // own focus on its text field, and the Tab moves on to the voice list,
  // which changes nothing in the player.
  step(resume_next, [&] { WebBrowser1.SetFocus(); });
  FocusPlayer(FocusFirst::Nothing, resume_next);
  step(resume_next, [&] { PressTab(user32()); });
  // The start-up selection follows 1500 ms later, giving the new player
  // time to come up.
  step(resume_next, [&] { TimerEn.set_Enabled(true); });
}

}  // namespace prevod
