#pragma once

// A single-line text box. It edits like a rich text box but has no line
// breaks of its own: Enter inserts nothing.

#include "model/rich_text_box.h"

namespace prevod {

class TextBox : public RichTextBox {
 public:
  using RichTextBox::RichTextBox;
  void key_event(const KeyEvent& event) override;
};

}  // namespace prevod
