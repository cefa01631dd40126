#pragma once

// Waiting on the real clock without sleeping: Qt's loop runs until a
// condition holds, bounded by a limit that only a failing test reaches.

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <algorithm>
#include <functional>

namespace prevod::testing {

inline bool spin_until(const std::function<bool()>& done, int limit_ms = 5000) {
  QDeadlineTimer deadline(limit_ms, Qt::PreciseTimer);
  // Wakes the loop at the limit even when nothing else happens. A precise
  // timer, since a coarse one may fire a little early.
  QTimer limit;
  limit.setTimerType(Qt::PreciseTimer);
  limit.setSingleShot(true);
  while (!done()) {
    if (deadline.hasExpired()) return done();
    if (!limit.isActive())
      limit.start(static_cast<int>(std::max<qint64>(1, deadline.remainingTime())));
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
