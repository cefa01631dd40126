#include "platform/qt/qt_desktop.h"

#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <cmath>

#include "base/trace.h"
#include "model/window.h"
#include "platform/keys.h"
#include "platform/qt/global_buttons.h"
#include "platform/qt/qt_loop.h"
#include "platform/qt/qt_screen.h"
#include "platform/qt/qt_tray.h"
#include "platform/qt/qt_window_view.h"
#include "platform/qt/x11_clipboard.h"
#include "platform/qt/x11_input_fence.h"
#include "platform/qt/x11_user32.h"
#include "platform/qt/x11_windows.h"
#include "platform/qt/xtest_keyboard.h"
#include "platform/screen.h"

namespace prevod {
namespace {

constexpr uint32_t kIconHandleOffset = 0x8000;
constexpr int kFocusPollMs = 5;

int to_pixels(float twips) {
  return static_cast<int>(std::lround(twips / TwipsPerPixel));
}

}  // namespace

QtDesktop::QtDesktop(QtLoop& loop, Trace& trace)
    : m_loop(loop),
      m_trace(trace),
      m_x11(std::make_unique<X11Windows>()),
      m_fence(std::make_unique<X11InputFence>()),
      m_keyboard(std::make_unique<XTestKeyboard>(trace)),
      m_buttons(std::make_unique<GlobalButtons>(trace)),
      m_clipboard(std::make_unique<X11Clipboard>(trace)),
      m_user32(std::make_unique<X11User32>(*this, *m_buttons, *m_x11)),
      m_screen(std::make_unique<QtScreen>()),
      m_focus_poll(std::make_unique<QTimer>()),
      m_retirements(loop) {
  m_tray = std::make_unique<QtTray>(
      [this](uint32_t hIcon) {
        auto found = m_icons.find(hIcon);
        const Entry* owner = found == m_icons.end() ? nullptr : entry(found->second);
        return owner ? QtWindowView::icon(owner->window->layout()) : QIcon();
      },
      [this](uint32_t hWnd, uint32_t message, int32_t wParam, int32_t lParam) {
        send_message(hWnd, message, wParam, lParam);
      },
      trace);
  m_focus_poll->setInterval(kFocusPollMs);
  QObject::connect(m_focus_poll.get(), &QTimer::timeout, [this] { check_focus_wanted(); });
}

QtDesktop::~QtDesktop() {
  destroy_views();
}

User32& QtDesktop::user32() {
  return *m_user32;
}

Shell32& QtDesktop::shell32() {
  return *m_tray;
}

Clipboard& QtDesktop::clipboard() {
  return *m_clipboard;
}

Screen& QtDesktop::screen() {
  return *m_screen;
}

QtDesktop::Entry* QtDesktop::entry(uint32_t hWnd) {
  auto found = m_windows.find(hWnd);
  return found == m_windows.end() ? nullptr : &found->second;
}

const QtDesktop::Entry* QtDesktop::entry(uint32_t hWnd) const {
  auto found = m_windows.find(hWnd);
  return found == m_windows.end() ? nullptr : &found->second;
}

Window* QtDesktop::window_of(uint32_t hWnd) const {
  const Entry* found = entry(hWnd);
  return found ? found->window : nullptr;
}

QtWindowView* QtDesktop::view(uint32_t hWnd) {
  Entry* found = entry(hWnd);
  return found ? &view_for(*found) : nullptr;
}

bool QtDesktop::topmost(uint32_t hWnd) const {
  const Entry* found = entry(hWnd);
  return found != nullptr && found->topmost;
}

uint32_t QtDesktop::create_window(Window& window) {
  uint32_t handle = m_next_handle;
  m_next_handle += 0x10;
  m_windows[handle].window = &window;
  return handle;
}

QtWindowView& QtDesktop::view_for(Entry& entry) {
  // The view is made at the first need rather than with the window: the
  // window's controls do not exist yet while it is being created.
  if (entry.view) return *entry.view;
  entry.view = std::make_unique<QtWindowView>(*entry.window, m_loop);
  QWidget& top = entry.view->top_level();
  top.setWindowTitle(QString::fromStdString(entry.window->name()));
  // Showing a window gives it no focus; the focus goes only where the
  // model moves it.
  top.setAttribute(Qt::WA_ShowWithoutActivating);
  top.winId();
  apply_topmost(entry);
  return *entry.view;
}

void QtDesktop::destroy_window(uint32_t hWnd) {
  auto found = m_windows.find(hWnd);
  if (found == m_windows.end()) return;
  // Keys waiting for this window to reach the screen go where the focus is
  // at the next look.
  if (m_focus_wanted == hWnd) m_focus_wanted = 0;
  if (found->second.view) {
    found->second.view->top_level().hide();
    retire(std::move(found->second.view));
  }
  std::erase_if(m_icons, [hWnd](const auto& icon) { return icon.second == hWnd; });
  m_procs.erase(hWnd);
  m_windows.erase(found);
}

void QtDesktop::retire(std::unique_ptr<QtWindowView> view) {
  m_retired.push_back(std::move(view));
  if (m_retirements.size() == 0) m_retirements.call_later(0, [this] { m_retired.clear(); });
}

void QtDesktop::destroy_views() {
  m_retirements.cancel_all();
  m_retired.clear();
  for (auto& [handle, entry] : m_windows) entry.view.reset();
}

void QtDesktop::window_changed(Window& window) {
  Entry* changed = entry(window.hWnd());
  if (changed == nullptr) return;
  view_for(*changed).sync();
  place(*changed);
  show_or_hide(*changed);
}

void QtDesktop::place(Entry& entry) {
  const Window& window = *entry.window;
  // A hidden window is placed when it shows. Under a window manager the
  // moves of a window that is not on the screen go through the manager,
  // which may carry them out later, even after the window was parked out
  // of its hands, and so move it back from where it was parked.
  if (!window.Visible()) return;
  Placed want{to_pixels(window.Left()), to_pixels(window.Top()),
              std::max(1, to_pixels(window.Width())), std::max(1, to_pixels(window.Height()))};
  if (entry.placed_once && want == entry.placed) return;
  entry.placed_once = true;
  entry.placed = want;
  // The widget learns the place too: Qt shows a widget where the widget
  // itself believes it is.
  QWidget& top = entry.view->top_level();
  qreal ratio = top.devicePixelRatioF();
  auto logical = [ratio](int pixels) { return static_cast<int>(std::lround(pixels / ratio)); };
  top.setGeometry(logical(want.x), logical(want.y), logical(want.width), logical(want.height));
  m_x11->place(*top.windowHandle(), QRect(want.x, want.y, want.width, want.height));
}

void QtDesktop::show_or_hide(Entry& entry) {
  bool want = entry.window->Visible();
  if (want == entry.shown) return;
  entry.shown = want;
  QWidget& top = entry.view->top_level();
  if (!want) {
    top.hide();
    return;
  }
  top.show();
  raise_topmost_windows();
}

void QtDesktop::apply_topmost(Entry& entry) {
  if (!entry.view) return;
  m_x11->set_topmost(*entry.view->top_level().windowHandle(), entry.topmost);
}

void QtDesktop::raise_topmost_windows() {
  // Without a window manager nothing keeps the stay-on-top band above the
  // rest; a window shown later would cover it.
  for (auto& [handle, entry] : m_windows) {
    if (entry.topmost && entry.shown) entry.view->top_level().windowHandle()->raise();
  }
}

int32_t QtDesktop::set_window_pos(uint32_t hWnd, int32_t insert_after) {
  Entry* target = entry(hWnd);
  if (target == nullptr) return 0;
  if (insert_after == HWND_TOPMOST) target->topmost = true;
  if (insert_after == HWND_NOTOPMOST) target->topmost = false;
  view_for(*target);
  apply_topmost(*target);
  if (target->topmost && target->shown) target->view->top_level().windowHandle()->raise();
  return 1;
}

int32_t QtDesktop::show_window(uint32_t hWnd, int32_t command) {
  Window* window = window_of(hWnd);
  if (window == nullptr) return 0;
  bool was_visible = window->Visible();
  window->shown_by_desktop(command != SW_HIDE);
  return was_visible ? 1 : 0;
}

WindowProc QtDesktop::set_window_proc(uint32_t hWnd, WindowProc proc) {
  if (window_of(hWnd) == nullptr) return nullptr;
  auto found = m_procs.find(hWnd);
  WindowProc previous = found != m_procs.end()
                            ? found->second
                            : WindowProc([](uint32_t, uint32_t, int32_t, int32_t) { return 0; });
  m_procs[hWnd] = std::move(proc);
  return previous;
}

void QtDesktop::send_message(uint32_t hWnd, uint32_t message, int32_t wParam, int32_t lParam) {
  auto found = m_procs.find(hWnd);
  if (found == m_procs.end()) return;
  WindowProc proc = found->second;
  m_loop.dispatch("window message", [&] { proc(hWnd, message, wParam, lParam); });
}

bool QtDesktop::window_rect(uint32_t hWnd, RECT& rect) const {
  const Window* window = window_of(hWnd);
  if (window == nullptr) return false;
  rect.Left = to_pixels(window->Left());
  rect.Top = to_pixels(window->Top());
  rect.Right = to_pixels(window->Left() + window->Width());
  rect.Bottom = to_pixels(window->Top() + window->Height());
  return true;
}

uint32_t QtDesktop::window_icon(const Window& window) {
  if (!window.layout().icon) return 0;
  uint32_t handle = window.hWnd() + kIconHandleOffset;
  m_icons[handle] = window.hWnd();
  return handle;
}

void QtDesktop::activate(Window& window) {
  Entry* target = entry(window.hWnd());
  if (target == nullptr) return;
  QWidget& top = view_for(*target).top_level();
  // Qt's keyboard focus stays on the top-level widget; the model's focused
  // control takes the keys from there.
  top.setFocus(Qt::OtherFocusReason);
  if (!window.Visible()) return;
  focus(*target);
}

void QtDesktop::focus(Entry& entry) {
  QWindow& window = *entry.view->top_level().windowHandle();
  if (m_x11->viewable(window) && m_x11->focus(window)) {
    m_focus_wanted = 0;
    return;
  }
  // Still on its way to the screen (through the window manager): it takes
  // the focus once it is there, and keys sent meanwhile wait for it.
  m_focus_wanted = entry.window->hWnd();
  m_focus_wanted_since = m_loop.now();
  m_focus_poll->start();
}

void QtDesktop::check_focus_wanted() {
  Entry* wanted = entry(m_focus_wanted);
  if (wanted == nullptr || !wanted->window->Visible()) return focus_settled();
  QWindow& window = *wanted->view->top_level().windowHandle();
  if (m_x11->viewable(window)) {
    m_x11->focus(window);
    return focus_settled();
  }
  if (m_loop.now() - m_focus_wanted_since < FocusWaitMs) return;
  m_trace.line("focus: " + wanted->window->name() + " did not reach the screen in time");
  focus_settled();
}

void QtDesktop::focus_settled() {
  m_focus_wanted = 0;
  m_focus_poll->stop();
  if (!m_keys.empty()) send_keys();
  if (m_held_for_focus) {
    m_held_for_focus = false;
    m_loop.release();
  }
}

void QtDesktop::queue_key(uint8_t vkey, bool down) {
  if (m_trace.enabled())
    m_trace.line(std::string("key ") + key_name(vkey) + (down ? " down" : " up"));
  m_keys.push_back({vkey, down});
}

void QtDesktop::deliver_input() {
  if (m_keys.empty() || m_delivering) return;
  if (m_focus_wanted != 0) {
    if (!m_held_for_focus) {
      m_held_for_focus = true;
      m_loop.hold();
    }
    return;
  }
  send_keys();
}

bool QtDesktop::input_in_flight() const {
  return !m_keys.empty() || m_focus_wanted != 0 || m_fences_out > 0;
}

void QtDesktop::send_keys() {
  if (!m_keyboard->sending()) return deliver_without_xtest();
  while (!m_keys.empty()) {
    Key key = m_keys.front();
    m_keys.pop_front();
    m_keyboard->send(key.vkey, key.down);
  }
  m_keyboard->flush();
  // The loop's timers wait until the keys have come back to our windows.
  ++m_fences_out;
  m_loop.hold();
  m_fence->raise([this] {
    --m_fences_out;
    m_loop.release();
  });
}

void QtDesktop::deliver_without_xtest() {
  // The server takes no synthetic keys: the ones for our own focused window
  // go straight to the model, in order; other programs get none.
  m_delivering = true;
  while (!m_keys.empty()) {
    Key key = m_keys.front();
    m_keys.pop_front();
    if (key.vkey == vk::SHIFT) m_shift = key.down;
    if (key.vkey == vk::CONTROL) m_ctrl = key.down;
    KeyEvent event;
    event.code = key.vkey;
    event.down = key.down;
    event.shift = m_shift;
    event.ctrl = m_ctrl;
    for (auto& [handle, entry] : m_windows) {
      if (!entry.view || !m_x11->has_focus(*entry.view->top_level().windowHandle())) continue;
      Window& target = *entry.window;
      m_loop.raise(target.name() + " key", [&] { target.deliver_key(event); });
      break;
    }
  }
  m_delivering = false;
}

}  // namespace prevod
