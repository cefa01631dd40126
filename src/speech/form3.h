#pragma once

// The hint window: asks the user to choose a language to be spoken before
// entering voice-only mode. It unloads itself five seconds after creation.

#include "model/label.h"
#include "model/timer.h"
#include "model/window.h"

namespace prevod {

class Prevod;

class Form3 : public Window {
 public:
  explicit Form3(Prevod& prevod);
  // The program the window belongs to.
  Prevod& prevod() const { return m_prevod; }

  Label& Label1;
  Timer& Timer1;

  void Form_Load() override;
  void Timer1_Timer();

 private:
  Prevod& m_prevod;
};

}  // namespace prevod
