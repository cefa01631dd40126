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
  // 1. The settings panel closes.
  ResumeNext([&] { Picture7_Click(); });
  // 2. One space in front, two behind; they count towards the limit below.
  ResumeNext([&] { Text4.set_Text(" " + Text4.Text() + "  "); });
  // 3.
  ResumeNext([&] { Text4.set_Text(text::replace_all(Text4.Text(), "\r\n", " ")); });
  // 4.
  ResumeNext([&] { Text4.set_Text(text::replace_all(Text4.Text(), "\n", " ")); });
  // 5.
  ResumeNext([&] { Text4.set_Text(text::left(Text4.Text(), MaxTextLength)); });
  // 6.
  ResumeNext([&] { Text1.set_Text(text::left(Text1.Text(), MaxTextLength)); });
  // 7. Never empty after step 2.
  ResumeNext([&] {
    if (!Text4.Text().empty()) Prevedi();
  });
}

void Form2::Text1_KeyPress(int16_t& KeyAscii) {
  if (KeyAscii != 13) return;
  // 1.
  Text3.set_Text("");
  // 2.
  Text1.set_Text(text::replace_all(Text1.Text(), "\r\n", " "));
  // 3.
  Text1.set_Text(text::replace_all(Text1.Text(), "\n", " "));
  // 4. Queued behind the Enter itself, which the box still inserts.
  KeyDown(user32(), vk::END);
  KeyUp(user32(), vk::END);
  // 5. The request.
  Text4.set_Text(Text1.Text());
  // 6.
  IgnoreClipboardOnce = 1;
}

void Form2::Text1_Click() {
  if (Text1ClickSeen == 0) PressCtrlA(user32());
  Text1ClickSeen = 1;
}

void Form2::Timer1_Timer() {
  // 1.
  Timer1.set_Enabled(false);
  // 2. The focus only serves the keyboard; a window hidden to the tray
  // cannot take it and the warm-up goes on all the same.
  Text1.set_Visible(true);
  ResumeNext([&] { Text1.SetFocus(); });
  // 3.
  Text1.set_Text("Hello!");
  // 4. The first request.
  Text4.set_Text("Hello!");
  // 5. The speech window stands exactly behind this one.
  form1().set_Left(Left());
  form1().set_Top(Top());
}

void Form2::Timer4_Timer() {
  Timer4.set_Enabled(false);
  Command1_Click();
}

void Form2::Timer5_Timer() {
  // 1. A clipboard held by another program: this tick sees nothing and the
  // next one looks again. Ending the tick here keeps IgnoreClipboardOnce for
  // the read it was meant for, so our own text is never taken as new.
  try {
    ClipboardText = clipboard().GetText();
  } catch (const RuntimeError&) {
    return;
  }
  if (IgnoreClipboardOnce == 0) {
    // 2.
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
    // 3.
    IgnoreClipboardOnce = 0;
    LastClipboardText = ClipboardText;
  }
}

}  // namespace prevod
