#pragma once

// DrawAnimatedRects with IDANI_CAPTION on the real desktop: a caption-high
// band in title-bar colours glides from the top of one rectangle to the top
// of the other in a fifth of a second, then vanishes. It runs on Qt's loop,
// so the call returns at once; the band takes neither the focus nor the
// mouse, and lies above every window.

#include <QRect>

namespace prevod {

class CaptionAnimation {
 public:
  static constexpr int DurationMs = 200;
  static constexpr int CaptionHeight = 18;

  // Starts one animation (screen pixels); it cleans up after itself.
  static void play(const QRect& from, const QRect& to);
};

}  // namespace prevod
