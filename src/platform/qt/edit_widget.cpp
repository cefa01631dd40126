#include "platform/qt/edit_widget.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <QTextOption>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "model/rich_text_box.h"
#include "model/window.h"
#include "platform/qt/qt_measures.h"

namespace prevod {

namespace {

// Room between the border and the text.
constexpr double kMargin = 3;
// The text of a rich text box without a font of its own: a size that a
// translation reads well in.
constexpr float kRichTextPoints = 10.0f;
const QColor kBorder(122, 138, 160);
const QColor kSelection(51, 102, 204);
// Lines the wheel scrolls a notch.
constexpr int kWheelLines = 3;

QFont font_of(const RichTextBox& box, EditWidget::Lines lines) {
  if (box.design().font) return qt_font(*box.design().font);
  if (lines == EditWidget::Lines::One) return qt_font(box.window().layout().font);
  FontSpec font = box.window().layout().font;
  font.size = kRichTextPoints;
  return qt_font(font);
}

}  // namespace

EditWidget::EditWidget(RichTextBox& box, EventLoop& loop, QWidget* parent, Lines lines)
    : ControlWidget(box, loop, parent),
      m_box(&box),
      m_lines(lines),
      m_font(font_of(box, lines)),
      m_background(box.design().back_color ? qt_color(*box.design().back_color)
                                           : QColor(255, 255, 255)),
      m_revision(box.text_revision() - 1) {
  setCursor(Qt::IBeamCursor);
}

bool EditWidget::has_focus() const {
  return control() != nullptr && m_box->window().focused_control() == m_box;
}

void EditWidget::sync_content() {
  bool text_changed = m_box->text_revision() != m_revision;
  bool caret_moved = m_box->SelStart() != m_sel_start || m_box->SelLength() != m_sel_length;
  bool focus_changed = has_focus() != m_focused;
  if (!text_changed && !caret_moved && !focus_changed) return;
  if (text_changed) {
    m_revision = m_box->text_revision();
    m_text = qt_text(m_box->Text());
    m_laid_out = false;
  }
  m_sel_start = m_box->SelStart();
  m_sel_length = m_box->SelLength();
  m_focused = has_focus();
  const int caret = m_sel_start + m_sel_length;
  if (caret < m_shown_start || caret > m_shown_end) m_laid_out = false;
  if (text_changed || caret_moved) m_follow_pending = true;
  // A box out of sight follows its caret once it shows.
  if (m_follow_pending && m_box->shown()) follow_caret();
  update();
}

void EditWidget::resizeEvent(QResizeEvent* event) {
  ControlWidget::resizeEvent(event);
  m_laid_out = false;
}

void EditWidget::lay_out() {
  if (m_laid_out) return;
  m_laid_out = true;
  m_paragraphs.clear();
  const double line_width = std::max(1.0, width() - 2 * kMargin);
  QTextOption option;
  option.setWrapMode(m_lines == Lines::One ? QTextOption::NoWrap
                                           : QTextOption::WrapAtWordBoundaryOrAnywhere);
  double top = 0;
  m_content_width = 0;
  // The stretch around the caret, kept clear of splitting a character.
  const int length = static_cast<int>(m_text.size());
  const int caret = std::clamp(m_sel_start + m_sel_length, 0, length);
  m_shown_start = std::clamp(caret - kShownUnits / 2, 0, std::max(0, length - kShownUnits));
  m_shown_end = std::min(length, m_shown_start + kShownUnits);
  if (m_shown_start > 0 && m_text[m_shown_start].isLowSurrogate()) ++m_shown_start;
  if (m_shown_end < length && m_text[m_shown_end].isLowSurrogate()) ++m_shown_end;
  int start = m_shown_start;
  const int size = m_shown_end;
  while (true) {
    int end = start;
    while (end < size && m_text[end] != '\r' && m_text[end] != '\n') ++end;
    Paragraph paragraph;
    paragraph.start = start;
    paragraph.length = end - start;
    paragraph.top = top;
    paragraph.layout = std::make_unique<QTextLayout>(m_text.mid(start, end - start), m_font);
    paragraph.layout->setTextOption(option);
    paragraph.layout->beginLayout();
    double y = 0;
    for (QTextLine line = paragraph.layout->createLine(); line.isValid();
         line = paragraph.layout->createLine()) {
      if (m_lines == Lines::Several) line.setLineWidth(line_width);
      line.setPosition(QPointF(0, y));
      y += line.height();
      m_content_width = std::max(m_content_width, line.naturalTextWidth());
    }
    paragraph.layout->endLayout();
    top += y;
    m_paragraphs.push_back(std::move(paragraph));
    if (end >= size) break;
    // CR LF is one line break; so is a CR or an LF alone.
    start = end + ((m_text[end] == '\r' && end + 1 < size && m_text[end + 1] == '\n') ? 2 : 1);
    if (m_lines == Lines::One) break;
  }
  m_content_height = top;
}

const EditWidget::Paragraph* EditWidget::paragraph_of(int position) const {
  const Paragraph* found = m_paragraphs.empty() ? nullptr : &m_paragraphs.front();
  for (const Paragraph& paragraph : m_paragraphs) {
    if (paragraph.start > position) break;
    found = &paragraph;
  }
  return found;
}

QPointF EditWidget::origin() const {
  return QPointF(kMargin - m_scroll_x, kMargin - m_scroll_y);
}

QRectF EditWidget::caret_rect() {
  if (control() == nullptr || !has_focus()) return {};
  lay_out();
  int position = m_sel_start + m_sel_length;
  const Paragraph* paragraph = paragraph_of(position);
  if (paragraph == nullptr) return {};
  int local = std::clamp(position - paragraph->start, 0, paragraph->length);
  QTextLine line = paragraph->layout->lineForTextPosition(local);
  if (!line.isValid()) line = paragraph->layout->lineAt(0);
  if (!line.isValid()) return {};
  double x = line.cursorToX(local);
  QPointF at = origin() + QPointF(x, paragraph->top + line.y());
  return QRectF(at.x(), at.y(), 1, line.height());
}

void EditWidget::follow_caret() {
  m_follow_pending = false;
  lay_out();
  bool focused = m_focused;
  m_focused = true;  // the caret's place, whether or not it shows
  QRectF caret = caret_rect();
  m_focused = focused;
  if (caret.isNull()) return;
  const double view_height = height() - 2 * kMargin;
  const double view_width = width() - 2 * kMargin;
  double top = caret.top() - kMargin + m_scroll_y;
  double bottom = caret.bottom() - kMargin + m_scroll_y;
  if (top < m_scroll_y) m_scroll_y = top;
  if (bottom > m_scroll_y + view_height) m_scroll_y = bottom - view_height;
  double x = caret.left() - kMargin + m_scroll_x;
  if (x < m_scroll_x) m_scroll_x = x;
  if (x > m_scroll_x + view_width - 1) m_scroll_x = x - view_width + 1;
  m_scroll_y = std::clamp(m_scroll_y, 0.0, std::max(0.0, m_content_height - view_height));
  m_scroll_x = std::max(0.0, m_scroll_x);
}

void EditWidget::paintEvent(QPaintEvent*) {
  if (control() == nullptr) return;
  if (m_follow_pending) follow_caret();
  lay_out();
  QPainter painter(this);
  painter.fillRect(rect(), m_background);
  painter.setPen(kBorder);
  painter.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
  painter.setClipRect(QRectF(rect()).adjusted(1, 1, -1, -1));
  const Rgb ink = m_box->design().fore_color.value_or(Rgb{});
  painter.setPen(control()->Enabled() ? qt_color(ink) : QColor(128, 128, 128));

  const int selection_end = m_sel_start + m_sel_length;
  for (const Paragraph& paragraph : m_paragraphs) {
    QPointF at = origin() + QPointF(0, paragraph.top);
    QRectF bounds = paragraph.layout->boundingRect().translated(at);
    if (bounds.bottom() < 0) continue;
    if (bounds.top() > height()) break;
    QList<QTextLayout::FormatRange> selections;
    int from = std::max(m_sel_start, paragraph.start);
    int to = std::min(selection_end, paragraph.start + paragraph.length);
    if (m_focused && m_sel_length > 0 && to > from) {
      QTextLayout::FormatRange range;
      range.start = from - paragraph.start;
      range.length = to - from;
      range.format.setBackground(kSelection);
      range.format.setForeground(QColor(255, 255, 255));
      selections.append(range);
    }
    paragraph.layout->draw(&painter, at, selections);
  }
  QRectF caret = caret_rect();
  if (!caret.isNull()) painter.fillRect(caret, qt_color(ink));
}

int EditWidget::position_at(const QPointF& point) {
  lay_out();
  QPointF local = point - origin();
  const Paragraph* hit = m_paragraphs.empty() ? nullptr : &m_paragraphs.front();
  for (const Paragraph& paragraph : m_paragraphs) {
    if (paragraph.top > local.y()) break;
    hit = &paragraph;
  }
  if (hit == nullptr) return 0;
  QTextLayout& layout = *hit->layout;
  QTextLine line = layout.lineAt(0);
  for (int i = 0; i < layout.lineCount(); ++i) {
    if (hit->top + layout.lineAt(i).y() > local.y()) break;
    line = layout.lineAt(i);
  }
  if (!line.isValid()) return hit->start;
  return hit->start + line.xToCursor(local.x());
}

void EditWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && takes_input()) {
    int position = position_at(event->position());
    m_drag_anchor = position;
    act("place caret", [&](Control&) { m_box->set_SelStart(position); });
  }
  ControlWidget::mousePressEvent(event);
}

void EditWidget::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton) || m_drag_anchor < 0 || !takes_input()) return;
  int position = position_at(event->position());
  int start = std::min(position, m_drag_anchor);
  int length = std::abs(position - m_drag_anchor);
  if (start == m_box->SelStart() && length == m_box->SelLength()) return;
  act("select", [&](Control&) {
    m_box->set_SelStart(start);
    m_box->set_SelLength(length);
  });
}

void EditWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && takes_input()) {
    int position = position_at(event->position());
    auto in_word = [&](int at) {
      return at >= 0 && at < static_cast<int>(m_text.size()) && m_text[at].isLetterOrNumber();
    };
    int start = position;
    int end = position;
    while (in_word(start - 1)) --start;
    while (in_word(end)) ++end;
    if (end > start) {
      act("select word", [&](Control&) {
        m_box->set_SelStart(start);
        m_box->set_SelLength(end - start);
      });
    }
  }
  m_drag_anchor = -1;
  ControlWidget::mouseDoubleClickEvent(event);
}

void EditWidget::wheelEvent(QWheelEvent* event) {
  lay_out();
  m_wheel_rest += event->angleDelta().y() / 120.0;
  double notches = std::trunc(m_wheel_rest);
  m_wheel_rest -= notches;
  double view_height = height() - 2 * kMargin;
  double lines = notches * kWheelLines * QFontMetricsF(m_font).lineSpacing();
  m_scroll_y = std::clamp(m_scroll_y - lines, 0.0, std::max(0.0, m_content_height - view_height));
  update();
}

}  // namespace prevod
