#include "app/prevod.h"

#include "speech/form3.h"
#include "translation/form2.h"
#include "voicereader/form1.h"

namespace prevod {

Prevod::Prevod(Runtime& runtime) : Application(runtime, {"Form1", "Form2", "Form3"}) {}

Prevod::~Prevod() {
  destroy_windows();
}

std::unique_ptr<Window> Prevod::make_window(const std::string& name) {
  if (name == "Form1") return std::make_unique<class Form1>(*this);
  if (name == "Form2") return std::make_unique<class Form2>(*this);
  return std::make_unique<class Form3>(*this);
}

Form1& Prevod::Form1() {
  return static_cast<class Form1&>(*window("Form1"));
}
Form2& Prevod::Form2() {
  return static_cast<class Form2&>(*window("Form2"));
}
Form3& Prevod::Form3() {
  return static_cast<class Form3&>(*window("Form3"));
}

Form1* Prevod::Form1_if_loaded() const {
  return static_cast<class Form1*>(loaded_window("Form1"));
}
Form2* Prevod::Form2_if_loaded() const {
  return static_cast<class Form2*>(loaded_window("Form2"));
}
Form3* Prevod::Form3_if_loaded() const {
  return static_cast<class Form3*>(loaded_window("Form3"));
}

}  // namespace prevod
