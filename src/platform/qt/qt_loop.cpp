#include "platform/qt/qt_loop.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QObject>
#include <QTimer>
#include <algorithm>

namespace prevod {

QtLoop::QtLoop()
    : m_start(std::chrono::steady_clock::now()),
      m_context(std::make_unique<QObject>()),
      m_timer(std::make_unique<QTimer>()) {
  // NOTE: a coarse timer may fire a little before its interval is over; a
  // precise one never does, so a callback is never woken up early for
  // nothing and then again for real.
  m_timer->setTimerType(Qt::PreciseTimer);
  m_timer->setSingleShot(true);
  QObject::connect(m_timer.get(), &QTimer::timeout, m_context.get(), [this] { wake_up(); });
}

QtLoop::~QtLoop() = default;

int64_t QtLoop::now() const {
  auto elapsed = std::chrono::steady_clock::now() - m_start;
  return std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
}

void QtLoop::post(Callback callback) {
  bool first;
  {
    std::lock_guard lock(m_mutex);
    first = m_posted.empty();
    m_posted.push_back(std::move(callback));
  }
  // One queued call carries every callback posted before it runs.
  if (first) {
    QMetaObject::invokeMethod(
        m_context.get(), [this] { run_posted_now(); }, Qt::QueuedConnection);
  }
}

void QtLoop::run_posted_now() {
  std::vector<Callback> posted;
  {
    std::lock_guard lock(m_mutex);
    posted.swap(m_posted);
  }
  run_posted(posted);
}

void QtLoop::hold() {
  ++m_holds;
}

void QtLoop::release() {
  if (m_holds == 0) return;
  --m_holds;
  if (m_holds == 0 && !m_waking) aim();
}

void QtLoop::deadline_added(int64_t when) {
  // While due callbacks run, the timer is aimed once when they are done;
  // while the loop is held, once it is released.
  if (m_waking || held()) return;
  if (m_armed < 0 || when < m_armed) aim_at(when);
}

void QtLoop::wake_up() {
  ++m_wakeups;
  m_armed = -1;
  m_waking = true;
  while (!has_quit() && !held() && run_one_due(now())) {
  }
  m_waking = false;
  aim();
}

void QtLoop::aim() {
  int64_t next = next_deadline();
  if (next < 0 || has_quit() || held()) {
    m_timer->stop();
    m_armed = -1;
    return;
  }
  aim_at(next);
}

void QtLoop::aim_at(int64_t when) {
  // Both the deadline and now() count whole milliseconds from the same
  // start, so waiting for their difference never ends before the deadline.
  int64_t delay = std::max<int64_t>(0, when - now());
  m_armed = when;
  m_timer->start(static_cast<int>(std::min<int64_t>(delay, 24 * 3600 * 1000)));
}

void QtLoop::run() {
  while (!has_quit()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void QtLoop::quit_from_any_thread() {
  post([this] { quit(); });
}

}  // namespace prevod
