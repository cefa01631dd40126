#pragma once

// A check box: Value 0 (off) or 1 (on). Assigning a different Value raises
// Click at once; assigning the value it already has raises nothing.

#include <cstdint>

#include "model/control.h"

namespace prevod {

class CheckBox : public Control {
 public:
  CheckBox(Window& window, const ControlSpec& design);
  int16_t Value() const { return m_value; }
  // RuntimeError for values other than 0, 1 and 2 (grayed).
  void set_Value(int16_t value);
  const std::string& Caption() const { return m_caption; }
  bool can_take_focus() const override { return true; }
  void user_click() override;
  std::optional<std::string> property(std::string_view name) const override;

 private:
  int16_t m_value;
  std::string m_caption;
};

}  // namespace prevod
