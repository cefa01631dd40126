// Not a benchmark itself: the least CPU a program with a timer of the given
// interval costs on this machine. It does nothing but wake at each tick,
// until it is ended. bench/desktop.sh measures it beside prevod, whose
// hover timer ticks every 50 ms for as long as it runs.
//
//   tick-floor [INTERVAL_MS]    (50 when not given)

#include <chrono>
#include <cstdlib>
#include <thread>

int main(int argc, char** argv) {
  int interval_ms = argc > 1 ? std::atoi(argv[1]) : 50;
  if (interval_ms <= 0) return 2;
  auto next = std::chrono::steady_clock::now();
  for (;;) {
    next += std::chrono::milliseconds(interval_ms);
    std::this_thread::sleep_until(next);
  }
}
