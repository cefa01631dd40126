// The idle cost of the real desktop's event loop: one timer ticking on
// QtLoop inside a QApplication on the X server (run it in a session, for
// example scripts/x11-session -- bench_x11_loop), measured as process CPU
// time per tick over whole seconds of real time. Variants add what the
// program's polling timers do on each tick: the pointer position (the
// hover timer) and two button queries (the gesture watcher). For
// comparison, the same timer on the wall-clock loop of terminal mode, and
// the floor: a thread that only sleeps from tick to tick.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <thread>

#include "base/real_time_loop.h"
#include "base/trace.h"
#include "platform/keys.h"
#include "platform/qt/global_buttons.h"
#include "platform/qt/qt_loop.h"

namespace {

using namespace prevod;

double process_cpu_us() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  auto us = [](timeval t) { return t.tv_sec * 1e6 + t.tv_usec; };
  return us(usage.ru_utime) + us(usage.ru_stime);
}

// Runs `run`, which makes `ticks` ticks, and reports CPU per tick and the
// share of one core over its time.
void report_ticks(benchmark::State& state, int ticks, const std::function<void()>& run) {
  auto wall_start = std::chrono::steady_clock::now();
  double cpu_start = process_cpu_us();
  run();
  double cpu = process_cpu_us() - cpu_start;
  double wall =
      std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - wall_start)
          .count();
  state.counters["cpu_us_per_tick"] = cpu / ticks;
  state.counters["core_percent"] = 100.0 * cpu / wall;
}

// Runs `ticks` ticks of a timer of `interval_ms` on `loop`, with `on_tick`
// at each.
template <typename Loop>
void measure(benchmark::State& state, Loop& loop, int64_t interval_ms, int ticks,
             const std::function<void()>& on_tick, const std::function<void()>& run) {
  for (auto _ : state) {
    int count = 0;
    int64_t start = loop.now();
    std::function<void()> tick = [&] {
      on_tick();
      if (++count == ticks) return loop.quit();
      loop.call_at(start + interval_ms * (count + 1), tick);
    };
    loop.call_at(start + interval_ms, tick);
    report_ticks(state, ticks, run);
  }
}

void BM_QtLoopIdleTimer(benchmark::State& state) {
  QtLoop loop;
  measure(
      state, loop, state.range(0), static_cast<int>(state.range(1)), [] {}, [&] { loop.run(); });
}
BENCHMARK(BM_QtLoopIdleTimer)
    ->Args({50, 200})  // ten seconds of the 50 ms timer
    ->Args({1, 2000})
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

void BM_QtLoopPollingTimer(benchmark::State& state) {
  QtLoop loop;
  Trace trace;
  GlobalButtons buttons(trace);
  measure(
      state, loop, state.range(0), static_cast<int>(state.range(1)),
      [&] {
        int32_t x = 0, y = 0;
        buttons.cursor_pos(x, y);
        benchmark::DoNotOptimize(buttons.async_key_state(vk::LBUTTON));
        benchmark::DoNotOptimize(buttons.async_key_state(vk::RBUTTON));
      },
      [&] { loop.run(); });
}
BENCHMARK(BM_QtLoopPollingTimer)
    ->Args({50, 200})
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

void BM_RealTimeLoopIdleTimer(benchmark::State& state) {
  RealTimeLoop loop;
  measure(
      state, loop, state.range(0), static_cast<int>(state.range(1)), [] {}, [&] { loop.run(); });
}
BENCHMARK(BM_RealTimeLoopIdleTimer)
    ->Args({50, 200})
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

// The floor: a thread that does nothing but sleep until each tick. No loop
// can wake for a timer for less than this on the machine at hand.
void BM_BareSleep(benchmark::State& state) {
  auto interval = std::chrono::milliseconds(state.range(0));
  int ticks = static_cast<int>(state.range(1));
  for (auto _ : state) {
    report_ticks(state, ticks, [&] {
      auto next = std::chrono::steady_clock::now();
      for (int count = 0; count < ticks; ++count) {
        next += interval;
        std::this_thread::sleep_until(next);
      }
    });
  }
}
BENCHMARK(BM_BareSleep)->Args({50, 200})->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("DISPLAY") == nullptr) {
    std::printf("bench_x11_loop: no X server (run it inside scripts/x11-session)\n");
    return 0;
  }
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
