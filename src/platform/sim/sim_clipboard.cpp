#include "platform/sim/sim_clipboard.h"

#include "base/runtime_error.h"
#include "base/trace.h"

namespace prevod {

void SimClipboard::check() const {
  if (m_held) throw RuntimeError("Can't open Clipboard: held by another program");
}

void SimClipboard::Clear() {
  check();
  m_text.reset();
  if (m_trace.enabled()) m_trace.line("clipboard clear");
}

void SimClipboard::SetText(const std::string& text) {
  check();
  m_text = text;
  if (m_trace.enabled()) m_trace.line("clipboard set \"" + text + "\"");
}

std::string SimClipboard::GetText() {
  check();
  return m_text.value_or("");
}

}  // namespace prevod
