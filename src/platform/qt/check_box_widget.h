#pragma once

// A check box: a square box, ticked while Value is 1 and shaded while it is
// 2 (grayed), with its caption beside it. A click is the control's: the
// model turns the value over.

#include <cstdint>

#include "platform/qt/control_widget.h"

namespace prevod {

class CheckBox;

class CheckBoxWidget : public ControlWidget {
 public:
  CheckBoxWidget(CheckBox& box, EventLoop& loop, QWidget* parent);

 protected:
  void sync_content() override;
  void paintEvent(QPaintEvent* event) override;

 private:
  CheckBox* m_box;
  QFont m_font;
  int16_t m_value;
  bool m_enabled = true;
};

}  // namespace prevod
