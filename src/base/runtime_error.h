#pragma once

// A failing platform or page step: no document, an index beyond a list, no
// speech engine, a clipboard held by another program, an invalid property
// value. It is the analogue of a run-time error: handlers that skip failing
// steps run them through ResumeNext, and the event loop stops any other
// handler that lets one escape.

#include <stdexcept>
#include <string>

namespace prevod {

class RuntimeError : public std::runtime_error {
 public:
  explicit RuntimeError(const std::string& what) : std::runtime_error(what) {}
};

}  // namespace prevod
