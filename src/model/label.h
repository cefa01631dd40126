#pragma once

// A label: a caption drawn on its container, often transparent over a
// picture and acting as the button's click area.

#include "model/control.h"

namespace prevod {

class Label : public Control {
 public:
  Label(Window& window, const ControlSpec& design);
  const std::string& Caption() const { return m_caption; }
  void set_Caption(const std::string& caption);
  Rgb ForeColor() const { return m_fore_color; }
  void set_ForeColor(Rgb color);
  std::optional<std::string> property(std::string_view name) const override;

 private:
  std::string m_caption;
  Rgb m_fore_color;
};

}  // namespace prevod
