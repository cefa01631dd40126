// Voice-only translation mode: the translation window shrinks to nothing,
// the speech window's strip takes its place, and translations are only
// heard. Without a speech option on, the hint window asks for one instead.

#include "app/prevod.h"
#include "app/shared_state.h"
#include "desktop/klik.h"
#include "speech/form3.h"
#include "translation/form2.h"
#include "voicereader/form1.h"

namespace prevod {

void Form2::Label18_Click() {
  SharedState& s = shared();
  // A mode that shows nothing is useless when nothing is spoken either.
  if (Check2.Value() != 1 && Check3.Value() != 1) {
    // The hint asks for a language to be spoken first. It is not modal and
    // closes itself five seconds after it was created.
    prevod().Form3().Show();
    return;
  }
  // Text reaches this mode only through a copy or a gesture: switching the
  // capture on, when it was off, empties the clipboard and starts both
  // watchers.
  Check1.set_Value(1);
  // A collapsed speech window is widened first: taking the translation
  // window's width off it below would otherwise leave it a negative width.
  // The width saved below is therefore always the full one.
  Label100_Click();
  // The narrowed speech window takes the translation window's place in
  // front of everything.
  MakeTopmost(user32(), s.Form1Handle);
  // Picture12 on the speech window leaves the mode and restores these three
  // values. The speech window keeps only its right-hand strip: the browser
  // and the hover panel move left by the translation window's width, which
  // then becomes zero so that nothing of that window shows. All in single
  // precision.
  Form1& f1 = form1();
  s.SavedForm1Width = f1.Width();
  s.SavedBrowserLeft = f1.WebBrowser1.Left();
  s.SavedForm2Width = Width();
  float new_width = f1.Width() - Width();
  f1.WebBrowser1.set_Left(f1.WebBrowser1.Left() - Width());
  f1.Picture13.set_Left(f1.Picture13.Left() - Width());
  f1.Picture2.set_Visible(false);
  f1.set_Width(new_width);
  set_Width(0);
  // Both windows take their compact heights, so the strip is no taller than
  // the speech window beside a compact translation window.
  Picture7_Click();
  // The mode's only controls: Picture12 leaves it, Picture14 hides both
  // windows to the tray.
  f1.Picture12.set_Visible(true);
  f1.Picture14.set_Visible(true);
}

void Form2::Picture20_Click() {
  Label18_Click();
}

}  // namespace prevod
