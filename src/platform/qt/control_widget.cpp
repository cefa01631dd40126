#include "platform/qt/control_widget.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <string>

#include "base/event_loop.h"
#include "model/control.h"
#include "model/window.h"
#include "platform/qt/caption_painter.h"
#include "platform/qt/qt_measures.h"
#include "platform/qt/widget_input.h"

namespace prevod {

ControlWidget::ControlWidget(Control& control, EventLoop& loop, QWidget* parent)
    : QWidget(parent),
      m_control(&control),
      m_loop(loop),
      m_window_color(control.window().layout().back_color) {
  setFocusPolicy(Qt::NoFocus);
  setObjectName(qt_text(control.name()));
  if (!control.design().tooltip.empty()) setToolTip(qt_text(control.design().tooltip));
}

void ControlWidget::sync() {
  if (m_control == nullptr) return;
  QRect geometry = geometry_of(*m_control);
  if (!m_synced || geometry != m_geometry) {
    m_geometry = geometry;
    setGeometry(geometry);
  }
  bool visible = m_control->Visible();
  if (!m_synced || visible != m_visible) {
    m_visible = visible;
    setVisible(visible);
  }
  m_synced = true;
  sync_content();
}

void ControlWidget::detach() {
  m_control = nullptr;
  hide();
}

QRect ControlWidget::geometry_of(const Control& control) const {
  return twips_rect(control.Left(), control.Top(), control.Width(), control.Height());
}

void ControlWidget::act(std::string_view what, const std::function<void(Control&)>& action) {
  if (m_control == nullptr) return;
  Control* control = m_control;
  std::string name = control->window().name() + "." + control->name() + " " + std::string(what);
  WidgetInput::dispatch(m_loop, name, [&] {
    if (!control->window().unloaded()) action(*control);
  });
}

QRectF ControlWidget::paint_marked_caption(QPainter& painter, const QString& caption,
                                           const QFont& font, bool enabled) {
  const ControlSpec& design = control()->design();
  painter.fillRect(rect(), design.back_color ? qt_color(*design.back_color) : window_color());
  double side = std::min(13.0, static_cast<double>(height()) - 2);
  QRectF mark(1.5, (height() - side) / 2, side, side);
  painter.setRenderHint(QPainter::Antialiasing);
  QColor fore = design.fore_color ? qt_color(*design.fore_color) : QColor(0, 0, 0);
  QRectF text(mark.right() + 5, 0, width() - mark.right() - 5, height());
  CaptionPainter::draw(painter, text, caption, font, enabled ? fore : QColor(128, 128, 128),
                       Qt::AlignLeft | Qt::AlignVCenter);
  return mark;
}

QColor ControlWidget::window_color() const {
  return qt_color(m_window_color);
}

QPointF ControlWidget::twips_of(const QPointF& point) {
  return QPointF(pixels_to_twips(point.x()), pixels_to_twips(point.y()));
}

int ControlWidget::button_number(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return 1;
    case Qt::RightButton:
      return 2;
    case Qt::MiddleButton:
      return 4;
    default:
      return 0;
  }
}

bool ControlWidget::takes_input() const {
  return m_control != nullptr && m_control->Enabled();
}

void ControlWidget::press(QMouseEvent* event, bool second) {
  m_second_press = second;
  int button = button_number(event->button());
  if (!takes_input() || button == 0) return;
  QPointF at = twips_of(event->position());
  act("mouse down", [&](Control& control) {
    control.user_mouse(true, button, static_cast<float>(at.x()), static_cast<float>(at.y()));
  });
}

void ControlWidget::mousePressEvent(QMouseEvent* event) {
  press(event, false);
}

void ControlWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  press(event, true);
}

void ControlWidget::mouseReleaseEvent(QMouseEvent* event) {
  int button = button_number(event->button());
  bool second = m_second_press;
  m_second_press = false;
  if (!takes_input() || button == 0) return;
  QPointF at = twips_of(event->position());
  bool click = button == 1 && !second && rect().contains(event->position().toPoint());
  act("mouse up", [&](Control& control) {
    control.user_mouse(false, button, static_cast<float>(at.x()), static_cast<float>(at.y()));
    // MouseUp may have unloaded the window; a control of a window gone
    // takes no click.
    if (click && !control.window().unloaded()) control.user_click();
  });
}

}  // namespace prevod
