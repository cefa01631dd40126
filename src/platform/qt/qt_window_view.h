#pragma once

// The inside of one model window on the real desktop: its top-level widget
// and a child widget for every control of the layout, kept in line with the
// model (the model is the truth; nothing is read back from the widgets).
//
// FIXME: this is a stand-in until the controls are drawn: it makes the
// frameless tool top-level widget, paints the window's back colour, hands
// the keys that reach it to the model window and draws a plain window icon.
// It builds no control widgets.

#include <QIcon>
#include <QWidget>
#include <memory>

namespace prevod {

class EventLoop;
class Window;
struct WindowLayout;

class QtWindowView {
 public:
  QtWindowView(Window& window, EventLoop& loop);
  ~QtWindowView();

  // The frameless tool top-level widget that shows the window. The view
  // never shows, hides, moves, raises or focuses it: QtDesktop does, from
  // the model, through X11Windows.
  QWidget& top_level();

  // The model changed (a property of the window or of one of its controls):
  // bring the widgets in line. Called by QtDesktop on every
  // WindowSystem::window_changed, so it must be cheap when little changed.
  void sync();

  // The window's icon drawn from its layout (the tray uses Form2's);
  // a null icon when the layout has none.
  static QIcon icon(const WindowLayout& layout);

 private:
  class TopLevel;
  std::unique_ptr<TopLevel> m_top_level;
};

}  // namespace prevod
