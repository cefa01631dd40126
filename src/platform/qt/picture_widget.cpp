#include "platform/qt/picture_widget.h"

#include <QPainter>
#include <QRegion>

#include "model/control.h"
#include "platform/qt/picture_painter.h"
#include "platform/qt/qt_measures.h"

namespace prevod {

PictureWidget::PictureWidget(Control& control, EventLoop& loop, QWidget* parent)
    : ControlWidget(control, loop, parent), m_picture(control.design().picture) {
  if (control.kind() == ControlKind::PictureBox) {
    m_background =
        control.design().back_color ? qt_color(*control.design().back_color) : window_color();
  }
}

void PictureWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QRect covered;
  if (m_picture) {
    covered = m_picture->stretch
                  ? rect()
                  : QRect(0, 0, m_picture->width_px, m_picture->height_px).intersected(rect());
  }
  // The background shows where the picture does not reach; what the
  // picture leaves clear (a button's rounded corners) shows what lies
  // behind the box.
  if (m_background) {
    painter.save();
    painter.setClipRegion(QRegion(rect()).subtracted(QRegion(covered)));
    painter.fillRect(rect(), *m_background);
    painter.restore();
  }
  if (m_picture) PicturePainter::paint(painter, *m_picture, QRectF(rect()));
}

}  // namespace prevod
