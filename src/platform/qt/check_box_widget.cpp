#include "platform/qt/check_box_widget.h"

#include <QPainter>

#include "model/check_box.h"
#include "model/window.h"
#include "platform/qt/qt_measures.h"
#include "platform/qt/skin_glyphs.h"

namespace prevod {

CheckBoxWidget::CheckBoxWidget(CheckBox& box, EventLoop& loop, QWidget* parent)
    : ControlWidget(box, loop, parent),
      m_box(&box),
      m_font(qt_font(box.design().font.value_or(box.window().layout().font))),
      m_value(box.Value()) {}

void CheckBoxWidget::sync_content() {
  if (m_box->Value() == m_value && m_box->Enabled() == m_enabled) return;
  m_value = m_box->Value();
  m_enabled = m_box->Enabled();
  update();
}

void CheckBoxWidget::paintEvent(QPaintEvent*) {
  if (control() == nullptr) return;
  QPainter painter(this);
  QRectF box = paint_marked_caption(painter, qt_text(m_box->Caption()), m_font, m_enabled);
  painter.setPen(QPen(QColor(96, 104, 120), 1));
  painter.setBrush(m_value == 2 ? QColor(220, 220, 220) : QColor(255, 255, 255));
  painter.drawRect(box);
  QColor ink = m_enabled ? QColor(32, 32, 32) : QColor(140, 140, 140);
  if (m_value != 0) SkinGlyphs::tick(painter, box, ink);
}

}  // namespace prevod
