#pragma once

namespace prevod {

// The screen size in twips (15 twips per pixel).

inline constexpr int TwipsPerPixel = 15;

class Screen {
 public:
  virtual ~Screen() = default;
  virtual float Width() const = 0;
  virtual float Height() const = 0;
};

}  // namespace prevod
