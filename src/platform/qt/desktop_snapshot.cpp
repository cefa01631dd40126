#include "platform/qt/desktop_snapshot.h"

#include <QPainter>
#include <QRect>

#include "platform/qt/qt_window_view.h"

namespace prevod {

namespace {

const QColor kDesktop(58, 64, 76);

}  // namespace

QImage DesktopSnapshot::compose(const std::vector<QtWindowView*>& back_to_front,
                                double device_pixel_ratio) {
  QRect bounds;
  for (QtWindowView* view : back_to_front) {
    bounds = bounds.united(QRect(view->model_position(), view->model_size()));
  }
  if (bounds.isEmpty()) return {};
  QImage image(bounds.size() * device_pixel_ratio, QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(device_pixel_ratio);
  image.fill(kDesktop);
  QPainter painter(&image);
  for (QtWindowView* view : back_to_front) {
    QImage window = view->render(device_pixel_ratio);
    painter.drawImage(view->model_position() - bounds.topLeft(), window);
  }
  painter.end();
  return image;
}

}  // namespace prevod
