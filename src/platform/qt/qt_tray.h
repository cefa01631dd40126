#pragma once

// The notification area of the real desktop: each icon the program adds
// with Shell_NotifyIconA is a QSystemTrayIcon with the window icon the
// record names and the tooltip decoded from the record's ANSI bytes. A
// press on it comes back as the record's callback message to the record's
// window, with the icon's identifier in wParam and the mouse message in
// lParam: 513 for a left press, 516 for a right one, 515 for a double
// click, 519 for the middle button.
//
// With no tray host running, NIM_ADD fails as it does on every desktop
// without one. The icon is kept all the same: a tray host that starts later
// docks it, and its presses work from then on.

#include <QIcon>
#include <functional>
#include <memory>
#include <vector>

#include "platform/shell32.h"

class QSystemTrayIcon;

namespace prevod {

class Trace;

class QtTray : public Shell32 {
 public:
  // The picture of a window icon handle (NIF_ICON).
  using IconOf = std::function<QIcon(uint32_t hIcon)>;
  // Sends a window message to a window: (hWnd, message, wParam, lParam).
  using Notify = std::function<void(uint32_t, uint32_t, int32_t, int32_t)>;

  QtTray(IconOf icon_of, Notify notify, Trace& trace);
  ~QtTray() override;

  int32_t Shell_NotifyIconA(uint32_t dwMessage, const NOTIFYICONDATA& lpData) override;

  // Whether a tray host runs now.
  static bool host_runs();
  // The icon the program added for (hWnd, uID), or nullptr.
  QSystemTrayIcon* icon(uint32_t hWnd, uint32_t uID) const;
  size_t icon_count() const { return m_icons.size(); }
  // A press on each icon the program added, as the tray host delivers one:
  // `message` is 513 for a left press, 516 for a right one.
  void press(int32_t message);
  // The tooltip text of a record: its ANSI bytes up to the NUL, as UTF-8.
  static std::string tooltip_of(const NOTIFYICONDATA& record);

 private:
  struct Icon {
    NOTIFYICONDATA record;
    std::unique_ptr<QSystemTrayIcon> widget;
  };
  Icon* find(const NOTIFYICONDATA& record);
  int32_t add(const NOTIFYICONDATA& record);
  int32_t modify(Icon& icon, const NOTIFYICONDATA& record);
  void remove(const NOTIFYICONDATA& record);
  void apply(Icon& icon);
  void deliver(const Icon& icon, int32_t message);

  IconOf m_icon_of;
  Notify m_notify;
  Trace& m_trace;
  std::vector<std::unique_ptr<Icon>> m_icons;
};

}  // namespace prevod
