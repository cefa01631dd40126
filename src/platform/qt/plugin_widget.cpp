#include "platform/qt/plugin_widget.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <QTextLayout>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "platform/qt/caption_painter.h"
#include "platform/qt/picture_painter.h"
#include "platform/qt/qt_measures.h"
#include "platform/qt/skin_glyphs.h"
#include "platform/qt/skin_palette.h"

namespace prevod {

namespace {

constexpr double kCaptionPixels = 12;
constexpr double kFieldPixels = 13;
constexpr double kFieldMargin = 4;

QRectF box_of(const PluginPart& part) {
  return QRectF(part.box.left, part.box.top, part.box.width, part.box.height);
}

Qt::Alignment alignment_of(const PluginPart& part) {
  switch (part.align) {
    case PluginPart::Align::Centre:
      return Qt::AlignCenter;
    case PluginPart::Align::Right:
      return Qt::AlignRight | Qt::AlignVCenter;
    case PluginPart::Align::Left:
      break;
  }
  return Qt::AlignLeft | Qt::AlignVCenter;
}

// The UTF-16 position of a byte offset of a UTF-8 text.
int units_before(const std::string& text, size_t bytes) {
  return static_cast<int>(qt_text(text.substr(0, std::min(bytes, text.size()))).size());
}

double row_height(const PluginPart& list) {
  return list.rows > 0 ? (list.box.height - 2.0) / list.rows : 0;
}

void focus_ring(QPainter& painter, const QRectF& box) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(skin::kFocusRing, 2));
  painter.setBrush(Qt::NoBrush);
  painter.drawRoundedRect(box.adjusted(-2, -2, 2, 2), 4, 4);
  painter.restore();
}

}  // namespace

PluginWidget::PluginWidget(uint64_t plugin, Send send, QWidget* parent)
    : QWidget(parent), m_plugin(plugin), m_send(std::move(send)) {
  setFocusPolicy(Qt::NoFocus);
  setObjectName("plugin");
}

void PluginWidget::set_face(const PluginFace& face) {
  if (face == m_face) return;
  m_face = face;
  update();
}

const PluginPart* PluginWidget::part_named(const std::string& name) const {
  for (const PluginPart& part : m_face.parts) {
    if (part.name == name) return &part;
  }
  return nullptr;
}

const PluginPart* PluginWidget::part_at(const QPointF& point) const {
  for (auto part = m_face.parts.rbegin(); part != m_face.parts.rend(); ++part) {
    if (box_of(*part).contains(point)) return &*part;
  }
  return nullptr;
}

QRectF PluginWidget::part_box(const std::string& name) const {
  const PluginPart* part = part_named(name);
  return part != nullptr ? box_of(*part) : QRectF();
}

QRectF PluginWidget::row_box(const std::string& list, int entry) const {
  const PluginPart* part = part_named(list);
  if (part == nullptr || part->kind != PluginPart::Kind::List) return {};
  int row = entry - part->first_shown;
  if (row < 0 || row >= part->rows) return {};
  double height = row_height(*part);
  return QRectF(part->box.left + 1, part->box.top + 1 + row * height, part->box.width - 2, height);
}

double PluginWidget::field_scroll(const PluginPart& field) const {
  QFontMetricsF metrics(SkinGlyphs::font(kFieldPixels, false));
  QString text = qt_text(field.text);
  double caret = metrics.horizontalAdvance(text.left(units_before(field.text, field.caret)));
  double room = field.box.width - 2 * kFieldMargin - 1;
  return std::max(0.0, caret - room);
}

size_t PluginWidget::position_in(const PluginPart& field, const QPointF& point) const {
  QString text = qt_text(field.text);
  QTextLayout layout(text, SkinGlyphs::font(kFieldPixels, false));
  layout.beginLayout();
  QTextLine line = layout.createLine();
  layout.endLayout();
  if (!line.isValid()) return 0;
  double x = point.x() - field.box.left - kFieldMargin + field_scroll(field);
  int units = line.xToCursor(x);
  return utf8_of(text.left(units)).size();
}

void PluginWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), skin::kStage);
  for (const PluginPart& part : m_face.parts) {
    switch (part.kind) {
      case PluginPart::Kind::Caption:
        paint_caption(painter, part);
        break;
      case PluginPart::Kind::TextField:
        paint_field(painter, part);
        break;
      case PluginPart::Kind::List:
        paint_list(painter, part);
        break;
      case PluginPart::Kind::Button:
        paint_button(painter, part);
        break;
      case PluginPart::Kind::Picture:
        PicturePainter::paint_described(painter, part.text, box_of(part));
        break;
    }
  }
}

void PluginWidget::paint_caption(QPainter& painter, const PluginPart& part) const {
  CaptionPainter::draw(painter, box_of(part), qt_text(part.text),
                       SkinGlyphs::font(kCaptionPixels, part.bold), skin::kStageText,
                       alignment_of(part));
}

void PluginWidget::paint_field(QPainter& painter, const PluginPart& part) const {
  QRectF box = box_of(part);
  painter.save();
  painter.fillRect(box, QColor(255, 255, 255));
  painter.setPen(skin::kStageLine);
  painter.drawRect(box.adjusted(0.5, 0.5, -0.5, -0.5));
  painter.setClipRect(box.adjusted(1, 1, -1, -1));

  QString text = qt_text(part.text);
  QTextLayout layout(text, SkinGlyphs::font(kFieldPixels, false));
  layout.beginLayout();
  QTextLine line = layout.createLine();
  layout.endLayout();
  if (line.isValid()) {
    QPointF at(box.left() + kFieldMargin - field_scroll(part),
               box.top() + (box.height() - line.height()) / 2);
    int caret = units_before(part.text, part.caret);
    int anchor = units_before(part.text, part.anchor);
    QList<QTextLayout::FormatRange> selections;
    if (part.focused && caret != anchor) {
      QTextLayout::FormatRange range;
      range.start = std::min(caret, anchor);
      range.length = std::abs(caret - anchor);
      range.format.setBackground(skin::kHighlight);
      range.format.setForeground(skin::kHighlightText);
      selections.append(range);
    }
    painter.setPen(skin::kStageText);
    layout.draw(&painter, at, selections);
    if (part.focused) {
      double x = at.x() + line.cursorToX(caret);
      painter.fillRect(QRectF(x, at.y(), 1, line.height()), skin::kStageText);
    }
  }
  painter.restore();
  if (part.focused) focus_ring(painter, box);
}

void PluginWidget::paint_list(QPainter& painter, const PluginPart& part) const {
  QRectF box = box_of(part);
  painter.save();
  painter.fillRect(box, QColor(255, 255, 255));
  painter.setPen(skin::kStageLine);
  painter.drawRect(box.adjusted(0.5, 0.5, -0.5, -0.5));
  const double height = row_height(part);
  const int count = static_cast<int>(part.entries.size());
  for (int row = 0; row < part.rows; ++row) {
    int entry = part.first_shown + row;
    if (entry < 0 || entry >= count) continue;
    QRectF row_box(box.left() + 1, box.top() + 1 + row * height, box.width() - 7, height);
    bool highlighted = entry == part.highlighted;
    bool applied = entry == part.applied;
    if (highlighted) painter.fillRect(row_box, skin::kHighlight);
    QColor ink = highlighted ? skin::kHighlightText : skin::kStageText;
    QRectF text = row_box.adjusted(6, 0, -height, 0);
    CaptionPainter::draw(painter, text, qt_text(part.entries[static_cast<size_t>(entry)]),
                         SkinGlyphs::font(kCaptionPixels, applied), ink,
                         Qt::AlignLeft | Qt::AlignVCenter);
    if (applied) {
      QRectF mark(row_box.right() - height, row_box.top(), height, height);
      SkinGlyphs::tick(painter, mark.adjusted(3, 3, -3, -3),
                       highlighted ? skin::kHighlightText : skin::kHighlight);
    }
  }
  // Where the rows shown lie in the whole list.
  if (count > part.rows && part.rows > 0) {
    QRectF track(box.right() - 5, box.top() + 2, 3, box.height() - 4);
    painter.fillRect(track, QColor(226, 230, 236));
    double size = track.height() * part.rows / count;
    double top = track.top() + (track.height() - size) * part.first_shown / (count - part.rows);
    painter.fillRect(QRectF(track.left(), top, track.width(), size), skin::kStageLine);
  }
  painter.restore();
  if (part.focused) focus_ring(painter, box);
}

void PluginWidget::paint_button(QPainter& painter, const PluginPart& part) const {
  QRectF box = box_of(part);
  SkinGlyphs::Face face = SkinGlyphs::Face::Grey;
  if (part.name == "Stop") face = SkinGlyphs::Face::Red;
  if (part.name == "Speak") face = SkinGlyphs::Face::Turquoise;
  SkinGlyphs::button_face(painter, box, face);
  QColor ink = face == SkinGlyphs::Face::Grey ? skin::kStageText : QColor(255, 255, 255);
  CaptionPainter::draw(painter, box.adjusted(4, 0, -4, 0), qt_text(part.text),
                       SkinGlyphs::font(kCaptionPixels, true), ink, Qt::AlignCenter);
  if (part.focused) focus_ring(painter, box);
}

void PluginWidget::mousePressEvent(QMouseEvent* event) {
  m_pressed.clear();
  if (event->button() != Qt::LeftButton) return;
  const PluginPart* part = part_at(event->position());
  if (part == nullptr) return;
  PluginAction action;
  action.part = part->name;
  switch (part->kind) {
    case PluginPart::Kind::TextField:
      action.position = position_in(*part, event->position());
      m_send(m_plugin, action);
      return;
    case PluginPart::Kind::List: {
      double height = row_height(*part);
      if (height <= 0) return;
      int row = static_cast<int>((event->position().y() - part->box.top - 1) / height);
      int entry = part->first_shown + std::clamp(row, 0, part->rows - 1);
      if (entry >= static_cast<int>(part->entries.size())) return;
      action.entry = entry;
      m_send(m_plugin, action);
      return;
    }
    case PluginPart::Kind::Button:
      m_pressed = part->name;
      return;
    case PluginPart::Kind::Caption:
    case PluginPart::Kind::Picture:
      return;
  }
}

void PluginWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  mousePressEvent(event);
}

void PluginWidget::mouseReleaseEvent(QMouseEvent* event) {
  std::string pressed = std::move(m_pressed);
  m_pressed.clear();
  if (event->button() != Qt::LeftButton || pressed.empty()) return;
  const PluginPart* part = part_at(event->position());
  if (part == nullptr || part->name != pressed) return;
  PluginAction action;
  action.part = pressed;
  m_send(m_plugin, action);
}

void PluginWidget::wheelEvent(QWheelEvent* event) {
  const PluginPart* part = part_at(event->position());
  if (part == nullptr || part->kind != PluginPart::Kind::List) return;
  m_wheel_rest += event->angleDelta().y() / 120.0;
  int notches = static_cast<int>(std::trunc(m_wheel_rest));
  m_wheel_rest -= notches;
  if (notches == 0) return;
  PluginAction action;
  action.kind = PluginAction::Kind::Wheel;
  action.part = part->name;
  action.steps = -notches;
  m_send(m_plugin, action);
}

}  // namespace prevod
