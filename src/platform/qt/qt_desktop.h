#pragma once

// The real desktop: every platform interface on an X server through Qt,
// and the model's windows shown as top-level widgets, one QtWindowView
// each. The model is the truth: a window lies where its Left, Top, Width
// and Height say (twips, 15 to the pixel; nothing is read back), shows
// while it is Visible, stays in the stay-on-top band while SetWindowPos
// keeps it there, and has the keyboard focus when the model activated it
// last. The placing, parking, stacking and focusing themselves are
// X11Windows'.
//
// Synthetic keys wait in a queue until the handler that sent them returns.
// The input pump then sends them through XTest to whatever has the focus,
// in order, and holds the loop's timers until they have come back through
// Qt (an X11InputFence behind them): the keys aimed at our own windows
// reach the model, as key events of the views, before any later tick. A
// window the model activates while it is still on its way to the screen
// takes the focus once it is there, and keys sent meanwhile wait for it;
// nothing blocks on the window manager. Without XTest the keys still reach
// our own focused window, straight into the model; other programs get none.
//
// Global buttons and the pointer come from XInput 2, the clipboard is the
// CLIPBOARD selection, the tray is a QSystemTrayIcon per icon. Needs a
// QApplication on Qt's xcb platform on this thread.

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <vector>

#include "base/deferred_tasks.h"
#include "model/window_system.h"
#include "platform/desktop.h"
#include "platform/user32.h"

class QObject;
class QTimer;

namespace prevod {

class GlobalButtons;
class QtLoop;
class QtScreen;
class QtTray;
class QtWindowView;
class Trace;
class X11Clipboard;
class X11InputFence;
class X11User32;
class X11Windows;
class XTestKeyboard;

class QtDesktop : public Desktop, public WindowSystem {
 public:
  // How long a window the model activated may take to reach the screen
  // before the keys waiting for it go out anyway.
  static constexpr int FocusWaitMs = 500;

  QtDesktop(QtLoop& loop, Trace& trace);
  ~QtDesktop() override;

  User32& user32() override;
  Shell32& shell32() override;
  Clipboard& clipboard() override;
  Screen& screen() override;
  uint32_t App_hInstance() const override { return 0x00400000; }
  void deliver_input() override;

  uint32_t create_window(Window& window) override;
  void destroy_window(uint32_t hWnd) override;
  void window_changed(Window& window) override;
  uint32_t window_icon(const Window& window) override;
  void activate(Window& window) override;

  // Destroys every view now. The program calls it before its windows go,
  // so that no widget outlives the window it shows.
  void destroy_views();

  // The Win32 side, used by X11User32.
  void queue_key(uint8_t vkey, bool down);
  int32_t set_window_pos(uint32_t hWnd, int32_t insert_after);
  int32_t show_window(uint32_t hWnd, int32_t command);
  WindowProc set_window_proc(uint32_t hWnd, WindowProc proc);
  // A window of ours, in screen pixels, from the model.
  bool window_rect(uint32_t hWnd, RECT& rect) const;
  // Sends a window message to the window's procedure as a top-level
  // handler; nothing when the window has none.
  void send_message(uint32_t hWnd, uint32_t message, int32_t wParam, int32_t lParam);

  // The model window of a handle, or nullptr.
  Window* window_of(uint32_t hWnd) const;
  // The view of a window, made on first need; nullptr for other handles.
  QtWindowView* view(uint32_t hWnd);
  bool topmost(uint32_t hWnd) const;
  // The pieces, for tests and the program.
  X11Windows& x11_windows() { return *m_x11; }
  XTestKeyboard& keyboard() { return *m_keyboard; }
  GlobalButtons& buttons() { return *m_buttons; }
  QtTray& tray() { return *m_tray; }
  // Whether keys are waiting for a window to reach the screen, or are on
  // their way back from the server.
  bool input_in_flight() const;

 private:
  struct Key {
    uint8_t vkey;
    bool down;
  };
  struct Placed {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Placed&) const = default;
  };
  struct Entry {
    Window* window = nullptr;
    std::unique_ptr<QtWindowView> view;
    bool placed_once = false;
    Placed placed;
    bool shown = false;
    bool topmost = false;
  };

  Entry* entry(uint32_t hWnd);
  const Entry* entry(uint32_t hWnd) const;
  QtWindowView& view_for(Entry& entry);
  void place(Entry& entry);
  void show_or_hide(Entry& entry);
  void apply_topmost(Entry& entry);
  void raise_topmost_windows();
  void focus(Entry& entry);
  void check_focus_wanted();
  void focus_settled();
  void send_keys();
  void deliver_without_xtest();
  void retire(std::unique_ptr<QtWindowView> view);

  QtLoop& m_loop;
  Trace& m_trace;
  std::unique_ptr<X11Windows> m_x11;
  std::unique_ptr<X11InputFence> m_fence;
  std::unique_ptr<XTestKeyboard> m_keyboard;
  std::unique_ptr<GlobalButtons> m_buttons;
  std::unique_ptr<X11Clipboard> m_clipboard;
  std::unique_ptr<X11User32> m_user32;
  std::unique_ptr<QtTray> m_tray;
  std::unique_ptr<QtScreen> m_screen;
  std::unique_ptr<QObject> m_context;
  std::unique_ptr<QTimer> m_focus_poll;

  std::map<uint32_t, Entry> m_windows;
  std::map<uint32_t, WindowProc> m_procs;
  std::map<uint32_t, uint32_t> m_icons;  // icon handle -> window handle
  // Views of unloaded windows, destroyed once the handler that unloaded
  // them has returned (a view's widget may be what that handler runs for).
  std::vector<std::unique_ptr<QtWindowView>> m_retired;
  DeferredTasks m_retirements;
  uint32_t m_next_handle = 0x00010010;

  std::deque<Key> m_keys;
  // A window the model activated before it reached the screen; 0 for none.
  uint32_t m_focus_wanted = 0;
  int64_t m_focus_wanted_since = 0;
  bool m_held_for_focus = false;
  int m_fences_out = 0;
  bool m_delivering = false;
  bool m_shift = false;
  bool m_ctrl = false;
};

}  // namespace prevod
