#pragma once

// The notification area of the simulated desktop: it records the icons the
// program adds (with the record's bytes as the shell received them) and
// whether a tray host exists at all.

#include <array>
#include <cstdint>
#include <vector>

#include "platform/shell32.h"

namespace prevod {

class Trace;

class SimTray : public Shell32 {
 public:
  explicit SimTray(Trace& trace) : m_trace(trace) {}
  int32_t Shell_NotifyIconA(uint32_t dwMessage, const NOTIFYICONDATA& lpData) override;

  // Without a tray host every call fails.
  void set_available(bool available) { m_available = available; }
  bool available() const { return m_available; }
  const std::vector<NOTIFYICONDATA>& icons() const { return m_icons; }
  // Every record passed to the shell, in call order, as bytes.
  const std::vector<std::array<uint8_t, 88>>& calls() const { return m_calls; }

 private:
  Trace& m_trace;
  bool m_available = true;
  std::vector<NOTIFYICONDATA> m_icons;
  std::vector<std::array<uint8_t, 88>> m_calls;
};

}  // namespace prevod
