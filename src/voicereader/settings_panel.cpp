// The speech settings panel on the speech window's strip, the hover panel
// that follows the cursor, collapsing and expanding the strip, the two
// buttons of voice-only mode, and the restart of the player.

#include "app/prevod.h"
#include "app/shared_state.h"
#include "base/text.h"
#include "desktop/cordinati_mouse.h"
#include "desktop/klik.h"
#include "platform/clipboard.h"
#include "translation/form2.h"
#include "voicereader/form1.h"

namespace prevod {

namespace {

const char* const ConfirmCaption = "ПОТВЪРДИ";
const char* const ClosedCaption = "НАСТРОЙКИ ГОВОР";
const char* const ClipboardHint =
    "The program reads the text from Clipboard. Copy the text to hear the pronunciation.";
constexpr Rgb White{255, 255, 255};
constexpr Rgb Blue{0, 0, 255};

// The label sizes itself to its caption: the design width of its first
// caption per character, for the same bold type.
float caption_width(const std::string& caption) {
  constexpr float twips_per_character = 1950.0f / 19;
  return twips_per_character * static_cast<float>(text::length(caption));
}

}  // namespace

void Form1::wire_settings() {
  Label5.on_click = [this] { Label5_Click(); };
  Picture7.on_click = [this] { Picture7_Click(); };
  Timer10.on_timer = [this] { Timer10_Timer(); };
  Picture12.on_click = [this] { Picture12_Click(); };
  Picture14.on_click = [this] { Picture14_Click(); };
  Picture3.on_click = [this] { Picture3_Click(); };
  Picture4.on_click = [this] { Picture4_Click(); };
  Picture11.on_click = [this] { Picture11_Click(); };
  Label6.on_click = [this] { Label6_Click(); };
  Picture8.on_click = [this] { Picture8_Click(); };
}

void Form1::recentre_Label5() {
  Label5.set_Width(caption_width(Label5.Caption()));
  Label5.set_Left(Picture7.Width() / 2 - Label5.Width() / 2);
}

void Form1::toggle_settings_panel() {
  SharedState& s = shared();
  Form2& f2 = form2();
  if (s.SpeechSettingsOpen == 0) {
    // Opening: the label becomes the button that confirms and closes.
    s.SpeechSettingsOpen = 1;
    Label5.set_Caption(ConfirmCaption);
    // The whole speech window, page and player included, comes in front of
    // the translation window.
    MakeNotTopmost(user32(), s.Form2Handle);
    SetFocus();
    // The restart and language buttons and the reading interval.
    for (Control* c :
         std::initializer_list<Control*>{&Picture8, &Picture9, &Picture10, &VScroll1, &Text6}) {
      c->set_Visible(true);
    }
    recentre_Label5();
    // The reading interval's caption shows; the collapse buttons and the
    // credits go while the panel is open.
    Label9.set_Visible(true);
    Picture11.set_Visible(false);
    Picture4.set_Visible(false);
    Label10.set_Visible(false);
    Label5.set_ForeColor(Blue);
    // The capture is off while the panel is open: the user copies text here
    // to hear it read, and the clipboard watcher would take it for a
    // translation and bring the translation window in front of the panel.
    s.SavedCheck1Value = f2.Check1.Value();
    f2.Check1.set_Value(0);
    // The clipboard holds a sentence that tells the user how the reader is
    // fed, ready for the speak button.
    clipboard().Clear();
    clipboard().SetText(ClipboardHint);
    return;
  }
  // Closing. The strip is wide, so the translation window's patch covers
  // its widening area (Label100) again.
  f2.Picture2.set_Visible(true);
  // From now on the closed label reads the shorter caption.
  s.SpeechSettingsOpen = 0;
  Label5.set_Caption(ClosedCaption);
  for (Control* c : std::initializer_list<Control*>{&Picture8, &Picture9, &Picture10, &VScroll1,
                                                    &Text6, &Label9}) {
    c->set_Visible(false);
  }
  // A reading interval box left empty shows again the number in force.
  if (Text6.Text().empty()) Text6.set_Text(m_reading_interval_text);
  // The translation window is in front again. A hidden one cannot take the
  // focus; it stays topmost and the rest of the closing goes on.
  MakeTopmost(user32(), s.Form2Handle);
  if (f2.Visible()) f2.SetFocus();
  // The speech window goes back behind the translation window, at its
  // corner, so that only its strip shows beside it.
  set_Left(f2.Left());
  set_Top(f2.Top());
  recentre_Label5();
  // The collapse button and the credits return; Picture11 stays hidden.
  Picture4.set_Visible(true);
  Label10.set_Visible(true);
  Label5.set_ForeColor(White);
  // The capture comes back only if it was on when the panel opened.
  if (s.SavedCheck1Value == 1) f2.Check1.set_Value(1);
}

void Form1::Label5_Click() {
  toggle_settings_panel();
}
void Form1::Picture7_Click() {
  toggle_settings_panel();
}

// The hover logic, every 50 ms for the life of the window. Its first tick
// reads the translation window's width and so creates that window.
void Form1::Timer10_Timer() {
  SharedState& s = shared();
  ReadCursor(s, user32());
  float X = static_cast<float>(cursor_twips(s.CursorX));
  float Y = static_cast<float>(cursor_twips(s.CursorY));
  // The hover zone is the strip's upper part, beside the translation
  // window and above Picture5, and only while the strip is wide: a
  // collapsed strip lies wholly behind the translation window. Strict
  // bounds, in single precision.
  bool inside = Left() + form2().Width() - 20 < X && X < Left() + Width() &&
                s.Form1Collapsed == 0 && Top() + 500 < Y && Y < Top() + Picture5.Top();
  if (!inside) {
    Picture13.set_Visible(false);
    return;
  }
  // While the settings panel is open the repeat and stop icons stay hidden.
  if (!Picture13.Visible()) Picture13.set_Visible(true);
  bool confirming = Label5.Caption() == ConfirmCaption;
  image1.set_Visible(!confirming);
  Image2.set_Visible(!confirming);
}

void Form1::Picture12_Click() {
  SharedState& s = shared();
  Form2& f2 = form2();
  // Leaving voice-only mode: the speech window goes back behind the
  // translation window, and the widths and the browser's place saved on
  // entering the mode come back.
  MakeNotTopmost(user32(), s.Form1Handle);
  set_Width(s.SavedForm1Width);
  WebBrowser1.set_Left(s.SavedBrowserLeft);
  f2.set_Width(s.SavedForm2Width);
  // The hover panel moves back by the width just restored, undoing its
  // shift on entering the mode.
  Picture13.set_Left(Picture13.Left() + f2.Width());
  Picture12.set_Visible(false);
  Picture14.set_Visible(false);
  MakeTopmost(user32(), s.Form2Handle);
}

void Form1::Picture14_Click() {
  // Only the tray icon brings the windows back: without one they stay.
  if (!form2().tray_icon_added()) return;
  form2().Hide();
  set_Left(-Width());
}

void Form1::Picture3_Click() {
  SharedState& s = shared();
  if (s.Form1Collapsed == 0) {
    s.Form1Collapsed = 1;
    set_Width(7280);
    Picture11.set_Visible(true);
  } else {
    s.Form1Collapsed = 0;
    set_Width(10600);
    Picture11.set_Visible(false);
  }
}

void Form1::Picture4_Click() {
  SharedState& s = shared();
  if (s.Form1Collapsed == 0) {
    s.Form1Collapsed = 1;
    set_Width(7280);
    Picture11.set_Visible(true);
    Form2& f2 = form2();
    if (f2.Visible()) {
      f2.Picture2.set_Visible(false);
      // A hidden window cannot take the focus; only a visible one is given it.
      f2.Text1.SetFocus();
    }
  } else {
    s.Form1Collapsed = 0;
    set_Width(10600);
    Picture11.set_Visible(false);
  }
}

void Form1::Picture11_Click() {
  SharedState& s = shared();
  if (s.Form1Collapsed == 0) {
    s.Form1Collapsed = 1;
    set_Width(7280);
  } else {
    s.Form1Collapsed = 0;
    set_Width(10600);
    Picture11.set_Visible(false);
  }
}

void Form1::Label6_Click() {
  Picture1.set_Visible(false);
  Picture2.set_Visible(false);
  WebBrowser1.SetFocus();
  Oformi();
}

void Form1::Picture8_Click() {
  Label6_Click();
}

}  // namespace prevod
