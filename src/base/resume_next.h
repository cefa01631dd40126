#pragma once

// Runs one step of a handler that skips failing steps. A RuntimeError thrown
// by the step abandons that step only; anything else is a bug and passes on.

#include <utility>

#include "base/runtime_error.h"

namespace prevod {

template <typename Step>
void ResumeNext(Step&& step) {
  try {
    std::forward<Step>(step)();
  } catch (const RuntimeError&) {
    // The failed step has no effect; the handler goes on with the next one.
  }
}

}  // namespace prevod
