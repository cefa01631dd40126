#include "platform/qt/qt_window_view.h"

#include <QPainter>
#include <QPixmap>
#include <algorithm>
#include <map>

#include "model/check_box.h"
#include "model/command_button.h"
#include "model/control.h"
#include "model/label.h"
#include "model/option_button.h"
#include "model/rich_text_box.h"
#include "model/scroll_bar.h"
#include "model/text_box.h"
#include "model/web_browser.h"
#include "model/window.h"
#include "platform/qt/check_box_widget.h"
#include "platform/qt/command_button_widget.h"
#include "platform/qt/edit_widget.h"
#include "platform/qt/label_widget.h"
#include "platform/qt/line_widget.h"
#include "platform/qt/option_button_widget.h"
#include "platform/qt/picture_painter.h"
#include "platform/qt/picture_widget.h"
#include "platform/qt/qt_measures.h"
#include "platform/qt/scroll_bar_widget.h"
#include "platform/qt/web_browser_widget.h"
#include "platform/qt/widget_input.h"
#include "platform/qt/window_surface.h"

namespace prevod {

namespace {

// The sizes the window icon is drawn at.
constexpr int kIconSizes[] = {16, 24, 32, 48, 64, 128};

ControlWidget* make_widget(Control& control, EventLoop& loop, QWidget* parent) {
  switch (control.kind()) {
    case ControlKind::PictureBox:
    case ControlKind::Image:
      return new PictureWidget(control, loop, parent);
    case ControlKind::Line:
      return new LineWidget(control, loop, parent);
    case ControlKind::Label:
      return new LabelWidget(dynamic_cast<Label&>(control), loop, parent);
    case ControlKind::CheckBox:
      return new CheckBoxWidget(dynamic_cast<CheckBox&>(control), loop, parent);
    case ControlKind::OptionButton:
      return new OptionButtonWidget(dynamic_cast<OptionButton&>(control), loop, parent);
    case ControlKind::CommandButton:
      return new CommandButtonWidget(dynamic_cast<CommandButton&>(control), loop, parent);
    case ControlKind::RichTextBox:
      return new EditWidget(dynamic_cast<RichTextBox&>(control), loop, parent,
                            EditWidget::Lines::Several);
    case ControlKind::TextBox:
      return new EditWidget(dynamic_cast<RichTextBox&>(control), loop, parent,
                            EditWidget::Lines::One);
    case ControlKind::ScrollBar:
      return new ScrollBarWidget(dynamic_cast<ScrollBar&>(control), loop, parent);
    case ControlKind::WebBrowser:
      return new WebBrowserWidget(dynamic_cast<WebBrowser&>(control), loop, parent);
    case ControlKind::Timer:
      break;
  }
  return nullptr;
}

}  // namespace

QtWindowView::QtWindowView(Window& window, EventLoop& loop)
    : m_window(window), m_loop(loop), m_surface(std::make_unique<WindowSurface>(window, loop)) {
  m_surface->setWindowIcon(icon(window.layout()));
  build();
  stack();
  sync();
}

QtWindowView::~QtWindowView() {
  for (ControlWidget* widget : m_widgets) widget->detach();
  m_surface->detach();
  m_surface->hide();
  // A widget of this view may be in the middle of its own event handler,
  // which must not find itself deleted when it returns.
  if (WidgetInput::handling()) m_surface.release()->deleteLater();
}

QWidget& QtWindowView::top_level() {
  return *m_surface;
}

void QtWindowView::build() {
  std::map<const Control*, ControlWidget*> widgets;
  for (const auto& control : m_window.controls()) {
    ControlWidget* widget = make_widget(*control, m_loop, m_surface.get());
    if (widget == nullptr) continue;
    m_widgets.push_back(widget);
    widgets[control.get()] = widget;
  }
  // A control inside a picture box lies in that picture box's widget.
  for (ControlWidget* widget : m_widgets) {
    auto container = widgets.find(widget->control()->container());
    if (container != widgets.end()) widget->setParent(container->second);
  }
}

void QtWindowView::stack() {
  // Raising in reverse table order leaves the first in front; the windowed
  // controls go last, so that they lie over every label, image and line.
  for (bool windowed : {false, true}) {
    for (auto widget = m_widgets.rbegin(); widget != m_widgets.rend(); ++widget) {
      if (control_kind_windowed((*widget)->control()->kind()) == windowed) (*widget)->raise();
    }
  }
}

void QtWindowView::sync() {
  for (ControlWidget* widget : m_widgets) widget->sync();
}

ControlWidget* QtWindowView::widget_of(const Control& control) const {
  for (ControlWidget* widget : m_widgets) {
    if (widget->control() == &control) return widget;
  }
  return nullptr;
}

QPoint QtWindowView::model_position() const {
  return QPoint(twips_to_pixels(m_window.Left()), twips_to_pixels(m_window.Top()));
}

QSize QtWindowView::model_size() const {
  return QSize(std::max(0, twips_to_pixels(m_window.Width())),
               std::max(0, twips_to_pixels(m_window.Height())));
}

QImage QtWindowView::render(double device_pixel_ratio) {
  for (ControlWidget* widget : m_widgets) {
    if (auto* browser = dynamic_cast<WebBrowserWidget*>(widget)) browser->refresh();
  }
  if (!m_surface->isVisible()) m_surface->resize(model_size());
  QSize size = m_surface->size();
  QImage image(size * device_pixel_ratio, QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(device_pixel_ratio);
  image.fill(Qt::transparent);
  m_surface->render(&image);
  return image;
}

QIcon QtWindowView::icon(const WindowLayout& layout) {
  if (!layout.icon) return QIcon();
  QIcon icon;
  for (int size : kIconSizes) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    PicturePainter::paint_described(painter, layout.icon->description, QRectF(0, 0, size, size));
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace prevod
