#pragma once

// An image control: a picture drawn on its container, clickable.

#include "app/control.h"

class Image : public Control {
 public:
  using Control::Control;
};
