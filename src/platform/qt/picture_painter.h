#pragma once

// Draws the pictures of the layout tables from their descriptions
// (PictureSpec), with QPainter alone: every picture is our own drawing. A
// description is read for what it names:
//
// - a whole picture (PictureScenes): the finished speech window, the
//   player's presenter, the translation service's band with its three
//   buttons, the start-up cover, the program icon, the icons of the repeat
//   and stop buttons, the band shading to white, the progress bar's track
//   and fill;
// - or a face with what lies on it: a red or turquoise button, a
//   light-blue band, panel or option bar, a lavender strip or panel, a
//   blue patch; a bar, chevrons, up arrows, a cross, a tick, a figure and
//   a play sign.
//
// A description it does not know is drawn as a plain grey panel. Pictures
// are drawn as vectors in their own pixels and scaled to where they go, so
// they stay sharp at any device pixel ratio.

#include <QRectF>
#include <string>

#include "model/window_layout.h"

class QPainter;

namespace prevod {

class PicturePainter {
 public:
  // Paints the picture into `area`: at its own size from the area's
  // top-left corner, or stretched over the whole area; never outside it.
  static void paint(QPainter& painter, const PictureSpec& picture, const QRectF& area);
  // Paints a picture from its description alone, over all of `box`.
  static void paint_described(QPainter& painter, const std::string& description, const QRectF& box);
  // Whether the picture is the face of a button, on which captions are
  // centred.
  static bool is_button(const PictureSpec& picture);
};

}  // namespace prevod
