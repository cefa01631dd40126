#pragma once

// The screen of the real desktop: the primary screen's size in the X
// server's pixels, at 15 twips to the pixel, so that a window centred by
// the model lands in the middle of what the person sees.

#include "platform/screen.h"

namespace prevod {

class QtScreen : public Screen {
 public:
  float Width() const override;
  float Height() const override;
};

}  // namespace prevod
