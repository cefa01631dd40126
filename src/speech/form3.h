#pragma once

// The hint window: asks the user to choose a language to be spoken before
// entering voice-only mode. It unloads itself five seconds after creation.

#include "app/label.h"
#include "app/timer.h"
#include "app/window.h"

class Form3 : public Window {
 public:
  explicit Form3(Application& app);

  Label& Label1;
  Timer& Timer1;

  void Form_Load() override;
  void Timer1_Timer();
};
