#pragma once

// A plug-in of a page, drawn from its face (platform/page_view.h) on a
// white stage at its OBJECT's box: captions, a text field with its
// selection and, while it has the plug-in's focus, its caret; a list
// showing its rows with the highlighted entry filled and the applied one
// ticked; buttons; pictures from their descriptions. The part with the
// plug-in's focus wears a ring. A person's mouse goes back to the plug-in
// as a PluginAction through `send`: a press in the text field places the
// caret, a press on a row of the list picks that entry, a button acts when
// released over it, and the wheel over the list moves its highlight.

#include <QRectF>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/page_view.h"

namespace prevod {

class PluginWidget : public QWidget {
 public:
  using Send = std::function<void(uint64_t plugin, const PluginAction& action)>;

  PluginWidget(uint64_t plugin, Send send, QWidget* parent);

  uint64_t plugin() const { return m_plugin; }
  const PluginFace& face() const { return m_face; }
  void set_face(const PluginFace& face);

  // Where a part lies, and a row of a list part, in the widget's pixels;
  // empty when the face has no such part or the row is not shown.
  QRectF part_box(const std::string& name) const;
  QRectF row_box(const std::string& list, int entry) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  const PluginPart* part_at(const QPointF& point) const;
  const PluginPart* part_named(const std::string& name) const;
  // The byte offset of the text field's text nearest a point.
  size_t position_in(const PluginPart& field, const QPointF& point) const;
  double field_scroll(const PluginPart& field) const;
  void paint_caption(QPainter& painter, const PluginPart& part) const;
  void paint_field(QPainter& painter, const PluginPart& part) const;
  void paint_list(QPainter& painter, const PluginPart& part) const;
  void paint_button(QPainter& painter, const PluginPart& part) const;

  uint64_t m_plugin;
  Send m_send;
  PluginFace m_face;
  std::string m_pressed;  // the button a press began on
  double m_wheel_rest = 0;
};

}  // namespace prevod
