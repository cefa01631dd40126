// The gesture watcher: while the capture option is on, four polling timers
// watch the mouse buttons of the whole desktop for a double click or a right
// click after a left click, and arm the copy sequencer.

#include "base/resume_next.h"
#include "platform/clipboard.h"
#include "platform/keys.h"
#include "platform/user32.h"
#include "translation/form2.h"

namespace prevod {

void Form2::wire_capture() {
  Check1.on_click = [this] { Check1_Click(); };
  Picture17.on_click = [this] { Picture17_Click(); };
  Label12.on_click = [this] { Label12_Click(); };
  Picture24.on_click = [this] { Picture24_Click(); };
  Label11.on_click = [this] { Label11_Click(); };
  Timer1111.on_timer = [this] { Timer1111_Timer(); };
  Timer4444.on_timer = [this] { Timer4444_Timer(); };
  Timer2222.on_timer = [this] { Timer2222_Timer(); };
  Timer3333.on_timer = [this] { Timer3333_Timer(); };
  Kopirane.on_timer = [this] { Kopirane_Timer(); };
  TimerDesen.on_timer = [this] { TimerDesen_Timer(); };
}

void Form2::Check1_Click() {
  if (Check1.Value() == 1) {
    // A clipboard held by another program must not leave the option on
    // without its watchers: the clearing is skipped and the rest goes on.
    // What it failed to clear was there before the option came on, so the
    // clipboard watcher's next read only records it as seen.
    bool cleared = false;
    ResumeNext([&] {
      clipboard().Clear();
      cleared = true;
    });
    if (!cleared) IgnoreClipboardOnce = 1;
    // NOTE: the button latch remembers a press from before the option came
    // on (the click on the option row itself, say) until someone asks.
    // Asking here drops it, so only presses made while the watcher runs
    // start a gesture.
    user32().GetAsyncKeyState(vk::LBUTTON);
    Timer5.set_Enabled(true);
    Timer1111.set_Enabled(true);
    Picture24.set_Visible(true);
    Picture17.set_Visible(false);
  } else {
    Picture17.set_Visible(true);
    Picture24.set_Visible(false);
    Timer5.set_Enabled(false);
    Timer1111.set_Enabled(false);
    Timer2222.set_Enabled(false);
    Timer3333.set_Enabled(false);
    Timer4444.set_Enabled(false);
  }
  // Kopirane and TimerDesen are left alone; the counters keep their values.
}

void Form2::Picture17_Click() {
  Picture17.set_Visible(false);
  Picture24.set_Visible(true);
  Check1.set_Value(1);
}

void Form2::Label12_Click() {
  Picture17_Click();
}

void Form2::Picture24_Click() {
  Picture24.set_Visible(false);
  Picture17.set_Visible(true);
  Check1.set_Value(0);
}

void Form2::Label11_Click() {
  Picture24_Click();
}

// Armed: polls for the first left press.
void Form2::Timer1111_Timer() {
  if (user32().GetAsyncKeyState(vk::LBUTTON) == 0) return;
  // The right button is watched only after a left press and its release. A
  // right press made while the watcher was armed would otherwise wait in
  // the latch and be taken by the first AwaitNextPress poll as a right
  // click on a selection: asking now drops it.
  user32().GetAsyncKeyState(vk::RBUTTON);
  PressSeen = 1;
  Timer4444.set_Enabled(true);
  Timer1111.set_Enabled(false);
  Timer3333.set_Enabled(true);  // the double-click window opens
}

// AwaitRelease: polls for the left button to come up.
void Form2::Timer4444_Timer() {
  if (user32().GetAsyncKeyState(vk::LBUTTON) != 0) return;
  ReleaseSeen = 1;
  Timer4444.set_Enabled(false);
  Timer2222.set_Enabled(true);
}

// AwaitNextPress: the right button first, then the left one.
void Form2::Timer2222_Timer() {
  if (user32().GetAsyncKeyState(vk::RBUTTON) != 0) TimerDesen.set_Enabled(true);
  if (user32().GetAsyncKeyState(vk::LBUTTON) == 0) return;
  Timer2222.set_Enabled(false);
  ClickTally = static_cast<int16_t>(PressSeen + ReleaseSeen);
  if (ClickTally == 2) {
    // A double click. As above, a held clipboard must not stop the watcher.
    ResumeNext([&] { clipboard().Clear(); });
    Kopirane.set_Enabled(true);
    PressSeen = 0;
    ReleaseSeen = 0;
    ClickTally = 0;
    Timer1111.set_Enabled(true);
    Timer2222.set_Enabled(false);
    Timer3333.set_Enabled(false);
    Timer4444.set_Enabled(false);
  } else {
    // The window had closed: this press opens a new gesture.
    PressSeen = 1;
    Timer4444.set_Enabled(true);
    Timer3333.set_Enabled(true);
  }
  ReleaseSeen = 0;
  ClickTally = 0;
}

// The double-click window closes.
void Form2::Timer3333_Timer() {
  Timer3333.set_Enabled(false);
  PressSeen = 0;
}

}  // namespace prevod
