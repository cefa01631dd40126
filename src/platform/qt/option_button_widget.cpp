#include "platform/qt/option_button_widget.h"

#include <QPainter>

#include "model/option_button.h"
#include "model/window.h"
#include "platform/qt/qt_measures.h"

namespace prevod {

OptionButtonWidget::OptionButtonWidget(OptionButton& option, EventLoop& loop, QWidget* parent)
    : ControlWidget(option, loop, parent),
      m_option(&option),
      m_font(qt_font(option.design().font.value_or(option.window().layout().font))),
      m_value(option.Value()) {}

void OptionButtonWidget::sync_content() {
  if (m_option->Value() == m_value && m_option->Enabled() == m_enabled) return;
  m_value = m_option->Value();
  m_enabled = m_option->Enabled();
  update();
}

void OptionButtonWidget::paintEvent(QPaintEvent*) {
  if (control() == nullptr) return;
  QPainter painter(this);
  QRectF ring = paint_marked_caption(painter, qt_text(m_option->Caption()), m_font, m_enabled);
  painter.setPen(QPen(QColor(96, 104, 120), 1));
  painter.setBrush(QColor(255, 255, 255));
  painter.drawEllipse(ring);
  if (m_value) {
    double inset = ring.width() * 0.28;
    painter.setPen(Qt::NoPen);
    painter.setBrush(m_enabled ? QColor(32, 32, 32) : QColor(140, 140, 140));
    painter.drawEllipse(ring.adjusted(inset, inset, -inset, -inset));
  }
}

}  // namespace prevod
