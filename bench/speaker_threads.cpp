// The threads that speakers cost. Each player object and each local speech
// engine has a speaker; a script can make thousands of them. "threads" is
// the process's thread count (from /proc/self/status) with the speakers
// made and, in the second benchmark, with every one of them given a text at
// once; the time is that of making the speakers, having each say a short
// text into a null sink where asked, waiting until all are idle, and
// destroying them.

#include <benchmark/benchmark.h>

#include <chrono>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/voice/espeak_synth.h"
#include "platform/voice/null_sink.h"
#include "platform/voice/speaker.h"

namespace prevod {

namespace {

int thread_count() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("Threads:", 0) == 0) return std::stoi(line.substr(8));
  }
  return -1;
}

std::vector<std::unique_ptr<Speaker>> make_speakers(size_t count) {
  auto synth = EspeakSynth::acquire();
  std::vector<std::unique_ptr<Speaker>> speakers;
  speakers.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    speakers.push_back(std::make_unique<Speaker>(synth, std::make_unique<NullSink>(), "en"));
  }
  return speakers;
}

void BM_IdleSpeakers(benchmark::State& state) {
  int threads = 0;
  for (auto _ : state) {
    auto speakers = make_speakers(static_cast<size_t>(state.range(0)));
    threads = thread_count();
  }
  state.counters["threads"] = threads;
}
BENCHMARK(BM_IdleSpeakers)->Arg(2000)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_SpeakersSpeakingAtOnce(benchmark::State& state) {
  int threads = 0;
  for (auto _ : state) {
    auto speakers = make_speakers(static_cast<size_t>(state.range(0)));
    for (auto& speaker : speakers) speaker->speak("Yes.");
    threads = thread_count();
    for (auto& speaker : speakers) {
      if (!speaker->wait_until_idle(std::chrono::minutes(2))) {
        state.SkipWithError("a speaker did not finish");
        return;
      }
    }
  }
  state.counters["threads"] = threads;
}
BENCHMARK(BM_SpeakersSpeakingAtOnce)->Arg(2000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

}  // namespace prevod

BENCHMARK_MAIN();
