#pragma once

// Waiting on the real clock without sleeping: Qt's loop runs until a
// condition holds, bounded by a limit that only a failing test reaches.

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>

#include <functional>

namespace prevod::testing {

inline bool spin_until(const std::function<bool()>& done, int limit_ms = 5000) {
  QDeadlineTimer deadline(limit_ms);
  // Wakes the loop at the limit even when nothing else happens.
  QTimer limit;
  limit.setSingleShot(true);
  limit.start(limit_ms);
  while (!done()) {
    if (deadline.hasExpired()) return done();
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
  return true;
}

}  // namespace prevod::testing

namespace prevod::testing {

// Like spin_until, for conditions that change outside this process (the X
// server, another program): the condition is looked at every few
// milliseconds.
inline bool poll_until(const std::function<bool()>& done, int limit_ms = 5000) {
  QTimer poll;
  poll.start(5);
  return spin_until(done, limit_ms);
}

}  // namespace prevod::testing
