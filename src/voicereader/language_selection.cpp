// Voice language switching: short chains of one-shot timers move through the
// player's voice list with synthetic keystrokes, half a second apart, to
// English US or Russian; the start-up variant releases the translation
// window. Also the delayed reading for the read buttons and the reading
// interval setting.
//
// The chains work the player one at a time. Two chains whose steps
// interleave, or a chain whose steps land between a speak sequence and its
// check, press the player's buttons where another chain left its focus: the
// player speaks by itself and ends in another voice than the flag records.
// So a chain asked for while the player is busy waits in a queue and starts
// once the chain before it (or the speak check) is done; a reading asked
// for while a chain runs waits for it likewise. When chains do not overlap,
// which is the normal case, every step keeps its time.

#include <memory>

#include "app/prevod.h"
#include "app/shared_state.h"
#include "base/event_loop.h"
#include "desktop/bas_main.h"
#include "desktop/klik.h"
#include "model/runtime.h"
#include "translation/form2.h"
#include "voicereader/form1.h"

namespace prevod {

void Form1::EnglishSelection() {
  start_chain(Chain::English);
}
void Form1::RussianSelection() {
  start_chain(Chain::Russian);
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

bool Form1::chain_running() const {
  return TimerEn.Enabled() || Timer3.Enabled() || Timer2.Enabled() || Timer4.Enabled() ||
         Timer5.Enabled() || Timer11.Enabled();
}

Form1::Chain Form1::heading() const {
  // The start-up selection ends in an English selection.
  auto language = [](Chain chain) {
    return chain == Chain::Russian ? Chain::Russian : Chain::English;
  };
  if (!m_queued_chains.empty()) return language(m_queued_chains.back());
  if (Timer4.Enabled() || Timer5.Enabled()) return Chain::Russian;
  if (chain_running()) return Chain::English;
  return shared().EnglishVoiceActive == 1 ? Chain::English : Chain::Russian;
}

void Form1::start_chain(Chain chain) {
  // A speak check pending (Timer1) also keeps the player busy.
  if (chain_running() || Timer1.Enabled()) {
    // A later language choice supersedes a waiting one; a waiting start-up
    // selection stays, for the translation window waits on it.
    if (chain != Chain::Startup && !m_queued_chains.empty() &&
        m_queued_chains.back() != Chain::Startup) {
      m_queued_chains.pop_back();
    }
    m_queued_chains.push_back(chain);
    return;
  }
  run_chain(chain);
}

// The first step of a chain.
void Form1::run_chain(Chain chain) {
  if (chain == Chain::Startup) {
    FocusPlayer(FocusFirst::Nothing);
    PressShiftTab(user32());
    PressShiftTab(user32());
    PressShiftTab(user32());
    m_startup_selection = true;
    Timer2.set_Enabled(true);
    return;
  }
  FocusPlayer(FocusFirst::Command5);
  PressTab(user32());
  PressShiftTab(user32());
  PressShiftTab(user32());
  (chain == Chain::English ? Timer3 : Timer4).set_Enabled(true);
}

void Form1::chain_finished() {
  if (m_queued_chains.empty() || chain_running() || Timer1.Enabled()) return;
  // The focus calls of the next chain take effect at once: it must wait
  // until the keys of the step that ended this one have reached the player.
  call_later(0, [this] {
    if (m_queued_chains.empty() || chain_running() || Timer1.Enabled()) return;
    Chain next = m_queued_chains.front();
    m_queued_chains.pop_front();
    // Should this chain fail to start (a page without a document, say), the
    // next one still gets its turn.
    NextChainTurn next_turn(*this);
    // TimerEn_Timer gives the focus button the focus before the start-up
    // selection; a deferred one does the same.
    if (next == Chain::Startup) Command5.SetFocus();
    run_chain(next);
  });
}

// StartupSelection.
void Form1::TimerEn_Timer() {
  TimerEn.set_Enabled(false);
  // Chains that waited for this one go on even if it cannot start.
  NextChainTurn next_turn(*this);
  Command5.SetFocus();
  Command5_Click();
}

void Form1::Command5_Click() {
  start_chain(Chain::Startup);
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
  // An English selection has left the player's focus on the voice list,
  // where the pick lands on English US, the sixth entry from the top, and
  // Enter applies it. The start-up selection has left it on the text field,
  // where these keys change nothing but the Tab, which moves to the list.
  PickListFromTop(user32());
  PressEnter(user32());
  PressTab(user32());
  // The translation window's Timer0 waits for this before it reveals the
  // window.
  s.VoiceReaderReady = 1;
  // The count stops at the top of its range.
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
  // The flag records what the keys were sent to do; nothing confirms what
  // the player shows.
  s.EnglishVoiceActive = 1;
  chain_finished();
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
  chain_finished();
}

void Form1::Timer11_Timer() {
  Timer11.set_Enabled(false);
  NextChainTurn next_turn(*this);
  Picture10_Click();
}

// Switches the player to the other language than the flag records. The
// read-2 button armed this step because the text to read does not match
// that language; a chain already running or waiting towards the wanted
// language makes a second one needless.
void Form1::Timer8_Timer() {
  Timer8.set_Enabled(false);
  const Chain wanted = shared().EnglishVoiceActive == 1 ? Chain::Russian : Chain::English;
  if (heading() == wanted) return;
  if (wanted == Chain::Russian) {
    Command2_Click();
  } else {
    Command8_Click();
  }
}

// Speaks the clipboard text after a delay. While a language chain works
// the player the reading waits, looking again every 100 ms, so that it
// neither lands between the chain's steps nor comes out in the voice the
// chain is leaving.
void Form1::Timer6_Timer() {
  Timer6.set_Interval(100);
  if (chain_running() || !m_queued_chains.empty()) return;
  Timer6.set_Enabled(false);
  Picture1_Click();
}

void Form1::VScroll1_Change() {
  Text6.set_Text(std::to_string(VScroll1.Value()));
}

}  // namespace prevod
