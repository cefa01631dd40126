#include "platform/qt/command_button_widget.h"

#include <QMouseEvent>
#include <QPainter>

#include "model/command_button.h"
#include "model/window.h"
#include "platform/qt/caption_painter.h"
#include "platform/qt/qt_measures.h"
#include "platform/qt/skin_glyphs.h"

namespace prevod {

CommandButtonWidget::CommandButtonWidget(CommandButton& button, EventLoop& loop, QWidget* parent)
    : ControlWidget(button, loop, parent),
      m_button(&button),
      m_font(qt_font(button.design().font.value_or(button.window().layout().font))) {}

void CommandButtonWidget::sync_content() {
  if (m_button->Enabled() == m_enabled) return;
  m_enabled = m_button->Enabled();
  update();
}

void CommandButtonWidget::paintEvent(QPaintEvent*) {
  if (control() == nullptr) return;
  QPainter painter(this);
  QRectF face(rect());
  SkinGlyphs::button_face(painter, face, SkinGlyphs::Face::Grey);
  if (m_pressed) painter.fillRect(face.adjusted(1, 1, -1, -1), QColor(0, 0, 0, 28));
  QRectF text = face.adjusted(3, 0, -3, 0).translated(m_pressed ? 1 : 0, m_pressed ? 1 : 0);
  CaptionPainter::draw(painter, text, qt_text(m_button->Caption()), m_font,
                       m_enabled ? QColor(0, 0, 0) : QColor(128, 128, 128), Qt::AlignCenter);
}

void CommandButtonWidget::mousePressEvent(QMouseEvent* event) {
  m_pressed = event->button() == Qt::LeftButton && takes_input();
  update();
  ControlWidget::mousePressEvent(event);
}

void CommandButtonWidget::mouseReleaseEvent(QMouseEvent* event) {
  m_pressed = false;
  update();
  ControlWidget::mouseReleaseEvent(event);
}

}  // namespace prevod
