// One simulated hour of the program idling on its timers, after a complete
// start-up on the simulated desktop: reports timer ticks per CPU second.

#include <benchmark/benchmark.h>

#include <ctime>
#include <functional>

#include "program/simulated_system.h"
#include "translation/form2.h"

namespace prevod {

namespace {

double cpu_seconds() {
  return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

// Boots the program through its start-up and warm-up, prepares it, then
// runs one idle simulated hour under the benchmark's timing.
void idle_hour(benchmark::State& state, const std::function<void(SimulatedSystem&)>& prepare) {
  for (auto _ : state) {
    state.PauseTiming();
    SimulatedSystem system;
    system.start();
    system.loop.advance(30'000);
    prepare(system);
    uint64_t before = system.loop.dispatched();
    state.ResumeTiming();
    double cpu_before = cpu_seconds();
    system.loop.advance(3'600'000);
    double cpu = cpu_seconds() - cpu_before;
    uint64_t ticks = system.loop.dispatched() - before;
    state.counters["ticks"] = static_cast<double>(ticks);
    state.counters["ticks_per_cpu_second"] = cpu > 0 ? static_cast<double>(ticks) / cpu : 0;
  }
}

void BM_IdleHour(benchmark::State& state) {
  idle_hour(state, [](SimulatedSystem&) {});
}
BENCHMARK(BM_IdleHour)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_IdleHourWithCaptureOn(benchmark::State& state) {
  idle_hour(state, [](SimulatedSystem& system) {
    system.loop.dispatch("bench", [&] { system.app.Form2().Picture17_Click(); });
  });
}
BENCHMARK(BM_IdleHourWithCaptureOn)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

}  // namespace prevod

BENCHMARK_MAIN();
