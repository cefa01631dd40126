#pragma once

// One step of a procedure whose resume-next policy can be switched on part
// way: with the policy on, a failing step is abandoned and the procedure
// goes on; with it off, the failure stops the procedure.

#include <functional>

#include "base/resume_next.h"

namespace prevod {

inline void step(bool resume_next, const std::function<void()>& action) {
  if (resume_next) {
    ResumeNext(action);
  } else {
    action();
  }
}

}  // namespace prevod
