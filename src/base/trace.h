#pragma once

// One line per navigation, key event, clipboard write, speech call and
// escaped error, written while tracing is on (`--trace`, the console's
// `trace on`). Off by default; a disabled trace costs one branch.

#include <functional>
#include <iosfwd>
#include <string>

namespace prevod {

class Trace {
 public:
  bool enabled() const { return m_enabled; }
  void set_enabled(bool on) { m_enabled = on; }
  // Where lines go; standard error unless set.
  void set_sink(std::function<void(const std::string&)> sink) { m_sink = std::move(sink); }
  // Stamps each line with the loop's clock.
  void set_clock(std::function<long long()> clock) { m_clock = std::move(clock); }

  void line(const std::string& text);

 private:
  bool m_enabled = false;
  std::function<void(const std::string&)> m_sink;
  std::function<long long()> m_clock;
};

}  // namespace prevod
