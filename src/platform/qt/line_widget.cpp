#include "platform/qt/line_widget.h"

#include <QPainter>

#include "model/control.h"
#include "platform/qt/qt_measures.h"

namespace prevod {

QRect LineWidget::geometry_of(const Control& control) const {
  return ControlWidget::geometry_of(control).adjusted(0, 0, 1, 1);
}

void LineWidget::paintEvent(QPaintEvent*) {
  if (control() == nullptr) return;
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  Rgb color = control()->design().fore_color.value_or(Rgb{});
  painter.setPen(QPen(qt_color(color), 1));
  painter.drawLine(QPointF(0.5, 0.5), QPointF(width() - 0.5, height() - 0.5));
}

}  // namespace prevod
