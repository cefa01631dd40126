#pragma once

// The simulated desktop's clipboard. Another program can be made to hold it
// open, and then every call fails as on a real desktop.

#include <optional>
#include <string>

#include "platform/clipboard.h"

namespace prevod {

class Trace;

class SimClipboard : public Clipboard {
 public:
  explicit SimClipboard(Trace& trace) : m_trace(trace) {}
  void Clear() override;
  void SetText(const std::string& text) override;
  std::string GetText() override;

  // Another program holds the clipboard open (or lets it go).
  void set_held(bool held) { m_held = held; }
  bool held() const { return m_held; }
  // What the clipboard holds, without the checks of a program's access.
  std::optional<std::string> peek() const { return m_text; }
  // Writes as another program would (the console's `clipboard set`).
  void put(const std::string& text) { m_text = text; }

 private:
  void check() const;

  Trace& m_trace;
  std::optional<std::string> m_text;
  bool m_held = false;
};

}  // namespace prevod
