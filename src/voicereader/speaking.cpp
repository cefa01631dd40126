// Speaking through the page: the text travels through the clipboard into
// the player's text field, and the player's buttons are worked with
// synthetic keystrokes. A check afterwards copies the field back and runs
// the sequence once more when the field still held the requested text.

#include "app/prevod.h"
#include "app/shared_state.h"
#include "base/resume_next.h"
#include "desktop/klik.h"
#include "platform/clipboard.h"
#include "platform/speech_engine.h"
#include "translation/form2.h"
#include "voicereader/form1.h"
#include "voicereader/step.h"

namespace prevod {

void Form1::FocusPlayer(FocusFirst first, bool resume_next) {
  if (first == FocusFirst::Command5 || first == FocusFirst::Command5AndBrowser) {
    step(resume_next, [&] { Command5.SetFocus(); });
  }
  if (first == FocusFirst::Browser || first == FocusFirst::Command5AndBrowser) {
    step(resume_next, [&] { WebBrowser1.SetFocus(); });
  }
  step(resume_next, [&] { PageElements = WebBrowser1.Document()->getElementsByTagName("OBJECT"); });
  int32_t n = 0;
  step(resume_next, [&] { n = PageElements->length(); });
  for (ElementIndex = 0; ElementIndex <= n - 1 && ElementIndex < INT16_MAX; ++ElementIndex) {
    step(resume_next, [&] {
      if (PageElements->Item(ElementIndex)->Id() == "vr_demo") {
        PageElements->Item(ElementIndex)->focus();
        PageElements->Item(ElementIndex)->Click();
      }
    });
  }
}

// SpeakSequence. The clipboard reads see the clipboard as it stands before
// this handler's own keystrokes take effect.
void Form1::Command6_Click() {
  User32& keys = user32();
  // The focus button makes this window the active one, even off-screen or
  // behind the translation window, so that the keys below reach the page;
  // focusing and clicking the player puts its own focus on its text field.
  FocusPlayer(FocusFirst::Command5AndBrowser);
  // Shift+Tab stops at the text field, the player's first control, so three
  // of them land there from wherever the player's focus was.
  PressShiftTab(keys);
  PressShiftTab(keys);
  PressShiftTab(keys);
  // Empty it.
  PressCtrlA(keys);
  PressDelete(keys);
  // The repeat button speaks this text again. None of the keys above has
  // taken effect yet, so this is the clipboard as the request left it.
  shared().SavedClipboardText = clipboard().GetText();
  PressCtrlV(keys);
  // Tab to the voice list, where Enter re-applies the current voice; two
  // Tabs on to the Speak button, where Enter speaks the field. Stop is never
  // pressed.
  PressTab(keys);
  PressEnter(keys);
  PressTab(keys);
  PressTab(keys);
  PressEnter(keys);
  // What the check compares the field with: still the requested text, for
  // the paste has not happened yet.
  SpeakText = clipboard().GetText();
  // The check follows once these keys have reached the player.
  Timer1.set_Enabled(true);
}

// SpeakCheck.
void Form1::Timer1_Timer() {
  User32& keys = user32();
  Timer1.set_Enabled(false);
  // A language chain that waited for the check starts once the check is
  // done, unless it runs the sequence again and stays pending.
  NextChainTurn next_turn(*this);
  // The player's focus goes to the text field, then to the voice list and
  // back: regaining the focus selects all of the field, and Ctrl+C copies
  // the whole of it.
  FocusPlayer(FocusFirst::Command5);
  PressTab(keys);
  PressShiftTab(keys);
  PressShiftTab(keys);
  PressCtrlC(keys);
  // The copy takes effect only after this handler returns, so this reads
  // the clipboard as it stood before it: on the first check of a request,
  // still the requested text.
  PlayerText = clipboard().GetText();
  // Equal texts run the sequence once more, at most once in a row. The
  // first check of a request normally finds them equal, and the repeat then
  // pastes what that check copied out of the field.
  if (PlayerText == SpeakText) {
    ++SpeakRetryCount;
    if (SpeakRetryCount == 1) {
      Command6_Click();
    } else {
      SpeakRetryCount = 0;
    }
  }
}

void Form1::Picture1_Click() {
  Command6_Click();
}

// Repeat: the last requested text goes back on the clipboard and is spoken.
void Form1::image1_Click() {
  clipboard().Clear();
  clipboard().SetText(shared().SavedClipboardText);
  Command6_Click();
}

// Stop: the translation window's boxes and pending readings, and the local
// speech engine. A reading already sent to the player goes on.
void Form1::Image2_Click() {
  Form2& f2 = form2();
  // The boxes let go of the text being read; "End " in Text4 is submitted
  // like any other text.
  f2.Text1.set_Text("End ");
  f2.Text4.set_Text("End ");
  f2.Text3.set_Text(" ");
  // Readings of a result that are planned but not yet started are dropped.
  f2.Timer8.set_Enabled(false);
  f2.Timer9.set_Enabled(false);
  f2.Timer8.set_Interval(100);
  f2.Timer9.set_Interval(100);
  // The purge stops what the local engine says and drops all it has
  // queued. Speech calls are always made with errors skipped.
  ResumeNext([&] {
    if (!f2.tts) throw RuntimeError("Object variable not set: no speech engine");
    f2.tts->Speak("", SVSFPurgeBeforeSpeak);
  });
}

}  // namespace prevod
