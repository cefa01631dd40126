#include "platform/qt/scroll_bar_widget.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "model/scroll_bar.h"
#include "platform/qt/skin_glyphs.h"

namespace prevod {

namespace {

const QColor kTrack(226, 230, 236);
const QColor kArrowSign(64, 72, 88);

}  // namespace

ScrollBarWidget::ScrollBarWidget(ScrollBar& bar, EventLoop& loop, QWidget* parent)
    : ControlWidget(bar, loop, parent),
      m_bar(&bar),
      m_horizontal(bar.design().horizontal),
      m_value(bar.Value()) {}

void ScrollBarWidget::sync_content() {
  if (m_bar->Value() == m_value) return;
  m_value = m_bar->Value();
  update();
}

double ScrollBarWidget::length() const {
  return m_horizontal ? width() : height();
}

double ScrollBarWidget::thickness() const {
  return m_horizontal ? height() : width();
}

double ScrollBarWidget::along(const QPointF& point) const {
  return m_horizontal ? point.x() : point.y();
}

QRectF ScrollBarWidget::span(double from, double to) const {
  return m_horizontal ? QRectF(from, 0, to - from, thickness())
                      : QRectF(0, from, thickness(), to - from);
}

QRectF ScrollBarWidget::lower_arrow() const {
  return span(0, std::min(thickness(), length() / 3));
}

QRectF ScrollBarWidget::upper_arrow() const {
  return span(length() - std::min(thickness(), length() / 3), length());
}

QRectF ScrollBarWidget::thumb() const {
  double arrow = std::min(thickness(), length() / 3);
  double track = length() - 2 * arrow;
  double size = std::min(thickness(), track);
  int low = std::min(m_bar->Min(), m_bar->Max());
  int high = std::max(m_bar->Min(), m_bar->Max());
  double fraction = high > low ? static_cast<double>(m_value - low) / (high - low) : 0;
  if (m_bar->Min() > m_bar->Max()) fraction = 1 - fraction;
  double start = arrow + fraction * (track - size);
  return span(start, start + size);
}

void ScrollBarWidget::paintEvent(QPaintEvent*) {
  if (control() == nullptr) return;
  QPainter painter(this);
  painter.fillRect(rect(), kTrack);
  SkinGlyphs::button_face(painter, lower_arrow(), SkinGlyphs::Face::Grey);
  SkinGlyphs::button_face(painter, upper_arrow(), SkinGlyphs::Face::Grey);
  SkinGlyphs::button_face(painter, thumb(), SkinGlyphs::Face::Grey);
  auto toward = m_horizontal ? SkinGlyphs::Direction::Left : SkinGlyphs::Direction::Up;
  if (m_horizontal) {
    SkinGlyphs::chevrons(painter, lower_arrow(), toward, 1, kArrowSign);
    SkinGlyphs::chevrons(painter, upper_arrow(), SkinGlyphs::Direction::Right, 1, kArrowSign);
  } else {
    SkinGlyphs::up_arrows(painter, lower_arrow(), 1, kArrowSign);
    painter.save();
    QRectF down = upper_arrow();
    painter.translate(down.center());
    painter.rotate(180);
    painter.translate(-down.center());
    SkinGlyphs::up_arrows(painter, down, 1, kArrowSign);
    painter.restore();
  }
}

void ScrollBarWidget::move_to(int value) {
  int low = std::min(m_bar->Min(), m_bar->Max());
  int high = std::max(m_bar->Min(), m_bar->Max());
  int16_t target = static_cast<int16_t>(std::clamp(value, low, high));
  if (target == m_bar->Value()) return;
  act("scroll", [&](Control&) { m_bar->set_Value(target); });
}

void ScrollBarWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !takes_input()) return;
  QPointF point = event->position();
  int direction = m_bar->Min() <= m_bar->Max() ? 1 : -1;
  if (lower_arrow().contains(point)) {
    move_to(m_bar->Value() - direction * m_bar->SmallChange());
  } else if (upper_arrow().contains(point)) {
    move_to(m_bar->Value() + direction * m_bar->SmallChange());
  } else if (thumb().contains(point)) {
    m_dragging = true;
    m_grip = along(point) - along(thumb().topLeft());
  } else if (along(point) < along(thumb().topLeft())) {
    move_to(m_bar->Value() - direction * m_bar->LargeChange());
  } else {
    move_to(m_bar->Value() + direction * m_bar->LargeChange());
  }
}

void ScrollBarWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  mousePressEvent(event);
}

void ScrollBarWidget::mouseMoveEvent(QMouseEvent* event) {
  if (!m_dragging || !takes_input()) return;
  double arrow = std::min(thickness(), length() / 3);
  double size = m_horizontal ? thumb().width() : thumb().height();
  double room = length() - 2 * arrow - size;
  if (room <= 0) return;
  double fraction = std::clamp((along(event->position()) - m_grip - arrow) / room, 0.0, 1.0);
  if (m_bar->Min() > m_bar->Max()) fraction = 1 - fraction;
  int low = std::min(m_bar->Min(), m_bar->Max());
  int high = std::max(m_bar->Min(), m_bar->Max());
  move_to(low + static_cast<int>(std::lround(fraction * (high - low))));
}

void ScrollBarWidget::mouseReleaseEvent(QMouseEvent*) {
  m_dragging = false;
}

}  // namespace prevod
