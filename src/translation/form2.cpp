// The translation window: its controls, the wiring of its handlers, and its
// start-up (load, the delayed first show and the progress bar on the
// start-up cover). The behaviour lives with the subsystems: translation/,
// capture/, speech/ and desktop/.

#include "translation/form2.h"

#include "app/prevod.h"
#include "app/shared_state.h"
#include "base/resume_next.h"
#include "desktop/klik.h"
#include "desktop/window_layouts.h"
#include "model/config.h"
#include "model/runtime.h"
#include "platform/desktop.h"
#include "platform/speech_engine.h"
#include "speech/form3.h"
#include "voicereader/form1.h"

namespace prevod {

Form2::Form2(Prevod& prevod)
    : Window(prevod, Form2Layout()),
      Picture7(get<PictureBox>("Picture7")),
      Picture16(get<PictureBox>("Picture16")),
      Label10(get<Label>("Label10")),
      Picture10(get<PictureBox>("Picture10")),
      Label5(get<Label>("Label5")),
      Picture6(get<PictureBox>("Picture6")),
      Label1(get<Label>("Label1")),
      Label7(get<Label>("Label7")),
      image1(get<PictureBox>("image1")),
      Picture3(get<PictureBox>("Picture3")),
      Image2(get<Image>("Image2")),
      Image3(get<Image>("Image3")),
      Picture2(get<PictureBox>("Picture2")),
      Command7(get<CommandButton>("Command7")),
      Check1(get<CheckBox>("Check1")),
      Check2(get<CheckBox>("Check2")),
      Check3(get<CheckBox>("Check3")),
      Check4(get<CheckBox>("Check4")),
      Picture17(get<PictureBox>("Picture17")),
      Label12(get<Label>("Label12")),
      Picture18(get<PictureBox>("Picture18")),
      Label14(get<Label>("Label14")),
      Picture19(get<PictureBox>("Picture19")),
      Label16(get<Label>("Label16")),
      Picture20(get<PictureBox>("Picture20")),
      Label18(get<Label>("Label18")),
      Picture22(get<PictureBox>("Picture22")),
      Label15(get<Label>("Label15")),
      Picture23(get<PictureBox>("Picture23")),
      Label13(get<Label>("Label13")),
      Picture24(get<PictureBox>("Picture24")),
      Label11(get<Label>("Label11")),
      Option2(get<OptionButton>("Option2")),
      Option1(get<OptionButton>("Option1")),
      Command1(get<CommandButton>("Command1")),
      WebBrowser3(get<WebBrowser>("WebBrowser3")),
      Text1(get<RichTextBox>("Text1")),
      Text3(get<RichTextBox>("Text3")),
      Text4(get<RichTextBox>("Text4")),
      Label100(get<Label>("Label100")),
      Picture1(get<Label>("Picture1")),
      Picture11(get<Label>("Picture11")),
      Picture5(get<Image>("Picture5")),
      Timer10(get<Timer>("Timer10")),
      Timer9(get<Timer>("Timer9")),
      Timer8(get<Timer>("Timer8")),
      Timer6(get<Timer>("Timer6")),
      Timer4(get<Timer>("Timer4")),
      TimerDesen(get<Timer>("TimerDesen")),
      Timer3333(get<Timer>("Timer3333")),
      Kopirane(get<Timer>("Kopirane")),
      Timer2222(get<Timer>("Timer2222")),
      Timer5(get<Timer>("Timer5")),
      Timer4444(get<Timer>("Timer4444")),
      Timer1111(get<Timer>("Timer1111")),
      Timer3(get<Timer>("Timer3")),
      Timer1(get<Timer>("Timer1")),
      Timer7(get<Timer>("Timer7")),
      Timer0(get<Timer>("Timer0")),
      Timer2(get<Timer>("Timer2")),
      m_prevod(prevod) {
  wire_translation();
  wire_capture();
  wire_speech();
  wire_desktop();
}

SharedState& Form2::shared() const {
  return m_prevod.shared();
}
Form1& Form2::form1() const {
  return m_prevod.Form1();
}
User32& Form2::user32() const {
  return runtime().desktop.user32();
}
Clipboard& Form2::clipboard() const {
  return runtime().desktop.clipboard();
}

void Form2::wire_translation() {
  Timer6.on_timer = [this] { Timer6_Timer(); };
  Timer10.on_timer = [this] { Timer10_Timer(); };
  Timer0.on_timer = [this] { Timer0_Timer(); };
  Timer1.on_timer = [this] { Timer1_Timer(); };
  Timer2.on_timer = [this] { Timer2_Timer(); };
  Timer4.on_timer = [this] { Timer4_Timer(); };
  Timer5.on_timer = [this] { Timer5_Timer(); };
  Timer8.on_timer = [this] { Timer8_Timer(); };
  Timer9.on_timer = [this] { Timer9_Timer(); };
  Text4.on_change = [this] { Text4_Change(); };
  Text1.on_key_press = [this](int16_t& KeyAscii) { Text1_KeyPress(KeyAscii); };
  Text1.on_click = [this] { Text1_Click(); };
  Label10.on_click = [this] { Label10_Click(); };
  Picture16.on_click = [this] { Picture16_Click(); };
  Option1.on_click = [this] { Option1_Click(); };
  Option2.on_click = [this] { Option2_Click(); };
  Label5.on_click = [this] { Label5_Click(); };
  Picture10.on_click = [this] { Picture10_Click(); };
  Picture7.on_click = [this] { Picture7_Click(); };
  Picture3.on_click = [this] { Picture3_Click(); };
  Picture1.on_click = [this] { Picture1_Click(); };
}

void Form2::Form_Load() {
  SharedState& s = shared();
  s.Form2Handle = static_cast<int32_t>(hWnd());
  // The translation window stays in front of the speech window that shares
  // its corner.
  MakeTopmost(user32(), s.Form2Handle);
  // 7305 twips, 25 more than the collapsed speech window (7280), so that a
  // collapsed speech window hides wholly behind this one.
  set_Width(7305);
  // Until the pages are ready the window shows only the start-up cover with
  // its progress bar, over the controls that cannot be used yet.
  set_Height(image1.Height());
  image1.set_Width(7305);
  image1.set_Visible(true);
  // The compact height shows the input and result boxes and nothing below
  // them. It is taken once: later moves of Text3 do not change it.
  s.FormHeights[0] = Text3.Height() + Text3.Top() + 50.0f;
  // The window hides into the tray until Timer6 shows it.
  SetTray();
  // From here on a failing step is skipped, so that the window comes up
  // without a speech engine or a network. Without an engine tts stays empty
  // and nothing is spoken locally.
  ResumeNext([&] { tts = runtime().speech.CreateObject("sapi.spvoice"); });
  // The home page loads behind the cover; Timer0 works it once the voice
  // reader is ready.
  ResumeNext([&] { WebBrowser3.set_Left(0); });
  ResumeNext([&] { WebBrowser3.set_Top(0); });
  ResumeNext([&] { WebBrowser3.Navigate(runtime().config.TranslationHome); });
}

// The hint window goes too: left to its own timer it would stay on the
// screen for up to five seconds after the program's other windows.
void Form2::Form_Unload() {
  form1().Unload();
  if (class Form3* hint = prevod().Form3_if_loaded()) hint->Unload();
}

void Form2::Timer6_Timer() {
  Timer6.set_Enabled(false);
  Show();
  form1().Show();
}

void Form2::Timer10_Timer() {
  // The counter stops at the top of its range rather than wrap: after nine
  // hours without a result the bar simply stays full.
  if (ProgressTicks < INT16_MAX) ++ProgressTicks;
  if (ProgressTicks < 15) {
    Image2.set_Width(Image3.Width() / 15 * ProgressTicks);
  } else {
    Image2.set_Width(Image3.Width() - 120);
  }
}

}  // namespace prevod
