#include "platform/qt/caption_painter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

namespace prevod {

void CaptionPainter::draw(QPainter& painter, const QRectF& box, const QString& caption,
                          const QFont& font, const QColor& color, Qt::Alignment alignment) {
  if (caption.isEmpty() || box.isEmpty()) return;
  QFontMetricsF metrics(font);
  painter.save();
  painter.setFont(font);
  painter.setPen(color);
  bool several_lines = caption.contains('\n') || box.height() >= 2 * metrics.lineSpacing();
  if (several_lines) {
    painter.drawText(box, static_cast<int>(alignment | Qt::TextWordWrap), caption);
    painter.restore();
    return;
  }
  double width = metrics.horizontalAdvance(caption);
  double scale = width > box.width() ? std::max(kNarrowest, box.width() / width) : 1.0;
  QString shown = caption;
  if (width * scale > box.width()) {
    shown = metrics.elidedText(caption, Qt::ElideRight, box.width() / scale);
  }
  painter.translate(box.topLeft());
  painter.scale(scale, 1.0);
  QRectF condensed(0, 0, box.width() / scale, box.height());
  painter.drawText(condensed, static_cast<int>(alignment | Qt::TextSingleLine), shown);
  painter.restore();
}

}  // namespace prevod
