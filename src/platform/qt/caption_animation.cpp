#include "platform/qt/caption_animation.h"

#include <QLinearGradient>
#include <QPainter>
#include <QVariantAnimation>
#include <QWidget>
#include <algorithm>

namespace prevod {
namespace {

class CaptionBand : public QWidget {
 public:
  CaptionBand()
      : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint |
                             Qt::WindowStaysOnTopHint | Qt::WindowTransparentForInput) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_DeleteOnClose);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    QLinearGradient shade(0, 0, width(), 0);
    shade.setColorAt(0, QColor(0x0a, 0x24, 0x6a));
    shade.setColorAt(1, QColor(0xa6, 0xca, 0xf0));
    painter.fillRect(rect(), shade);
  }
};

QRect caption_of(const QRect& rect) {
  return QRect(rect.x(), rect.y(), std::max(1, rect.width()),
               std::min(CaptionAnimation::CaptionHeight, std::max(1, rect.height())));
}

}  // namespace

void CaptionAnimation::play(const QRect& from, const QRect& to) {
  auto* band = new CaptionBand;
  band->setGeometry(caption_of(from));
  auto* glide = new QVariantAnimation(band);
  glide->setDuration(DurationMs);
  glide->setStartValue(caption_of(from));
  glide->setEndValue(caption_of(to));
  QObject::connect(glide, &QVariantAnimation::valueChanged,
                   [band](const QVariant& value) { band->setGeometry(value.toRect()); });
  QObject::connect(glide, &QVariantAnimation::finished, band, &QWidget::close);
  band->show();
  glide->start();
}

}  // namespace prevod
