#include "platform/qt/check_box_widget.h"

#include <QPainter>
#include <algorithm>

#include "model/check_box.h"
#include "model/window.h"
#include "platform/qt/caption_painter.h"
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
  const ControlSpec& design = control()->design();
  painter.fillRect(rect(), design.back_color ? qt_color(*design.back_color) : window_color());
  double side = std::min(13.0, static_cast<double>(height()) - 2);
  QRectF box(1.5, (height() - side) / 2, side, side);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(96, 104, 120), 1));
  painter.setBrush(m_value == 2 ? QColor(220, 220, 220) : QColor(255, 255, 255));
  painter.drawRect(box);
  QColor ink = m_enabled ? QColor(32, 32, 32) : QColor(140, 140, 140);
  if (m_value != 0) SkinGlyphs::tick(painter, box, ink);
  QColor caption = design.fore_color ? qt_color(*design.fore_color) : QColor(0, 0, 0);
  QRectF text(box.right() + 5, 0, width() - box.right() - 5, height());
  CaptionPainter::draw(painter, text, qt_text(m_box->Caption()), m_font,
                       m_enabled ? caption : QColor(128, 128, 128),
                       Qt::AlignLeft | Qt::AlignVCenter);
}

}  // namespace prevod
