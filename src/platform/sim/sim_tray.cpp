#include "platform/sim/sim_tray.h"

#include <algorithm>
#include <string>

#include "base/trace.h"

namespace prevod {

int32_t SimTray::Shell_NotifyIconA(uint32_t dwMessage, const NOTIFYICONDATA& lpData) {
  m_calls.push_back(lpData.bytes());
  if (m_trace.enabled()) m_trace.line("tray message " + std::to_string(dwMessage));
  if (!m_available || lpData.cbSize != 88) return 0;
  auto same = [&](const NOTIFYICONDATA& icon) {
    return icon.hWnd == lpData.hWnd && icon.uID == lpData.uID;
  };
  auto found = std::find_if(m_icons.begin(), m_icons.end(), same);
  switch (dwMessage) {
    case NIM_ADD:
      if (found != m_icons.end()) return 0;
      m_icons.push_back(lpData);
      return 1;
    case NIM_MODIFY:
      if (found == m_icons.end()) return 0;
      *found = lpData;
      return 1;
    case NIM_DELETE:
      if (found == m_icons.end()) return 0;
      m_icons.erase(found);
      return 1;
    default:
      return 0;
  }
}

}  // namespace prevod
