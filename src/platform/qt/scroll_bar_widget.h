#pragma once

// A scroll bar, laid across or upright as its design says: an arrow button
// at each end and a thumb on the track between them at Value's place in
// Min..Max. A person's mouse sets Value as on Windows: an arrow moves it by
// the small step, the track on either side of the thumb by the large step,
// and dragging the thumb sets the value under it. Each change raises the
// control's Change through the model.

#include <QRectF>
#include <cstdint>

#include "platform/qt/control_widget.h"

namespace prevod {

class ScrollBar;

class ScrollBarWidget : public ControlWidget {
 public:
  ScrollBarWidget(ScrollBar& bar, EventLoop& loop, QWidget* parent);

  // Where the parts lie, in the widget's pixels.
  QRectF lower_arrow() const;
  QRectF upper_arrow() const;
  QRectF thumb() const;

 protected:
  void sync_content() override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  double length() const;
  double thickness() const;
  // Along the bar, from its start.
  double along(const QPointF& point) const;
  QRectF span(double from, double to) const;
  void move_to(int value);

  ScrollBar* m_bar;
  bool m_horizontal;
  int16_t m_value;
  bool m_dragging = false;
  double m_grip = 0;  // where in the thumb it was taken
};

}  // namespace prevod
