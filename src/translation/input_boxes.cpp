// The input and result boxes: the working copy Text4 whose every change
// starts a translation, Enter and clicks in the input box, the warm-up
// translation, the source reading step and the clipboard watcher.

#include "app/shared_state.h"
#include "base/resume_next.h"
#include "base/text.h"
#include "desktop/klik.h"
#include "platform/clipboard.h"
#include "platform/keys.h"
#include "platform/user32.h"
#include "translation/form2.h"
#include "voicereader/form1.h"

namespace prevod {

namespace {

constexpr int32_t MaxTextLength = 249;

}  // namespace

void Form2::Text4_Change() {
  // Every new request closes the settings panel, so that the result shows
  // in the compact window.
  ResumeNext([&] { Picture7_Click(); });
  // One space in front, two behind. They count towards the limit below and
  // towards the length from which the reading delay after a translation is
  // computed.
  ResumeNext([&] { Text4.set_Text(" " + Text4.Text() + "  "); });
  // The text travels in the page address, on one line: line breaks become
  // spaces.
  ResumeNext([&] { Text4.set_Text(text::replace_all(Text4.Text(), "\r\n", " ")); });
  ResumeNext([&] { Text4.set_Text(text::replace_all(Text4.Text(), "\n", " ")); });
  // Both boxes are held to 249 characters, within the 250 that the voice
  // reader's player accepts.
  ResumeNext([&] { Text4.set_Text(text::left(Text4.Text(), MaxTextLength)); });
  ResumeNext([&] { Text1.set_Text(text::left(Text1.Text(), MaxTextLength)); });
  // The padding keeps the text from ever being empty, so even an emptied
  // Text4 is submitted, as three spaces.
  ResumeNext([&] {
    if (!Text4.Text().empty()) Prevedi();
  });
}

void Form2::Text1_KeyPress(int16_t& KeyAscii) {
  if (KeyAscii != 13) return;
  // The old result goes at once; it stays empty when the page gives none.
  Text3.set_Text("");
  // The line break that the box put in at the previous Enter becomes a
  // space, as does any other.
  Text1.set_Text(text::replace_all(Text1.Text(), "\r\n", " "));
  Text1.set_Text(text::replace_all(Text1.Text(), "\n", " "));
  // The Enter is not consumed: the box inserts its line break after this
  // handler returns, and this End, queued behind it, then takes the caret to
  // the end of the line.
  KeyDown(user32(), vk::END);
  KeyUp(user32(), vk::END);
  // The request: Text4_Change runs at once and calls Prevedi.
  Text4.set_Text(Text1.Text());
  // The request put the text on the clipboard; the watcher is not to submit
  // it a second time.
  IgnoreClipboardOnce = 1;
}

// The first click after a request selects all of the input box, so that
// typing replaces the text just translated; later clicks place the caret.
void Form2::Text1_Click() {
  if (Text1ClickSeen == 0) PressCtrlA(user32());
  Text1ClickSeen = 1;
}

void Form2::Timer1_Timer() {
  Timer1.set_Enabled(false);
  // The input box shows from the warm-up on. The focus only serves the
  // keyboard; a window hidden to the tray cannot take it and the warm-up
  // goes on all the same.
  Text1.set_Visible(true);
  ResumeNext([&] { Text1.SetFocus(); });
  // The warm-up request, English to Bulgarian: the boxes show a first
  // translation before the user asks for one.
  Text1.set_Text("Hello!");
  Text4.set_Text("Hello!");
  // The speech window stands exactly behind this one, just centred, so that
  // its right-hand strip shows beside it.
  form1().set_Left(Left());
  form1().set_Top(Top());
}

void Form2::Timer4_Timer() {
  Timer4.set_Enabled(false);
  Command1_Click();
}

void Form2::Timer5_Timer() {
  // A clipboard held by another program: this tick sees nothing and the
  // next one looks again. Ending the tick here keeps IgnoreClipboardOnce for
  // the read it was meant for, so our own text is never taken as new.
  try {
    ClipboardText = clipboard().GetText();
  } catch (const RuntimeError&) {
    return;
  }
  if (IgnoreClipboardOnce == 0) {
    // A new text: the window comes back from the tray and to the front, and
    // the text is submitted with its line breaks taken out (copied lines
    // join without a space). Recording it as the last text keeps the same
    // copy from being submitted twice.
    if (!ClipboardText.empty() && ClipboardText != LastClipboardText) {
      ResumeNext(
          [&] { user32().ShowWindow(static_cast<uint32_t>(shared().Form2Handle), SW_SHOWNORMAL); });
      ResumeNext([&] { MakeTopmost(user32(), shared().Form2Handle); });
      ResumeNext([&] { Text1.set_Text(ClipboardText); });
      ResumeNext([&] { Text1.set_Text(text::replace_all(Text1.Text(), "\r\n", "")); });
      ResumeNext([&] { Text1.set_Text(text::replace_all(Text1.Text(), "\n", "")); });
      ResumeNext([&] { Text4.set_Text(Text1.Text()); });
      LastClipboardText = ClipboardText;
    }
  } else {
    // The program wrote the clipboard itself (or an Enter submitted the
    // text): this tick only records it as seen.
    IgnoreClipboardOnce = 0;
    LastClipboardText = ClipboardText;
  }
}

}  // namespace prevod
