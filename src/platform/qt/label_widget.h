#pragma once

// A label: its caption in its fore colour and font (the window's font when
// it has none of its own), on its back colour unless it is transparent. A
// caption lying on a button's picture is centred on it; others start at
// the left. A disabled label's caption is grey.

#include <string>

#include "model/window_layout.h"
#include "platform/qt/control_widget.h"

namespace prevod {

class Label;

class LabelWidget : public ControlWidget {
 public:
  LabelWidget(Label& label, EventLoop& loop, QWidget* parent);

 protected:
  void sync_content() override;
  void paintEvent(QPaintEvent* event) override;

 private:
  Label* m_label;
  QFont m_font;
  Qt::Alignment m_alignment;
  std::string m_caption;
  Rgb m_color;
  bool m_enabled = true;
};

}  // namespace prevod
