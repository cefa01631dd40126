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
  // 1.
  FocusPlayer(FocusFirst::Command5AndBrowser);
  // 2. Back to the player's text field.
  PressShiftTab(keys);
  PressShiftTab(keys);
  PressShiftTab(keys);
  // 3. Empty it.
  PressCtrlA(keys);
  PressDelete(keys);
  // 4.
  shared().SavedClipboardText = clipboard().GetText();
  // 5.
  PressCtrlV(keys);
  // 6. Voice list, Stop, Speak.
  PressTab(keys);
  PressEnter(keys);
  PressTab(keys);
  PressTab(keys);
  PressEnter(keys);
  // 7.
  SpeakText = clipboard().GetText();
  // 8.
  Timer1.set_Enabled(true);
}

// SpeakCheck.
void Form1::Timer1_Timer() {
  User32& keys = user32();
  // 1.
  Timer1.set_Enabled(false);
  // A language chain that waited for the check starts once the check is
  // done, unless it runs the sequence again and stays pending.
  NextChainTurn next_turn(*this);
  // 2.
  FocusPlayer(FocusFirst::Command5);
  // 3.
  PressTab(keys);
  PressShiftTab(keys);
  PressShiftTab(keys);
  PressCtrlC(keys);
  // 4. Before the copy above takes effect.
  PlayerText = clipboard().GetText();
  // 5.
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
  // 1.
  f2.Text1.set_Text("End ");
  f2.Text4.set_Text("End ");
  f2.Text3.set_Text(" ");
  // 2.
  f2.Timer8.set_Enabled(false);
  f2.Timer9.set_Enabled(false);
  f2.Timer8.set_Interval(100);
  f2.Timer9.set_Interval(100);
  // 3. Speech calls are always made with errors skipped.
  ResumeNext([&] {
    if (!f2.tts) throw RuntimeError("Object variable not set: no speech engine");
    f2.tts->Speak("", SVSFPurgeBeforeSpeak);
  });
}

}  // namespace prevod
