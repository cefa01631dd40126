#pragma once

// A rich text box or a text box, drawn from the model: its text (CR LF, CR
// or LF end a line; a rich text box also wraps at its width), and, while
// the box is its window's focused control, the selection and the caret
// where SelStart and SelLength put them (a box hides its selection while
// it has no focus). The view follows the caret: it scrolls just enough to
// keep the caret's line in sight, and the mouse wheel scrolls it further.
//
// A text of any length stays quick to show: at most kShownUnits code units
// of it, around the caret, are laid out at a time, and a box the model
// hides lays nothing out until it shows.
//
// The widget never edits the text: the model does, from the keys its
// window receives. The mouse places the caret where it is pressed, selects
// what it is dragged over, selects a word on a double click, and its
// release is the control's Click, which gives the box the focus.

#include <QFont>
#include <QString>
#include <QTextLayout>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/qt/control_widget.h"

namespace prevod {

class RichTextBox;

class EditWidget : public ControlWidget {
 public:
  enum class Lines { Several, One };
  // The most of a text laid out at once.
  static constexpr int kShownUnits = 65536;

  EditWidget(RichTextBox& box, EventLoop& loop, QWidget* parent, Lines lines);

  // Where the caret is drawn, in the widget's pixels (empty while the box
  // shows no caret).
  QRectF caret_rect();

 protected:
  void sync_content() override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  // A line of the text as the model keeps it, with where it starts in the
  // whole text (UTF-16 code units) and where it lies in the box.
  struct Paragraph {
    int start = 0;
    int length = 0;
    double top = 0;
    std::unique_ptr<QTextLayout> layout;
  };

  bool has_focus() const;
  void lay_out();
  void follow_caret();
  // The paragraph that holds a position of the whole text; a position in
  // a line break belongs to the line it ends.
  const Paragraph* paragraph_of(int position) const;
  int position_at(const QPointF& point);
  QPointF origin() const;

  RichTextBox* m_box;
  Lines m_lines;
  QFont m_font;
  QColor m_background;
  uint64_t m_revision;
  int32_t m_sel_start = 0;
  int32_t m_sel_length = 0;
  bool m_focused = false;
  QString m_text;
  std::vector<Paragraph> m_paragraphs;
  bool m_laid_out = false;
  bool m_follow_pending = false;
  // The stretch of the text laid out now, in code units.
  int m_shown_start = 0;
  int m_shown_end = 0;
  double m_content_height = 0;
  double m_content_width = 0;
  double m_scroll_x = 0;
  double m_scroll_y = 0;
  int m_drag_anchor = -1;
  double m_wheel_rest = 0;
};

}  // namespace prevod
