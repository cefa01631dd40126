#pragma once

// A picture box or an image: its picture painted from its description, at
// its own size from the corner or stretched over the control. Where the
// picture does not reach, a picture box shows its own background colour,
// or the window's when the design gives none; an image shows whatever is
// behind it. A picture box holds the widgets of the controls inside it.

#include <optional>

#include "model/window_layout.h"
#include "platform/qt/control_widget.h"

namespace prevod {

class PictureWidget : public ControlWidget {
 public:
  PictureWidget(Control& control, EventLoop& loop, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::optional<PictureSpec> m_picture;
  std::optional<QColor> m_background;
};

}  // namespace prevod
