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
  // 1. and 2.
  if (Check2.Value() != 1 && Check3.Value() != 1) {
    // 9. The refusal: the hint, not modal.
    prevod().Form3().Show();
    return;
  }
  // 3.
  Check1.set_Value(1);
  // 4.
  Label100_Click();
  // 5.
  MakeTopmost(user32(), s.Form1Handle);
  // 6. Save and shift, in single precision.
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
  // 7.
  Picture7_Click();
  // 8.
  f1.Picture12.set_Visible(true);
  f1.Picture14.set_Visible(true);
}

void Form2::Picture20_Click() {
  Label18_Click();
}

}  // namespace prevod
