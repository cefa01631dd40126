#include "platform/qt/qt_window_view.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPixmap>

#include "base/event_loop.h"
#include "model/window.h"
#include "model/window_layout.h"
#include "platform/keys.h"

namespace prevod {
namespace {

// The virtual key of a Qt key; 0 for keys the model has no code for.
uint8_t virtual_key(int key) {
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<uint8_t>('A' + (key - Qt::Key_A));
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return static_cast<uint8_t>('0' + (key - Qt::Key_0));
  switch (key) {
    case Qt::Key_Backspace:
      return vk::BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return vk::TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return vk::RETURN;
    case Qt::Key_Shift:
      return vk::SHIFT;
    case Qt::Key_Control:
      return vk::CONTROL;
    case Qt::Key_Escape:
      return vk::ESCAPE;
    case Qt::Key_Space:
      return vk::SPACE;
    case Qt::Key_PageUp:
      return vk::PRIOR;
    case Qt::Key_PageDown:
      return vk::NEXT;
    case Qt::Key_End:
      return vk::END;
    case Qt::Key_Home:
      return vk::HOME;
    case Qt::Key_Left:
      return vk::LEFT;
    case Qt::Key_Up:
      return vk::UP;
    case Qt::Key_Right:
      return vk::RIGHT;
    case Qt::Key_Down:
      return vk::DOWN;
    case Qt::Key_Delete:
      return vk::DELETE_;
    default:
      return 0;
  }
}

// The printable character a key press types, or 0.
char32_t typed_character(const QKeyEvent& event) {
  QList<uint> text = event.text().toUcs4();
  if (text.size() != 1 || text[0] < 0x20 || text[0] == 0x7F) return 0;
  return static_cast<char32_t>(text[0]);
}

}  // namespace

class QtWindowView::TopLevel : public QWidget {
 public:
  TopLevel(Window& window, EventLoop& loop) : m_window(window), m_loop(loop) {
    setWindowFlags(Qt::FramelessWindowHint | Qt::Tool);
    setFocusPolicy(Qt::StrongFocus);
    const Rgb& back = window.layout().back_color;
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(back.r, back.g, back.b));
    setPalette(colours);
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override { deliver(*event, true); }
  void keyReleaseEvent(QKeyEvent* event) override { deliver(*event, false); }
  // Tab and Shift+Tab are keys of the model, not a move between widgets.
  bool focusNextPrevChild(bool) override { return false; }

 private:
  void deliver(const QKeyEvent& qt_event, bool down) {
    KeyEvent event;
    event.code = virtual_key(qt_event.key());
    event.down = down;
    event.shift = qt_event.modifiers().testFlag(Qt::ShiftModifier);
    event.ctrl = qt_event.modifiers().testFlag(Qt::ControlModifier);
    if (down && !event.ctrl) event.character = typed_character(qt_event);
    if (event.code == 0 && event.character == 0) return;
    Window& window = m_window;
    m_loop.dispatch(window.name() + " key", [&window, event] { window.deliver_key(event); });
  }

  Window& m_window;
  EventLoop& m_loop;
};

QtWindowView::QtWindowView(Window& window, EventLoop& loop)
    : m_top_level(std::make_unique<TopLevel>(window, loop)) {}

QtWindowView::~QtWindowView() = default;

QWidget& QtWindowView::top_level() {
  return *m_top_level;
}

void QtWindowView::sync() {}

QIcon QtWindowView::icon(const WindowLayout& layout) {
  if (!layout.icon) return {};
  // A rounded square in the window's colour with a light bar across it.
  QPixmap picture(32, 32);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0x1f, 0x5f, 0xa8));
  painter.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
  painter.setBrush(QColor(0xf0, 0xf4, 0xfa));
  painter.drawRect(QRectF(7, 13, 18, 6));
  painter.end();
  return QIcon(picture);
}

}  // namespace prevod
