#include "base/trace.h"

#include <iostream>

namespace prevod {

void Trace::line(const std::string& text) {
  if (!m_enabled) return;
  std::string stamped = m_clock ? std::to_string(m_clock()) + " " + text : text;
  if (m_sink) {
    m_sink(stamped);
  } else {
    std::cerr << stamped << '\n';
  }
}

}  // namespace prevod
