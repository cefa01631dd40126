// Window dragging: a press on a drag surface records the cursor's offset
// from the translation window's corner and starts Timer7, which moves both
// windows after the cursor every 50 ms until the release.

#include <cmath>

#include "app/prevod.h"
#include "app/shared_state.h"
#include "desktop/cordinati_mouse.h"
#include "translation/form2.h"
#include "voicereader/form1.h"

namespace prevod {

namespace {

void start_dragging(Form2& form2, SharedState& s, User32& user32) {
  ReadCursor(s, user32);
  s.DragOffsetX = static_cast<int32_t>(
      std::nearbyint(static_cast<float>(cursor_twips(s.CursorX)) - form2.Left()));
  s.DragOffsetY = static_cast<int32_t>(
      std::nearbyint(static_cast<float>(cursor_twips(s.CursorY)) - form2.Top()));
  form2.Timer7.set_Enabled(true);
}

}  // namespace

void Form2::wire_desktop() {
  Timer7.on_timer = [this] { Timer7_Timer(); };
  Picture5.on_mouse_down = [this](int, int, float, float) { Picture5_MouseDown(); };
  Picture5.on_mouse_up = [this](int, int, float, float) { Picture5_MouseUp(); };
}

void Form2::Timer7_Timer() {
  SharedState& s = shared();
  ReadCursor(s, user32());
  int32_t x = cursor_twips(s.CursorX) - s.DragOffsetX;
  int32_t y = cursor_twips(s.CursorY) - s.DragOffsetY;
  set_Left(static_cast<float>(x));
  set_Top(static_cast<float>(y));
  form1().set_Left(static_cast<float>(x));
  form1().set_Top(static_cast<float>(y));
}

void Form2::Picture5_MouseDown() {
  start_dragging(*this, shared(), user32());
}

void Form2::Picture5_MouseUp() {
  Timer7.set_Enabled(false);
  SetFocus();
}

void Form1::Form_MouseDown() {
  start_dragging(form2(), shared(), user32());
}
void Form1::Form_MouseUp() {
  form2().Timer7.set_Enabled(false);
}
void Form1::Picture13_MouseDown() {
  start_dragging(form2(), shared(), user32());
}
void Form1::Picture13_MouseUp() {
  form2().Timer7.set_Enabled(false);
}

void Form1::wire_desktop() {
  on_mouse_down = [this] { Form_MouseDown(); };
  on_mouse_up = [this] { Form_MouseUp(); };
  Picture13.on_mouse_down = [this](int, int, float, float) { Picture13_MouseDown(); };
  Picture13.on_mouse_up = [this](int, int, float, float) { Picture13_MouseUp(); };
}

}  // namespace prevod
