#include "platform/qt/web_browser_widget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTextOption>
#include <algorithm>
#include <set>

#include "model/web_browser.h"
#include "model/window.h"
#include "platform/qt/plugin_widget.h"
#include "platform/qt/qt_measures.h"
#include "platform/qt/skin_glyphs.h"

namespace prevod {

namespace {

// The page's right margin, as its body's left one.
constexpr int kMargin = 8;
constexpr int kNarrowestFlow = 40;
constexpr double kBlockGap = 4;
constexpr double kTabStop = 96;
const QColor kPage(255, 255, 255);
const QColor kInk(24, 24, 28);
const QColor kLink(20, 60, 190);

double font_pixels(int heading) {
  switch (heading) {
    case 1:
      return 20;
    case 2:
      return 17;
    case 3:
      return 15;
    case 4:
      return 13;
    default:
      return 12;
  }
}

}  // namespace

WebBrowserWidget::WebBrowserWidget(WebBrowser& browser, EventLoop& loop, QWidget* parent)
    : ControlWidget(browser, loop, parent),
      m_browser(&browser),
      m_revision(browser.browser().view_revision() - 1) {}

WebBrowserWidget::~WebBrowserWidget() = default;

void WebBrowserWidget::sync_content() {
  if (m_browser->browser().view_revision() == m_revision || m_refresh_queued) return;
  m_refresh_queued = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        m_refresh_queued = false;
        refresh();
      },
      Qt::QueuedConnection);
}

void WebBrowserWidget::refresh() {
  if (control() == nullptr) return;
  uint64_t revision = m_browser->browser().view_revision();
  if (revision == m_revision) return;
  m_revision = revision;
  m_view = m_browser->browser().view();

  std::vector<uint64_t> order;
  for (const PageFlow& flow : m_view.flows) {
    for (const PageItem& item : flow.items) {
      if (item.kind != PageItem::Kind::Plugin) continue;
      order.push_back(item.plugin);
      auto [found, added] = m_plugins.try_emplace(item.plugin, nullptr);
      if (added) {
        found->second = new PluginWidget(
            item.plugin,
            [this](uint64_t plugin, const PluginAction& action) { send(plugin, action); }, this);
      }
      found->second->set_face(item.face);
    }
  }
  std::set<uint64_t> present(order.begin(), order.end());
  for (auto it = m_plugins.begin(); it != m_plugins.end();) {
    if (present.count(it->first) != 0) {
      ++it;
      continue;
    }
    // A plug-in the page let go: its widget goes once Qt is back in its loop.
    it->second->hide();
    it->second->deleteLater();
    it = m_plugins.erase(it);
  }
  m_plugin_order = std::move(order);
  lay_out();
  update();
}

std::vector<PluginWidget*> WebBrowserWidget::plugins() const {
  std::vector<PluginWidget*> shown;
  for (uint64_t plugin : m_plugin_order) {
    auto found = m_plugins.find(plugin);
    if (found != m_plugins.end()) shown.push_back(found->second);
  }
  return shown;
}

void WebBrowserWidget::resizeEvent(QResizeEvent* event) {
  ControlWidget::resizeEvent(event);
  lay_out();
}

double WebBrowserWidget::lay_out_text(const PageItem& item, QPointF at, double width) {
  QString text;
  QList<QTextLayout::FormatRange> formats;
  for (const TextRun& run : item.runs) {
    QString piece = qt_text(run.text);
    piece.replace(QChar('\n'), QChar::LineSeparator);
    if (run.bold || run.link) {
      QTextLayout::FormatRange range;
      range.start = static_cast<int>(text.size());
      range.length = static_cast<int>(piece.size());
      if (run.bold) range.format.setFontWeight(QFont::Bold);
      if (run.link) {
        range.format.setForeground(kLink);
        range.format.setFontUnderline(true);
      }
      formats.append(range);
    }
    text += piece;
  }
  Block block;
  block.at = at;
  block.layout = std::make_unique<QTextLayout>(
      text, SkinGlyphs::font(font_pixels(item.heading), item.heading != 0));
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  option.setTabStopDistance(kTabStop);
  block.layout->setTextOption(option);
  block.layout->setFormats(formats);
  block.layout->beginLayout();
  double height = 0;
  for (QTextLine line = block.layout->createLine(); line.isValid();
       line = block.layout->createLine()) {
    line.setLineWidth(width);
    line.setPosition(QPointF(0, height));
    height += line.height();
  }
  block.layout->endLayout();
  m_blocks.push_back(std::move(block));
  return height;
}

void WebBrowserWidget::lay_out() {
  m_blocks.clear();
  for (const PageFlow& flow : m_view.flows) {
    double x = flow.left;
    double y = flow.top;
    double flow_width =
        flow.width > 0 ? flow.width : std::max(kNarrowestFlow, width() - flow.left - kMargin);
    for (const PageItem& item : flow.items) {
      if (item.kind == PageItem::Kind::Plugin) {
        auto found = m_plugins.find(item.plugin);
        if (found == m_plugins.end()) continue;
        found->second->setGeometry(static_cast<int>(x), static_cast<int>(y), item.box.width,
                                   item.box.height);
        // What lies below the page's visible part is never laid out, so a
        // plug-in past it cannot be placed.
        found->second->setVisible(y < height());
        y += item.box.height + kBlockGap;
        continue;
      }
      if (y > height()) continue;
      y += lay_out_text(item, QPointF(x, y), flow_width) + kBlockGap;
    }
  }
}

void WebBrowserWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), kPage);
  painter.setPen(kInk);
  for (const Block& block : m_blocks) block.layout->draw(&painter, block.at);
}

void WebBrowserWidget::mousePressEvent(QMouseEvent* event) {
  if (takes_input()) {
    act("focus", [](Control& control) {
      if (control.can_take_focus() && control.shown() && control.window().Visible()) {
        control.SetFocus();
      }
    });
  }
  ControlWidget::mousePressEvent(event);
}

void WebBrowserWidget::send(uint64_t plugin, const PluginAction& action) {
  if (!takes_input()) return;
  act("plug-in", [&](Control&) { m_browser->browser().plugin_action(plugin, action); });
}

}  // namespace prevod
