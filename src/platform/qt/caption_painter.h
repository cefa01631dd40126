#pragma once

// Draws a control's caption into its box. The layout tables size captions
// for the fonts of their design, which the installed fonts seldom match:
// a one-line caption that would run past its box is drawn condensed to fit
// (down to 70% of its width; beyond that it is cut with an ellipsis), and a
// caption in a box of several lines, or with line breaks of its own, wraps
// at word boundaries.

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>

class QPainter;

namespace prevod {

class CaptionPainter {
 public:
  // The narrowest a caption is condensed to.
  static constexpr double kNarrowest = 0.7;

  static void draw(QPainter& painter, const QRectF& box, const QString& caption, const QFont& font,
                   const QColor& color, Qt::Alignment alignment);
};

}  // namespace prevod
