#pragma once

// An image control: a picture drawn on its container, clickable.

#include "model/control.h"

namespace prevod {

class Image : public Control {
 public:
  using Control::Control;
};

}  // namespace prevod
