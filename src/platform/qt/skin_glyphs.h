#pragma once

// The pieces the skin's pictures are made of, each drawn into a box in the
// picture's own pixels: the rounded face of a button in one of the skin's
// colours, and the signs that lie on buttons (a bar, chevrons, up arrows, a
// cross, a tick, a person's figure, a play sign, a stop square, a circular
// arrow).

#include <QColor>
#include <QFont>
#include <QRectF>

class QPainter;

namespace prevod {

class SkinGlyphs {
 public:
  enum class Face { Red, Turquoise, Lavender, Grey };
  enum class Direction { Left, Right, Up };

  static void button_face(QPainter& painter, const QRectF& box, Face face);
  static void bar(QPainter& painter, const QRectF& box, const QColor& color);
  // `count` chevrons side by side, pointing one way.
  static void chevrons(QPainter& painter, const QRectF& box, Direction direction, int count,
                       const QColor& color);
  static void up_arrows(QPainter& painter, const QRectF& box, int count, const QColor& color);
  static void cross(QPainter& painter, const QRectF& box, const QColor& color);
  static void tick(QPainter& painter, const QRectF& box, const QColor& color);
  static void figure(QPainter& painter, const QRectF& box, const QColor& color);
  static void play(QPainter& painter, const QRectF& box, const QColor& color);
  static void stop(QPainter& painter, const QRectF& box, const QColor& color);
  static void circular_arrow(QPainter& painter, const QRectF& box, const QColor& color);
  // A round button with a vertical sheen.
  static void round_face(QPainter& painter, const QRectF& box, const QColor& light,
                         const QColor& dark);
  // The sans serif of the skin at a size in pixels.
  static QFont font(double pixels, bool bold);
};

}  // namespace prevod
