#include "platform/qt/skin_glyphs.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "platform/qt/skin_palette.h"

namespace prevod {

namespace {

struct FaceColors {
  QColor light;
  QColor base;
  QColor dark;
  QColor border;
};

FaceColors colors_of(SkinGlyphs::Face face) {
  switch (face) {
    case SkinGlyphs::Face::Red:
      return {skin::kRedLight, skin::kRed, skin::kRedDark, skin::kRedBorder};
    case SkinGlyphs::Face::Turquoise:
      return {skin::kTurquoiseLight, skin::kTurquoise, skin::kTurquoiseDark,
              skin::kTurquoiseBorder};
    case SkinGlyphs::Face::Lavender:
      return {skin::kLavender.lighter(106), skin::kLavender, skin::kLavender.darker(106),
              skin::kLavenderBorder};
    case SkinGlyphs::Face::Grey:
      break;
  }
  return {skin::kPanelGrey.lighter(110), skin::kPanelGrey, skin::kPanelGrey.darker(108),
          skin::kPanelGreyBorder};
}

QPen stroke(const QColor& color, double width) {
  QPen pen(color, width);
  pen.setCapStyle(Qt::RoundCap);
  pen.setJoinStyle(Qt::RoundJoin);
  return pen;
}

// The largest square centred in a box.
QRectF centred_square(const QRectF& box) {
  double side = std::min(box.width(), box.height());
  return QRectF(box.center().x() - side / 2, box.center().y() - side / 2, side, side);
}

}  // namespace

void SkinGlyphs::button_face(QPainter& painter, const QRectF& box, Face face) {
  FaceColors colors = colors_of(face);
  double radius = std::clamp(box.height() / 4.5, 1.0, 6.0);
  QRectF inner = box.adjusted(0.5, 0.5, -0.5, -0.5);
  QLinearGradient sheen(box.topLeft(), box.bottomLeft());
  sheen.setColorAt(0, colors.light);
  sheen.setColorAt(0.5, colors.base);
  sheen.setColorAt(1, colors.dark);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(colors.border, 1));
  painter.setBrush(sheen);
  painter.drawRoundedRect(inner, radius, radius);
  // A thin light line along the top edge gives the face its lift.
  QColor gleam(255, 255, 255, 80);
  painter.setPen(QPen(gleam, 1));
  painter.drawLine(QPointF(inner.left() + radius, inner.top() + 1.5),
                   QPointF(inner.right() - radius, inner.top() + 1.5));
  painter.restore();
}

void SkinGlyphs::bar(QPainter& painter, const QRectF& box, const QColor& color) {
  double width = box.width() * 0.42;
  double height = std::max(2.0, box.height() * 0.16);
  QRectF shape(box.center().x() - width / 2, box.center().y() - height / 2, width, height);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(color);
  painter.drawRoundedRect(shape, height / 2, height / 2);
  painter.restore();
}

void SkinGlyphs::chevrons(QPainter& painter, const QRectF& box, Direction direction, int count,
                          const QColor& color) {
  count = std::max(1, count);
  double height = box.height() * 0.5;
  double depth = height * 0.5;
  double gap = depth * 0.9;
  double total = count * depth + (count - 1) * gap;
  double x = box.center().x() - total / 2;
  double top = box.center().y() - height / 2;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(stroke(color, std::max(1.5, box.height() * 0.1)));
  for (int i = 0; i < count; ++i, x += depth + gap) {
    double tip = direction == Direction::Right ? x + depth : x;
    double back = direction == Direction::Right ? x : x + depth;
    QPointF points[3] = {{back, top}, {tip, top + height / 2}, {back, top + height}};
    painter.drawPolyline(points, 3);
  }
  painter.restore();
}

void SkinGlyphs::up_arrows(QPainter& painter, const QRectF& box, int count, const QColor& color) {
  count = std::max(1, count);
  double height = box.height() * 0.64;
  double width = height * 0.8;
  double gap = width * 0.45;
  double total = count * width + (count - 1) * gap;
  double x = box.center().x() - total / 2;
  double top = box.center().y() - height / 2;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(color);
  for (int i = 0; i < count; ++i, x += width + gap) {
    QPainterPath arrow;
    double stem = width * 0.36;
    double middle = x + width / 2;
    arrow.moveTo(middle, top);
    arrow.lineTo(x + width, top + height * 0.5);
    arrow.lineTo(middle + stem / 2, top + height * 0.5);
    arrow.lineTo(middle + stem / 2, top + height);
    arrow.lineTo(middle - stem / 2, top + height);
    arrow.lineTo(middle - stem / 2, top + height * 0.5);
    arrow.lineTo(x, top + height * 0.5);
    arrow.closeSubpath();
    painter.drawPath(arrow);
  }
  painter.restore();
}

void SkinGlyphs::cross(QPainter& painter, const QRectF& box, const QColor& color) {
  QRectF square = centred_square(box);
  double inset = square.width() * 0.27;
  QRectF arms = square.adjusted(inset, inset, -inset, -inset);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(stroke(color, std::max(1.5, square.width() * 0.13)));
  painter.drawLine(arms.topLeft(), arms.bottomRight());
  painter.drawLine(arms.topRight(), arms.bottomLeft());
  painter.restore();
}

void SkinGlyphs::tick(QPainter& painter, const QRectF& box, const QColor& color) {
  QRectF square = centred_square(box);
  double s = square.width();
  QPointF points[3] = {{square.left() + s * 0.18, square.top() + s * 0.52},
                       {square.left() + s * 0.42, square.top() + s * 0.76},
                       {square.left() + s * 0.84, square.top() + s * 0.24}};
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(stroke(color, std::max(1.5, s * 0.16)));
  painter.drawPolyline(points, 3);
  painter.restore();
}

void SkinGlyphs::figure(QPainter& painter, const QRectF& box, const QColor& color) {
  QRectF square = centred_square(box);
  double s = square.width();
  QRectF head(square.center().x() - s * 0.16, square.top() + s * 0.14, s * 0.32, s * 0.32);
  QPainterPath body;
  body.moveTo(square.left() + s * 0.2, square.top() + s * 0.9);
  body.cubicTo(square.left() + s * 0.2, square.top() + s * 0.5, square.right() - s * 0.2,
               square.top() + s * 0.5, square.right() - s * 0.2, square.top() + s * 0.9);
  body.closeSubpath();
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(color);
  painter.drawEllipse(head);
  painter.drawPath(body);
  painter.restore();
}

void SkinGlyphs::play(QPainter& painter, const QRectF& box, const QColor& color) {
  QRectF square = centred_square(box);
  double s = square.width();
  QPointF points[3] = {{square.left() + s * 0.34, square.top() + s * 0.24},
                       {square.left() + s * 0.8, square.top() + s * 0.5},
                       {square.left() + s * 0.34, square.top() + s * 0.76}};
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(color);
  painter.drawPolygon(points, 3);
  painter.restore();
}

void SkinGlyphs::stop(QPainter& painter, const QRectF& box, const QColor& color) {
  QRectF square = centred_square(box);
  double inset = square.width() * 0.3;
  QRectF shape = square.adjusted(inset, inset, -inset, -inset);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(color);
  painter.drawRoundedRect(shape, shape.width() * 0.12, shape.width() * 0.12);
  painter.restore();
}

void SkinGlyphs::circular_arrow(QPainter& painter, const QRectF& box, const QColor& color) {
  QRectF square = centred_square(box);
  double s = square.width();
  QRectF ring = square.adjusted(s * 0.26, s * 0.26, -s * 0.26, -s * 0.26);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(stroke(color, std::max(1.5, s * 0.09)));
  painter.setBrush(Qt::NoBrush);
  // From the top, most of the way round clockwise; the head points on.
  painter.drawArc(ring, 90 * 16, -290 * 16);
  QPointF tip(ring.center().x() + s * 0.02, ring.top());
  painter.setPen(Qt::NoPen);
  painter.setBrush(color);
  QPointF head[3] = {{tip.x() + s * 0.13, tip.y()},
                     {tip.x() - s * 0.02, tip.y() - s * 0.11},
                     {tip.x() - s * 0.02, tip.y() + s * 0.11}};
  painter.drawPolygon(head, 3);
  painter.restore();
}

void SkinGlyphs::round_face(QPainter& painter, const QRectF& box, const QColor& light,
                            const QColor& dark) {
  QRectF square = centred_square(box).adjusted(0.5, 0.5, -0.5, -0.5);
  QLinearGradient sheen(square.topLeft(), square.bottomLeft());
  sheen.setColorAt(0, light);
  sheen.setColorAt(1, dark);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(dark.darker(140), 1));
  painter.setBrush(sheen);
  painter.drawEllipse(square);
  painter.restore();
}

QFont SkinGlyphs::font(double pixels, bool bold) {
  QFont font;
  font.setFamilies({"DejaVu Sans", "Liberation Sans", "Noto Sans", "Sans Serif"});
  font.setPixelSize(std::max(1, static_cast<int>(pixels + 0.5)));
  font.setBold(bold);
  return font;
}

}  // namespace prevod
