// The speech window: its controls, the wiring of its handlers, and its
// start. It is the program's first window; it loads the voice reader page
// off-screen and has the page reduced to its player on the page's second
// finished download. Speaking, language switching, the page reshaping and
// the settings panel live in the files beside this one.

#include "voicereader/form1.h"

#include "app/prevod.h"
#include "app/shared_state.h"
#include "base/resume_next.h"
#include "desktop/window_layouts.h"
#include "model/config.h"
#include "model/runtime.h"
#include "platform/clipboard.h"
#include "platform/desktop.h"
#include "resources/player_markup.h"
#include "translation/form2.h"

namespace prevod {

Form1::Form1(Prevod& prevod)
    : Window(prevod, Form1Layout()),
      Picture14(get<PictureBox>("Picture14")),
      Picture13(get<PictureBox>("Picture13")),
      Image2(get<Image>("Image2")),
      image1(get<Image>("image1")),
      Picture12(get<PictureBox>("Picture12")),
      Picture11(get<PictureBox>("Picture11")),
      Picture10(get<PictureBox>("Picture10")),
      Label8(get<Label>("Label8")),
      Picture9(get<PictureBox>("Picture9")),
      Label7(get<Label>("Label7")),
      Picture8(get<PictureBox>("Picture8")),
      Label6(get<Label>("Label6")),
      Picture7(get<PictureBox>("Picture7")),
      Label5(get<Label>("Label5")),
      Picture6(get<PictureBox>("Picture6")),
      Label13(get<Label>("Label13")),
      Label12(get<Label>("Label12")),
      Label11(get<Label>("Label11")),
      VScroll1(get<ScrollBar>("VScroll1")),
      Text6(get<TextBox>("Text6")),
      Command2(get<CommandButton>("Command2")),
      Command8(get<CommandButton>("Command8")),
      Picture5(get<PictureBox>("Picture5")),
      Label10(get<Label>("Label10")),
      Label9(get<Label>("Label9")),
      Picture4(get<PictureBox>("Picture4")),
      Picture2(get<PictureBox>("Picture2")),
      Label1(get<Label>("Label1")),
      Picture1(get<PictureBox>("Picture1")),
      Picture3(get<Label>("Picture3")),
      Command6(get<CommandButton>("Command6")),
      Command5(get<CommandButton>("Command5")),
      Text1(get<RichTextBox>("Text1")),
      WebBrowser1(get<WebBrowser>("WebBrowser1")),
      Timer11(get<Timer>("Timer11")),
      Timer10(get<Timer>("Timer10")),
      Timer9(get<Timer>("Timer9")),
      Timer8(get<Timer>("Timer8")),
      Timer7(get<Timer>("Timer7")),
      Timer6(get<Timer>("Timer6")),
      Timer5(get<Timer>("Timer5")),
      Timer4(get<Timer>("Timer4")),
      Timer1(get<Timer>("Timer1")),
      Timer3(get<Timer>("Timer3")),
      Timer2(get<Timer>("Timer2")),
      TimerEn(get<Timer>("TimerEn")),
      z00(get<Timer>("z00")),
      m_prevod(prevod) {
  // The player's page snippet is part of the window's design.
  Text1.set_Text(PlayerMarkup());
  wire_voicereader();
  wire_settings();
  wire_reading_interval();
  wire_desktop();
}

SharedState& Form1::shared() const {
  return m_prevod.shared();
}
Form2& Form1::form2() const {
  return m_prevod.Form2();
}
User32& Form1::user32() const {
  return runtime().desktop.user32();
}
Clipboard& Form1::clipboard() const {
  return runtime().desktop.clipboard();
}

void Form1::wire_voicereader() {
  WebBrowser1.on_download_complete = [this] { WebBrowser1_DownloadComplete(); };
  Command6.on_click = [this] { Command6_Click(); };
  Timer1.on_timer = [this] { Timer1_Timer(); };
  Picture1.on_click = [this] { Picture1_Click(); };
  image1.on_click = [this] { image1_Click(); };
  Image2.on_click = [this] { Image2_Click(); };
  Command8.on_click = [this] { Command8_Click(); };
  Label8.on_click = [this] { Label8_Click(); };
  Picture10.on_click = [this] { Picture10_Click(); };
  Command2.on_click = [this] { Command2_Click(); };
  Label7.on_click = [this] { Label7_Click(); };
  Picture9.on_click = [this] { Picture9_Click(); };
  TimerEn.on_timer = [this] { TimerEn_Timer(); };
  Command5.on_click = [this] { Command5_Click(); };
  Timer3.on_timer = [this] { Timer3_Timer(); };
  Timer2.on_timer = [this] { Timer2_Timer(); };
  Timer4.on_timer = [this] { Timer4_Timer(); };
  Timer5.on_timer = [this] { Timer5_Timer(); };
  Timer11.on_timer = [this] { Timer11_Timer(); };
  Timer8.on_timer = [this] { Timer8_Timer(); };
  Timer6.on_timer = [this] { Timer6_Timer(); };
  VScroll1.on_change = [this] { VScroll1_Change(); };
}

void Form1::Form_Load() {
  SharedState& s = shared();
  s.Form1Handle = static_cast<int32_t>(hWnd());
  // The focus button sits just outside the left edge, still able to take
  // the focus: giving it the focus makes this window the active one, so
  // that keystrokes reach the page even while the window is off-screen or
  // behind the translation window.
  Command5.set_Left(-Command5.Width());
  // The full height is kept for the translation window, whose settings
  // panel opens to it.
  set_Height(5700);
  s.FormHeights[1] = Height();
  // Parked off-screen to the left: the user never works in the page.
  set_Top(0);
  set_Width(10600);
  set_Left(-Width());
  // A clipboard held by another program at start skips this step only:
  // the rest of the start-up does not depend on it.
  ResumeNext([&] { clipboard().SetText("Hello boy!"); });
  // The page is reduced to its player on its second finished download.
  WebBrowser1.set_Height(5450);
  WebBrowser1.set_Top(550);
  WebBrowser1.Navigate(runtime().config.VoiceReaderAddress);
  // Shown, but off-screen. The first tick of Timer10 creates the
  // translation window.
  Show();
}

void Form1::WebBrowser1_DownloadComplete() {
  // The count stops at the top of its range, so it never comes back to 2.
  if (DownloadCount < INT16_MAX) ++DownloadCount;
  if (DownloadCount == 2) Oformi();
}

}  // namespace prevod
