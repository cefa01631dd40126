#pragma once

// The top-level widget of a model window: frameless, of the tool kind, on
// the window's back colour with its background picture at its own size
// from the corner. It holds Qt's keyboard focus for the whole window (no
// control widget takes it), so every key that reaches the window, a
// person's or one sent through XTest, comes here first, Tab and Shift+Tab
// included; each becomes the model's key events, delivered to the model
// window one at a time as top-level handlers, as Windows posts them. A
// press and a release of a mouse button on the window's own background
// are the window's MouseDown and MouseUp.

#include <QWidget>
#include <optional>

#include "model/window_layout.h"

class QKeyEvent;

namespace prevod {

class EventLoop;
class Window;

class WindowSurface : public QWidget {
 public:
  WindowSurface(Window& window, EventLoop& loop);

  // The model window is going: from now on the widget leaves it alone.
  void detach();

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void deliver(const QKeyEvent& event);
  void mouse(bool down);

  Window* m_window;
  EventLoop& m_loop;
  Rgb m_color;
  std::optional<PictureSpec> m_picture;
};

}  // namespace prevod
