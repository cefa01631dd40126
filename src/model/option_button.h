#pragma once

// An option button: one of the option buttons sharing a container is
// selected. Selecting one clears the others of its group and raises its
// Click; assigning True to the selected one raises nothing.

#include "model/control.h"

namespace prevod {

class OptionButton : public Control {
 public:
  OptionButton(Window& window, const ControlSpec& design);
  bool Value() const { return m_value; }
  void set_Value(bool value);
  const std::string& Caption() const { return m_caption; }
  bool can_take_focus() const override { return true; }
  void user_click() override { set_Value(true); }
  std::optional<std::string> property(std::string_view name) const override;

 private:
  bool m_value;
  std::string m_caption;
};

}  // namespace prevod
