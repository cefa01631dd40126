#include "model/option_button.h"

#include "model/window.h"

namespace prevod {

OptionButton::OptionButton(Window& window, const ControlSpec& design)
    : Control(window, design), m_value(design.value != 0), m_caption(design.caption) {}

void OptionButton::set_Value(bool value) {
  if (value == m_value) return;
  m_value = value;
  changed();
  if (!value) return;
  for (Control* other : window().controls_in(container())) {
    auto* option = dynamic_cast<OptionButton*>(other);
    if (option != nullptr && option != this && option->m_value) {
      option->m_value = false;
      option->changed();
    }
  }
  if (on_click) raise("Click", on_click);
}

std::optional<std::string> OptionButton::property(std::string_view name) const {
  if (name == "Value") return m_value ? "True" : "False";
  if (name == "Caption") return m_caption;
  return Control::property(name);
}

}  // namespace prevod
