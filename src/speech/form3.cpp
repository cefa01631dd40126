#include "speech/form3.h"

#include "app/application.h"
#include "app/runtime.h"
#include "desktop/klik.h"
#include "platform/desktop.h"

Form3::Form3(Application& app)
    : Window(app, Form3Layout()), Label1(get<Label>("Label1")), Timer1(get<Timer>("Timer1")) {
  Timer1.on_timer = [this] { Timer1_Timer(); };
}

void Form3::Form_Load() {
  int32_t handle = static_cast<int32_t>(hWnd());
  MakeTopmost(runtime().desktop.user32(), handle);
}

void Form3::Timer1_Timer() {
  Unload();
}
