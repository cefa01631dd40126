#pragma once

// The program: the speech window Form1 (the start-up window), the
// translation window Form2 and the hint window Form3, each created the first
// time it is used, and the variables the windows and modules share. The
// windows reach each other through it.

#include <memory>
#include <string>

#include "app/shared_state.h"
#include "model/application.h"

namespace prevod {

class Form1;
class Form2;
class Form3;

class Prevod final : public Application {
 public:
  explicit Prevod(Runtime& runtime);
  ~Prevod() override;

  SharedState& shared() { return m_shared; }

  // Each accessor creates its window on first use.
  class Form1& Form1();
  class Form2& Form2();
  class Form3& Form3();
  // The window if it exists now, without creating it.
  class Form1* Form1_if_loaded() const;
  class Form2* Form2_if_loaded() const;
  class Form3* Form3_if_loaded() const;

 protected:
  std::unique_ptr<Window> make_window(const std::string& name) override;

 private:
  SharedState m_shared;
};

}  // namespace prevod
