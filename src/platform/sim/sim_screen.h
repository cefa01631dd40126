#pragma once

// The simulated screen, sized in pixels and read in twips.

#include "platform/screen.h"

namespace prevod {

class SimDesktop;

class SimScreen : public Screen {
 public:
  explicit SimScreen(const SimDesktop& desktop) : m_desktop(desktop) {}
  float Width() const override;
  float Height() const override;

 private:
  const SimDesktop& m_desktop;
};

}  // namespace prevod
