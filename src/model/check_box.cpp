#include "model/check_box.h"

#include "base/runtime_error.h"

namespace prevod {

CheckBox::CheckBox(Window& window, const ControlSpec& design)
    : Control(window, design),
      m_value(static_cast<int16_t>(design.value)),
      m_caption(design.caption) {}

void CheckBox::set_Value(int16_t value) {
  if (value < 0 || value > 2) throw RuntimeError("Invalid property value");
  if (value == m_value) return;
  m_value = value;
  changed();
  if (on_click) raise("Click", on_click);
}

void CheckBox::user_click() {
  set_Value(m_value == 1 ? 0 : 1);
}

std::optional<std::string> CheckBox::property(std::string_view name) const {
  if (name == "Value") return std::to_string(m_value);
  if (name == "Caption") return m_caption;
  return Control::property(name);
}

}  // namespace prevod
