#pragma once

// A picture box: a bitmap of its own size, a container for other controls,
// and the usual surface of a skinned button.

#include "model/control.h"

namespace prevod {

class PictureBox : public Control {
 public:
  using Control::Control;
  std::optional<std::string> property(std::string_view name) const override;
};

}  // namespace prevod
