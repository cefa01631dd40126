#pragma once

// A web browser control: the page its browser shows, drawn from the page's
// view (platform/page_view.h). The text is laid out simply on a white
// page: each block under the one before, wrapped at the flow's width,
// headings larger, bold runs bold, links blue and underlined; each plug-in
// is a PluginWidget at its box, in front of the text, as a windowed
// plug-in is. Placed flows start where the page puts them, so a plug-in
// the page moved up and left is cut by the control's edges.
//
// The page changes on the model's side in many small steps (a reshaping
// writes hundreds of styles), so the widget reads the view afresh once the
// model's handler has returned, not at each step. A press on the page
// gives the browser control the focus, as a click into a browser does; a
// person's mouse on a plug-in goes to the plug-in.

#include <QTextLayout>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "platform/page_view.h"
#include "platform/qt/control_widget.h"

namespace prevod {

class PluginWidget;
class WebBrowser;

class WebBrowserWidget : public ControlWidget {
 public:
  WebBrowserWidget(WebBrowser& browser, EventLoop& loop, QWidget* parent);
  ~WebBrowserWidget() override;

  // Reads the page's view now if it changed since the last read; the
  // widget does so by itself once control returns to Qt's loop.
  void refresh();
  // The plug-ins shown now, in document order.
  std::vector<PluginWidget*> plugins() const;

 protected:
  void sync_content() override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  struct Block {
    QPointF at;
    std::unique_ptr<QTextLayout> layout;
  };

  void lay_out();
  double lay_out_text(const PageItem& item, QPointF at, double width);
  void send(uint64_t plugin, const PluginAction& action);

  WebBrowser* m_browser;
  uint64_t m_revision;
  bool m_refresh_queued = false;
  PageView m_view;
  std::vector<Block> m_blocks;
  std::map<uint64_t, PluginWidget*> m_plugins;  // owned as Qt children
  std::vector<uint64_t> m_plugin_order;
};

}  // namespace prevod
