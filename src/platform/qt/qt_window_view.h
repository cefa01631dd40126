#pragma once

// The inside of one model window on the real desktop: its top-level widget
// and a child widget for every control of its layout, kept in line with the
// model (the model is the truth; nothing is read back from the widgets).
//
// Each control's widget lies in its container's widget (the window's, or
// the picture box that holds it) at the control's place in twips, 15 to a
// pixel. Windowed controls (picture boxes, buttons, edit and list
// controls, browsers) stack in table order, the first in front, over the
// labels, images and lines of the same container, which stack among
// themselves in table order too. Timers have no widget.
//
// Input reaches the model as a person's: the top-level widget turns the
// keys that reach it into the model's key events for the window's focused
// control (WindowSurface), and each widget turns the mouse into its
// control's events (ControlWidget). Every such event runs as a top-level
// handler of the event loop. Widgets never take Qt's keyboard focus and
// never use QClipboard.
//
// The view may be destroyed from inside a handler that one of its own
// widgets started (a click on a close button unloads the window): the
// widgets are then let go of the model at once and deleted once control is
// back in Qt's loop.

#include <QIcon>
#include <QImage>
#include <QPoint>
#include <QSize>
#include <memory>
#include <vector>

class QWidget;

namespace prevod {

class Control;
class ControlWidget;
class EventLoop;
class Window;
class WindowSurface;
struct WindowLayout;

class QtWindowView {
 public:
  QtWindowView(Window& window, EventLoop& loop);
  ~QtWindowView();
  QtWindowView(const QtWindowView&) = delete;
  QtWindowView& operator=(const QtWindowView&) = delete;

  // The frameless tool top-level widget that shows the window. The view
  // never shows, hides, moves, resizes, raises or focuses it: the desktop
  // does, from the model.
  QWidget& top_level();

  // The model changed (a property of the window or of one of its
  // controls): brings the widgets in line. Cheap when little changed: each
  // widget compares what it shows with the model and repaints on a change.
  void sync();

  // The window's icon drawn from its layout (the tray uses Form2's); a null
  // icon when the layout has none.
  static QIcon icon(const WindowLayout& layout);

  // The widget that shows a control; nullptr for a timer or a control of
  // another window.
  ControlWidget* widget_of(const Control& control) const;
  // The window's place and size in the model, in pixels.
  QPoint model_position() const;
  QSize model_size() const;
  // The window as a person would see it, at its size in the model and at a
  // device pixel ratio (2 for a screen at 200%). Pages read their views
  // first. While the top-level widget is not on the screen it takes the
  // model's size for this; a shown one is drawn as it stands.
  QImage render(double device_pixel_ratio = 1.0);

 private:
  void build();
  void stack();

  Window& m_window;
  EventLoop& m_loop;
  std::unique_ptr<WindowSurface> m_surface;
  // In table order; owned by their parent widgets.
  std::vector<ControlWidget*> m_widgets;
};

}  // namespace prevod
