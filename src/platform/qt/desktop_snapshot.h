#pragma once

// A picture of several windows as they stand on the screen: each rendered
// offscreen by its view at its place in the model, the later ones in front
// of the earlier ones, on a plain desktop colour, cut to the box around
// them. The README's screenshot of the speech window behind the
// translation window is made with it.

#include <QImage>
#include <vector>

namespace prevod {

class QtWindowView;

class DesktopSnapshot {
 public:
  static QImage compose(const std::vector<QtWindowView*>& back_to_front,
                        double device_pixel_ratio = 1.0);
};

}  // namespace prevod
