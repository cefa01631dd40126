#pragma once

// A line control: a stroke in its fore colour from the top-left corner of
// its box to the bottom-right one, drawn on its container's surface. A
// line along one edge has a box of no width or height; the widget is one
// pixel wider and higher than the box so that the stroke has room.

#include "platform/qt/control_widget.h"

namespace prevod {

class LineWidget : public ControlWidget {
 public:
  using ControlWidget::ControlWidget;

 protected:
  QRect geometry_of(const Control& control) const override;
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace prevod
