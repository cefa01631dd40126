#include "model/picture_box.h"

namespace prevod {

std::optional<std::string> PictureBox::property(std::string_view name) const {
  if (name == "ToolTipText") return design().tooltip;
  return Control::property(name);
}

}  // namespace prevod
