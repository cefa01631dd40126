#include "platform/qt/label_widget.h"

#include <QPainter>

#include "model/label.h"
#include "model/window.h"
#include "platform/qt/caption_painter.h"
#include "platform/qt/picture_painter.h"
#include "platform/qt/qt_measures.h"

namespace prevod {

namespace {

bool lies_on_button(const Label& label) {
  const Control* container = label.container();
  if (container == nullptr || !container->design().picture) return false;
  return PicturePainter::is_button(*container->design().picture);
}

}  // namespace

LabelWidget::LabelWidget(Label& label, EventLoop& loop, QWidget* parent)
    : ControlWidget(label, loop, parent),
      m_label(&label),
      m_font(qt_font(label.design().font.value_or(label.window().layout().font))),
      m_alignment(lies_on_button(label) ? Qt::AlignHCenter | Qt::AlignTop
                                        : Qt::AlignLeft | Qt::AlignTop),
      m_caption(label.Caption()),
      m_color(label.ForeColor()) {}

void LabelWidget::sync_content() {
  if (m_label->Caption() == m_caption && m_label->ForeColor() == m_color &&
      m_label->Enabled() == m_enabled) {
    return;
  }
  m_caption = m_label->Caption();
  m_color = m_label->ForeColor();
  m_enabled = m_label->Enabled();
  update();
}

void LabelWidget::paintEvent(QPaintEvent*) {
  if (control() == nullptr) return;
  QPainter painter(this);
  const ControlSpec& design = control()->design();
  if (!design.transparent) {
    painter.fillRect(rect(), design.back_color ? qt_color(*design.back_color) : window_color());
  }
  QColor color = m_enabled ? qt_color(m_color) : QColor(128, 128, 128);
  CaptionPainter::draw(painter, QRectF(rect()), qt_text(m_caption), m_font, color, m_alignment);
}

}  // namespace prevod
