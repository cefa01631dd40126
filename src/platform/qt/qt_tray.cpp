#include "platform/qt/qt_tray.h"

#include <QSystemTrayIcon>
#include <algorithm>
#include <string>

#include "base/text.h"
#include "base/trace.h"
#include "platform/user32.h"

namespace prevod {
namespace {

constexpr int32_t WM_MBUTTONDOWN = 519;

// The mouse message of a press on the icon; 0 for none.
int32_t mouse_message(QSystemTrayIcon::ActivationReason reason) {
  switch (reason) {
    case QSystemTrayIcon::Trigger:
      return WM_LBUTTONDOWN;
    case QSystemTrayIcon::Context:
      return WM_RBUTTONDOWN;
    case QSystemTrayIcon::DoubleClick:
      return WM_LBUTTONDBLCLK;
    case QSystemTrayIcon::MiddleClick:
      return WM_MBUTTONDOWN;
    default:
      return 0;
  }
}

}  // namespace

QtTray::QtTray(IconOf icon_of, Notify notify, Trace& trace)
    : m_icon_of(std::move(icon_of)), m_notify(std::move(notify)), m_trace(trace) {}

QtTray::~QtTray() = default;

bool QtTray::host_runs() {
  return QSystemTrayIcon::isSystemTrayAvailable();
}

std::string QtTray::tooltip_of(const NOTIFYICONDATA& record) {
  const auto& tip = record.szTip;
  auto end = std::find(tip.begin(), tip.end(), '\0');
  return text::from_cp1251(std::string_view(tip.data(), static_cast<size_t>(end - tip.begin())));
}

QSystemTrayIcon* QtTray::icon(uint32_t hWnd, uint32_t uID) const {
  for (const auto& icon : m_icons) {
    if (icon->record.hWnd == hWnd && icon->record.uID == uID) return icon->widget.get();
  }
  return nullptr;
}

QtTray::Icon* QtTray::find(const NOTIFYICONDATA& record) {
  for (const auto& icon : m_icons) {
    if (icon->record.hWnd == record.hWnd && icon->record.uID == record.uID) return icon.get();
  }
  return nullptr;
}

int32_t QtTray::Shell_NotifyIconA(uint32_t dwMessage, const NOTIFYICONDATA& lpData) {
  if (m_trace.enabled()) m_trace.line("tray message " + std::to_string(dwMessage));
  if (lpData.cbSize != 88) return 0;
  Icon* existing = find(lpData);
  switch (dwMessage) {
    case NIM_ADD:
      return existing != nullptr ? 0 : add(lpData);
    case NIM_MODIFY:
      return existing != nullptr ? modify(*existing, lpData) : 0;
    case NIM_DELETE:
      if (existing == nullptr) return 0;
      remove(lpData);
      return 1;
    default:
      return 0;
  }
}

int32_t QtTray::add(const NOTIFYICONDATA& record) {
  auto icon = std::make_unique<Icon>();
  icon->record = record;
  icon->widget = std::make_unique<QSystemTrayIcon>();
  Icon* added = icon.get();
  QObject::connect(icon->widget.get(), &QSystemTrayIcon::activated,
                   [this, added](QSystemTrayIcon::ActivationReason reason) {
                     deliver(*added, mouse_message(reason));
                   });
  apply(*added);
  m_icons.push_back(std::move(icon));
  if (!host_runs()) {
    m_trace.line("tray: no tray host runs; the icon shows when one starts");
    return 0;
  }
  return 1;
}

void QtTray::press(int32_t message) {
  // A press may add or remove icons: each is looked up again before its turn.
  std::vector<NOTIFYICONDATA> records;
  for (const auto& icon : m_icons) records.push_back(icon->record);
  for (const NOTIFYICONDATA& record : records) {
    if (Icon* icon = find(record)) deliver(*icon, message);
  }
}

void QtTray::deliver(const Icon& icon, int32_t message) {
  const NOTIFYICONDATA& shown = icon.record;
  if (message == 0 || (shown.uFlags & NIF_MESSAGE) == 0) return;
  m_notify(shown.hWnd, shown.uCallbackMessage, static_cast<int32_t>(shown.uID), message);
}

int32_t QtTray::modify(Icon& icon, const NOTIFYICONDATA& record) {
  icon.record = record;
  apply(icon);
  return host_runs() ? 1 : 0;
}

void QtTray::apply(Icon& icon) {
  const NOTIFYICONDATA& record = icon.record;
  if (record.uFlags & NIF_ICON) icon.widget->setIcon(m_icon_of(record.hIcon));
  if (record.uFlags & NIF_TIP) icon.widget->setToolTip(QString::fromStdString(tooltip_of(record)));
  // Qt shows no icon without a picture; a tray host that starts later
  // still docks one that was shown while none ran.
  if (icon.widget->icon().isNull()) {
    m_trace.line("tray: the icon has no picture and is not shown");
    return;
  }
  icon.widget->show();
}

void QtTray::remove(const NOTIFYICONDATA& record) {
  auto found = std::find_if(m_icons.begin(), m_icons.end(), [&](const auto& icon) {
    return icon->record.hWnd == record.hWnd && icon->record.uID == record.uID;
  });
  // A press on the icon may be what removes it: it goes once that press
  // has been handled.
  QSystemTrayIcon* widget = (*found)->widget.release();
  widget->disconnect();
  widget->hide();
  widget->deleteLater();
  m_icons.erase(found);
}

}  // namespace prevod
