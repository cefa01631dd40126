#include "platform/qt/window_surface.h"

#include <QKeyEvent>
#include <QPainter>

#include "model/window.h"
#include "platform/qt/key_translator.h"
#include "platform/qt/picture_painter.h"
#include "platform/qt/qt_measures.h"
#include "platform/qt/widget_input.h"

namespace prevod {

WindowSurface::WindowSurface(Window& window, EventLoop& loop)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint),
      m_window(&window),
      m_loop(loop),
      m_color(window.layout().back_color),
      m_picture(window.layout().picture) {
  setObjectName(qt_text(window.name()));
  setWindowTitle(qt_text(window.name()));
  setFocusPolicy(Qt::StrongFocus);
  // The window's own focus widget, for whenever the desktop activates it.
  setFocus(Qt::OtherFocusReason);
}

void WindowSurface::detach() {
  m_window = nullptr;
}

bool WindowSurface::event(QEvent* event) {
  // Keys are taken before QWidget's own handling, which would spend Tab and
  // Shift+Tab on moving Qt's focus between widgets.
  if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
    deliver(static_cast<const QKeyEvent&>(*event));
    event->accept();
    return true;
  }
  return QWidget::event(event);
}

void WindowSurface::deliver(const QKeyEvent& event) {
  for (const KeyEvent& key : KeyTranslator::translate(event)) {
    if (m_window == nullptr) return;
    Window* window = m_window;
    WidgetInput::dispatch(m_loop, window->name() + " key", [&] {
      if (!window->unloaded()) window->deliver_key(key);
    });
  }
}

void WindowSurface::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), qt_color(m_color));
  if (m_picture) PicturePainter::paint(painter, *m_picture, QRectF(rect()));
}

void WindowSurface::mouse(bool down) {
  if (m_window == nullptr) return;
  Window* window = m_window;
  WidgetInput::dispatch(m_loop, window->name() + (down ? " MouseDown" : " MouseUp"), [&] {
    if (window->unloaded()) return;
    auto& handler = down ? window->on_mouse_down : window->on_mouse_up;
    if (handler) handler();
  });
}

void WindowSurface::mousePressEvent(QMouseEvent*) {
  mouse(true);
}

void WindowSurface::mouseReleaseEvent(QMouseEvent*) {
  mouse(false);
}

}  // namespace prevod
