// Voice language switching: short chains of one-shot timers move through the
// player's voice list with synthetic keystrokes, half a second apart, to
// English US or Russian; the start-up variant releases the translation
// window. Also the delayed reading for the read buttons and the reading
// interval setting.

#include "app/application.h"
#include "app/shared_state.h"
#include "desktop/bas_main.h"
#include "desktop/klik.h"
#include "translation/form2.h"
#include "voicereader/form1.h"

void Form1::EnglishSelection() {
  FocusPlayer(FocusFirst::Command5);
  PressTab(user32());
  PressShiftTab(user32());
  PressShiftTab(user32());
  Timer3.set_Enabled(true);
}

void Form1::RussianSelection() {
  FocusPlayer(FocusFirst::Command5);
  PressTab(user32());
  PressShiftTab(user32());
  PressShiftTab(user32());
  Timer4.set_Enabled(true);
}

void Form1::Command8_Click() {
  EnglishSelection();
}
void Form1::Label8_Click() {
  EnglishSelection();
}
void Form1::Picture10_Click() {
  EnglishSelection();
}
void Form1::Command2_Click() {
  RussianSelection();
}
void Form1::Label7_Click() {
  RussianSelection();
}
void Form1::Picture9_Click() {
  RussianSelection();
}

// StartupSelection.
void Form1::TimerEn_Timer() {
  TimerEn.set_Enabled(false);
  Command5.SetFocus();
  Command5_Click();
}

void Form1::Command5_Click() {
  m_startup_selection = true;
  FocusPlayer(FocusFirst::Nothing);
  PressShiftTab(user32());
  PressShiftTab(user32());
  PressShiftTab(user32());
  Timer2.set_Enabled(true);
}

void Form1::Timer3_Timer() {
  Timer3.set_Enabled(false);
  PickListFromTop(user32());
  PressEnter(user32());
  PressTab(user32());
  Timer2.set_Enabled(true);
}

// The completion step of the English and start-up selections.
void Form1::Timer2_Timer() {
  SharedState& s = shared();
  Timer2.set_Enabled(false);
  // 1.
  PickListFromTop(user32());
  PressEnter(user32());
  PressTab(user32());
  // 2.
  s.VoiceReaderReady = 1;
  // 3. The count stops at the top of its range.
  if (EnglishSelectCount < INT16_MAX) ++EnglishSelectCount;
  // The start-up selection leaves the player's voice as the fresh markup
  // set it (English UK); only the full English selection that follows
  // reaches English US. At start that is the first completion; after a
  // restart of the player it is the start-up selection's completion again,
  // so that the restart, meant for a player showing another language than
  // English US, ends in English US as the flag records.
  const bool after_startup_selection = m_startup_selection;
  m_startup_selection = false;
  if (EnglishSelectCount == 1 || after_startup_selection) Timer11.set_Enabled(true);
  if (EnglishSelectCount == 2) form2().Timer0.set_Enabled(true);
  // 4.
  s.EnglishVoiceActive = 1;
}

void Form1::Timer4_Timer() {
  Timer4.set_Enabled(false);
  PickListFromTop(user32());
  PressEnter(user32());
  PressTab(user32());
  Timer5.set_Enabled(true);
}

void Form1::Timer5_Timer() {
  Timer5.set_Enabled(false);
  PickListFromBottom(user32());
  PressEnter(user32());
  PressTab(user32());
  shared().EnglishVoiceActive = 0;
}

void Form1::Timer11_Timer() {
  Timer11.set_Enabled(false);
  Picture10_Click();
}

// Switches the player to the other language.
void Form1::Timer8_Timer() {
  Timer8.set_Enabled(false);
  if (shared().EnglishVoiceActive == 1) {
    Command2_Click();
  } else {
    Command8_Click();
  }
}

// Speaks the clipboard text after a delay.
void Form1::Timer6_Timer() {
  Timer6.set_Interval(100);
  Timer6.set_Enabled(false);
  Picture1_Click();
}

void Form1::VScroll1_Change() {
  Text6.set_Text(std::to_string(VScroll1.Value()));
}
