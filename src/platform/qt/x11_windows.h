#pragma once

// Placement, stacking band and keyboard focus of our top-level windows on
// an X server, done so that they hold whatever window manager runs:
//
// - Placement is exact and never read back from the window system. A
//   window manager pulls a window that lies wholly off-screen partly back
//   into view (openbox keeps a tenth of it visible), so a window placed
//   wholly off the screen is parked: it is taken from the window manager
//   (withdrawn and mapped again with override-redirect) and lies exactly
//   where it was put; brought back onto the screen, it is handed to the
//   window manager again at its new place, in its stacking band.
// - Stay-on-top is changed on the QWindow's flags, in place (_NET_WM_STATE
//   _ABOVE), never through QWidget::setWindowFlag, which unmaps the window.
// - Focus is given with SetInputFocus at CurrentTime, which every server
//   obeys, with or without a window manager, even when another program
//   took the focus last.
//
// It works on Qt's own X connection, so its requests are ordered with
// Qt's. Positions are in screen pixels.

#include <QRect>
#include <cstdint>
#include <vector>

class QWindow;

namespace prevod {

class X11Windows {
 public:
  // Throws RuntimeError unless the application runs on Qt's xcb platform.
  X11Windows();

  bool window_manager_runs() const;
  void place(QWindow& window, const QRect& geometry);
  void set_topmost(QWindow& window, bool topmost);
  // False when the window is not on the screen (not mapped) within a short
  // wait.
  bool focus(QWindow& window);
  // Whether the window has the keyboard focus on the server.
  bool has_focus(const QWindow& window) const;
  // Where the notification area is on the screen: the largest window shown
  // by the tray host that owns the system tray selection. Empty when no
  // tray host runs.
  QRect tray_area() const;
  // Whether the window is parked (off-screen, out of the window manager's
  // hands).
  bool parked(const QWindow& window) const;
  // Where the server has the window's client area, for tests.
  QRect server_geometry(const QWindow& window) const;
  // Whether the server shows the window (mapped and its parents too).
  bool viewable(const QWindow& window) const;

 private:
  bool wholly_off_screen(const QRect& geometry) const;
  // Where the server has a window, in root coordinates.
  QRect geometry_of(uint32_t window) const;
  bool viewable(uint32_t window) const;
  QRect root_geometry() const;
  std::vector<uint32_t> top_level_windows() const;
  void park(QWindow& window, const QRect& geometry);
  void unpark(QWindow& window, const QRect& geometry);
  void configure(const QWindow& window, const QRect& geometry);
  void wait_until_withdrawn(const QWindow& window);
  void announce_state(const QWindow& window);
  void ask_for_position(const QWindow& window, const QRect& geometry);

  void* m_connection = nullptr;  // xcb_connection_t
  unsigned int m_root = 0;
};

}  // namespace prevod
