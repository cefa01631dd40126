// The translation window's panels: the settings toggle, the collapse button
// and the two close controls.

#include "app/prevod.h"
#include "app/shared_state.h"
#include "base/resume_next.h"
#include "desktop/bas_main.h"
#include "translation/form2.h"
#include "voicereader/form1.h"

namespace prevod {

void Form2::Label5_Click() {
  SharedState& s = shared();
  // Decided by the current height, not by a stored flag.
  if (Height() == s.FormHeights[0].number()) {
    ResumeNext([&] { form1().set_Height(static_cast<float>(s.FormHeights[1].number())); });
    ResumeNext([&] { set_Height(static_cast<float>(s.FormHeights[1].number())); });
    ResumeNext([&] { Label100_Click(); });
  } else {
    ResumeNext([&] { form1().set_Height(form1().Height() / 2 + 550); });
    ResumeNext([&] { set_Height(static_cast<float>(s.FormHeights[0].number())); });
  }
}

void Form2::Picture10_Click() {
  Label5_Click();
}

void Form2::Picture7_Click() {
  form1().set_Height(3400);
  set_Height(static_cast<float>(shared().FormHeights[0].number()));
}

void Form2::Picture3_Click() {
  Unload();
}

void Form2::Picture1_Click() {
  ResumeNext([&] { Unload(); });
  ResumeNext([&] { RemoveTrayIcon(prevod()); });
}

}  // namespace prevod
