// How fast espeak-ng speaks compared with real time. Each run has a speaker
// say one sentence into a null sink and waits until it is idle; "rtf" is
// the time taken divided by the length of the sound produced (0.05 means
// a second of speech is ready in 50 ms). The "synth" runs call the shared
// synthesiser directly, without a speaker's queue and worker.

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>

#include "platform/voice/espeak_synth.h"
#include "platform/voice/null_sink.h"
#include "platform/voice/speaker.h"

namespace prevod {

namespace {

const char* const kBulgarian =
    "Добър ден! Днес времето е хубаво и ще отидем на разходка в парка край реката.";
const char* const kEnglish =
    "Good afternoon! The weather is fine today, so we will take a walk in the park by the river.";

void report(benchmark::State& state, double busy_seconds, double audio_seconds) {
  const auto runs = static_cast<double>(state.iterations());
  state.counters["audio_s"] = runs > 0 ? audio_seconds / runs : 0;
  state.counters["rtf"] = audio_seconds > 0 ? busy_seconds / audio_seconds : 0;
}

void speaker_into_null_sink(benchmark::State& state, const char* voice, const char* text) {
  auto synth = EspeakSynth::acquire();
  auto sink = std::make_unique<NullSink>();
  const NullSink& counter = *sink;
  Speaker speaker(synth, std::move(sink), voice);
  double busy_seconds = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    speaker.speak(text);
    if (!speaker.wait_until_idle(std::chrono::minutes(1))) {
      state.SkipWithError("the speaker did not finish");
      break;
    }
    busy_seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
  report(state, busy_seconds, static_cast<double>(counter.samples()) / synth->sample_rate());
}

void synth_only(benchmark::State& state, const char* voice, const char* text) {
  auto synth = EspeakSynth::acquire();
  const std::string identifier = synth->resolve_voice(voice).value_or("");
  double busy_seconds = 0;
  double samples = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    const auto sound = synth->synthesize(text, identifier, 175);
    busy_seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    samples += static_cast<double>(sound.size());
  }
  report(state, busy_seconds, samples / synth->sample_rate());
}

}  // namespace

BENCHMARK_CAPTURE(speaker_into_null_sink, bulgarian, "bg", kBulgarian)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(speaker_into_null_sink, english, "en-us", kEnglish)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(synth_only, bulgarian, "bg", kBulgarian)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(synth_only, english, "en-us", kEnglish)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace prevod

BENCHMARK_MAIN();
