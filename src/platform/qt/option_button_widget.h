#pragma once

// An option button: a round button, filled while it is the selected one of
// its group, with its caption beside it in its fore colour. A click is the
// control's: the model selects it and clears the others.

#include "platform/qt/control_widget.h"

namespace prevod {

class OptionButton;

class OptionButtonWidget : public ControlWidget {
 public:
  OptionButtonWidget(OptionButton& option, EventLoop& loop, QWidget* parent);

 protected:
  void sync_content() override;
  void paintEvent(QPaintEvent* event) override;

 private:
  OptionButton* m_option;
  QFont m_font;
  bool m_value;
  bool m_enabled = true;
};

}  // namespace prevod
