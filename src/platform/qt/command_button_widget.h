#pragma once

// A command button: a raised grey face with its caption centred, pressed in
// while the left button is held on it. A click is the control's.

#include "platform/qt/control_widget.h"

namespace prevod {

class CommandButton;

class CommandButtonWidget : public ControlWidget {
 public:
  CommandButtonWidget(CommandButton& button, EventLoop& loop, QWidget* parent);

 protected:
  void sync_content() override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  CommandButton* m_button;
  QFont m_font;
  bool m_enabled = true;
  bool m_pressed = false;
};

}  // namespace prevod
