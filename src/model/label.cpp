#include "model/label.h"

#include <cstdio>

namespace prevod {

Label::Label(Window& window, const ControlSpec& design)
    : Control(window, design),
      m_caption(design.caption),
      m_fore_color(design.fore_color.value_or(Rgb{})) {}

void Label::set_Caption(const std::string& caption) {
  m_caption = caption;
  changed();
}

void Label::set_ForeColor(Rgb color) {
  m_fore_color = color;
  changed();
}

std::optional<std::string> Label::property(std::string_view name) const {
  if (name == "Caption") return m_caption;
  if (name == "ForeColor") {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%d,%d,%d", m_fore_color.r, m_fore_color.g,
                  m_fore_color.b);
    return buffer;
  }
  return Control::property(name);
}

}  // namespace prevod
