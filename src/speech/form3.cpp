#include "speech/form3.h"

#include "app/prevod.h"
#include "desktop/klik.h"
#include "desktop/window_layouts.h"
#include "model/runtime.h"
#include "platform/desktop.h"

namespace prevod {

Form3::Form3(Prevod& prevod)
    : Window(prevod, Form3Layout()),
      Label1(get<Label>("Label1")),
      Timer1(get<Timer>("Timer1")),
      m_prevod(prevod) {
  Timer1.on_timer = [this] { Timer1_Timer(); };
}

void Form3::Form_Load() {
  int32_t handle = static_cast<int32_t>(hWnd());
  MakeTopmost(runtime().desktop.user32(), handle);
}

void Form3::Timer1_Timer() {
  Unload();
}

}  // namespace prevod
