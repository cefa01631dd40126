#pragma once

// The widget that shows one control of a model window, kept in line with
// the model: its place and size (twips, relative to its container's
// widget), its visibility and its tooltip; each kind draws what it shows.
// A person's mouse on it reaches the model as the control's own events,
// each as a top-level handler: MouseDown on a press, MouseUp on the
// release, and Click after it when the left button was released over the
// control. The second press of a double click raises MouseDown and MouseUp
// but no second Click, as on Windows, which raises DblClick in its place.
// A disabled control takes no mouse. Once detached from its control (the
// window is going) the widget does nothing more with the model.

#include <QFont>
#include <QRect>
#include <QString>
#include <QWidget>
#include <functional>
#include <string_view>

#include "model/window_layout.h"

class QMouseEvent;

class QPainter;

namespace prevod {

class Control;
class EventLoop;

class ControlWidget : public QWidget {
 public:
  ControlWidget(Control& control, EventLoop& loop, QWidget* parent);

  // nullptr once detached.
  Control* control() const { return m_control; }
  // Brings the widget in line with the model; cheap when nothing changed.
  void sync();
  // The model control is going: from now on the widget leaves it alone.
  void detach();

 protected:
  // Each kind compares what it shows with the model and repaints on a
  // change.
  virtual void sync_content() {}
  // Where the widget lies in its container, in pixels.
  virtual QRect geometry_of(const Control& control) const;
  // Runs a person's action on the control as a top-level handler; nothing
  // once detached or when the control's window has been unloaded.
  void act(std::string_view what, const std::function<void(Control&)>& action);
  EventLoop& loop() const { return m_loop; }
  // The colour of the window's own background.
  QColor window_color() const;
  // The frame of a control drawn as a small mark with its caption beside
  // it (check boxes, option buttons): paints the background and the
  // caption, turns antialiasing on and gives the mark's square for the
  // caller to draw the mark into.
  QRectF paint_marked_caption(QPainter& painter, const QString& caption, const QFont& font,
                              bool enabled);
  // A point of the widget in twips from the control's corner.
  static QPointF twips_of(const QPointF& point);
  // The mouse button as the model numbers it: 1 left, 2 right, 4 middle.
  static int button_number(Qt::MouseButton button);
  // Whether the control reacts to a person now.
  bool takes_input() const;

  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  void press(QMouseEvent* event, bool second);

  Control* m_control;
  EventLoop& m_loop;
  Rgb m_window_color;
  QRect m_geometry;
  bool m_visible = false;
  bool m_synced = false;
  bool m_second_press = false;
};

}  // namespace prevod
