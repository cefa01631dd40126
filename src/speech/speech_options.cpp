// The speech options (speak the English phrase, speak the Bulgarian phrase),
// the read buttons that hand text to the speech window, and the two click
// areas of the top strip.

#include "app/shared_state.h"
#include "base/headword_marker.h"
#include "translation/form2.h"
#include "translation/module_proverka.h"
#include "voicereader/form1.h"

namespace prevod {

void Form2::wire_speech() {
  Picture23.on_click = [this] { Picture23_Click(); };
  Label13.on_click = [this] { Label13_Click(); };
  Picture18.on_click = [this] { Picture18_Click(); };
  Label14.on_click = [this] { Label14_Click(); };
  Picture22.on_click = [this] { Picture22_Click(); };
  Label15.on_click = [this] { Label15_Click(); };
  Picture19.on_click = [this] { Picture19_Click(); };
  Label16.on_click = [this] { Label16_Click(); };
  Command1.on_click = [this] { Command1_Click(); };
  Command7.on_click = [this] { Command7_Click(); };
  Label100.on_click = [this] { Label100_Click(); };
  Picture11.on_click = [this] { Picture11_Click(); };
  Label18.on_click = [this] { Label18_Click(); };
  Picture20.on_click = [this] { Picture20_Click(); };
}

void Form2::Picture23_Click() {
  Picture18.set_Visible(true);
  Picture23.set_Visible(false);
  Check2.set_Value(1);
}

void Form2::Label13_Click() {
  Picture23_Click();
}

void Form2::Picture18_Click() {
  Picture18.set_Visible(false);
  Picture23.set_Visible(true);
  Check2.set_Value(0);
}

void Form2::Label14_Click() {
  Picture18_Click();
}

void Form2::Picture22_Click() {
  Picture19.set_Visible(true);
  Picture22.set_Visible(false);
  Check3.set_Value(1);
}

void Form2::Label15_Click() {
  Picture22_Click();
}

void Form2::Picture19_Click() {
  Picture19.set_Visible(false);
  Picture22.set_Visible(true);
  Check3.set_Value(0);
}

void Form2::Label16_Click() {
  Picture19_Click();
}

void Form2::Command1_Click() {
  form1().Timer6.set_Enabled(true);
}

void Form2::Command7_Click() {
  SharedState& s = shared();
  // The reader must speak in the language of the result's script. What it
  // reads is the clipboard, where Timer9 has just put the result.
  CheckCyrillic(s, headword_marker::translation_part(Text3.Text()));
  double score = s.CyrillicScore.number();
  // Cyrillic text while the reader is English: Timer8 switches it, and the
  // reading waits 2000 ms instead of 100, time for the switching chain
  // (100 + 500 + 500 ms) to send its last keys before the text is pasted.
  if (score > 0 && s.EnglishVoiceActive == 1) {
    form1().Timer8.set_Enabled(true);
    form1().Timer6.set_Interval(2000);
  }
  // Latin text while the reader is Russian: the same switch and wait.
  if (score == 0 && s.EnglishVoiceActive == 0) {
    form1().Timer8.set_Enabled(true);
    form1().Timer6.set_Interval(2000);
  }
  // A reading already pending keeps its schedule; only the longer interval
  // set above restarts its count.
  form1().Timer6.set_Enabled(true);
}

void Form2::Label100_Click() {
  shared().Form1Collapsed = 0;
  form1().set_Width(10600);
  Picture2.set_Visible(true);
}

void Form2::Picture11_Click() {
  // Only the tray icon brings the windows back: without one, hiding them
  // would leave the program running with no way to reach it.
  if (!m_tray_icon_added) return;
  Hide();
  form1().set_Left(-form1().Width());
}

}  // namespace prevod
