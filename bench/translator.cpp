// Speed of the translation service on the FreeDict English-Bulgarian
// dictionary as Debian installs it: loading each direction, and single
// lookups through the whole translation path. Lookup figures are per call
// percentiles (p50_us, p90_us), reported as counters.

#include "services/translator/translator.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "services/translator/dictionary.h"

namespace prevod {

namespace {

const std::string kDirectory(Translator::kDefaultDirectory);
const std::string kEnglishBulgarian(Translator::kBulgarianDictionary);

const std::vector<std::string> kEnglishWords = {
    "hello",   "cat",     "dog",      "house",       "good",      "water",
    "go",      "run",     "speak",    "time",        "friend",    "big",
    "small",   "red",     "table",    "book",        "bread",     "love",
    "work",    "day",     "night",    "man",         "woman",     "child",
    "city",    "country", "language", "how are you", "thank you", "good morning",
    "zyzzyva", "a lot",   "computer", "music",       "school",    "window"};

const std::vector<std::string> kBulgarianWords = {
    "котка",     "куче",   "къща",    "добър",    "вода",  "време",  "приятел", "голям",
    "малък",     "червен", "маса",    "книга",    "хляб",  "любов",  "работа",  "ден",
    "нощ",       "човек",  "жена",    "дете",     "град",  "страна", "език",    "как си",
    "благодаря", "музика", "училище", "прозорец", "ябълка"};

bool installed() {
  return std::filesystem::exists(kDirectory + "/" + kEnglishBulgarian + ".index");
}

void report_percentiles(benchmark::State& state, std::vector<double>& micros) {
  if (micros.empty()) return;
  std::sort(micros.begin(), micros.end());
  state.counters["p50_us"] = micros[micros.size() / 2];
  state.counters["p90_us"] = micros[micros.size() * 9 / 10];
  state.counters["max_us"] = micros.back();
}

// Reading the index and opening the compressed text: what the first
// English to Bulgarian lookup waits for.
void BM_EngBulForwardLoad(benchmark::State& state) {
  if (!installed()) return state.SkipWithError("freedict-eng-bul is not installed");
  for (auto _ : state) {
    Dictionary dictionary(kDirectory, kEnglishBulgarian);
    dictionary.load();
    benchmark::DoNotOptimize(dictionary.max_words());
  }
}
BENCHMARK(BM_EngBulForwardLoad)->Unit(benchmark::kMillisecond);

// Inverting every entry on top of the forward load: what the first
// Bulgarian to English lookup waits for.
void BM_EngBulReverseBuild(benchmark::State& state) {
  if (!installed()) return state.SkipWithError("freedict-eng-bul is not installed");
  for (auto _ : state) {
    state.PauseTiming();
    auto dictionary = std::make_unique<Dictionary>(kDirectory, kEnglishBulgarian);
    dictionary->load();
    state.ResumeTiming();
    dictionary->load_back();
    benchmark::DoNotOptimize(dictionary->max_words_back());
    state.PauseTiming();
    dictionary.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_EngBulReverseBuild)->Unit(benchmark::kMillisecond);

// Both directions from nothing.
void BM_EngBulBothDirectionsLoad(benchmark::State& state) {
  if (!installed()) return state.SkipWithError("freedict-eng-bul is not installed");
  for (auto _ : state) {
    Dictionary dictionary(kDirectory, kEnglishBulgarian);
    dictionary.load();
    dictionary.load_back();
    benchmark::DoNotOptimize(dictionary.max_words_back());
  }
}
BENCHMARK(BM_EngBulBothDirectionsLoad)->Unit(benchmark::kMillisecond);

void measure_lookups(benchmark::State& state, Language source, Language target,
                     const std::vector<std::string>& words) {
  if (!installed()) return state.SkipWithError("freedict-eng-bul is not installed");
  Translator translator(kDirectory);
  for (const std::string& word : words) translator.translate(source, target, word);
  std::vector<double> micros;
  for (auto _ : state) {
    for (const std::string& word : words) {
      const auto start = std::chrono::steady_clock::now();
      benchmark::DoNotOptimize(translator.translate(source, target, word));
      const auto end = std::chrono::steady_clock::now();
      micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
    }
  }
  state.SetItemsProcessed(static_cast<int64_t>(micros.size()));
  report_percentiles(state, micros);
}

void BM_LookupEnglishToBulgarian(benchmark::State& state) {
  measure_lookups(state, Language::English, Language::Bulgarian, kEnglishWords);
}
BENCHMARK(BM_LookupEnglishToBulgarian);

void BM_LookupBulgarianToEnglish(benchmark::State& state) {
  measure_lookups(state, Language::Bulgarian, Language::English, kBulgarianWords);
}
BENCHMARK(BM_LookupBulgarianToEnglish);

// First lookups of each word on a freshly loaded dictionary: each one reads
// and inflates the chunk its entry lies in, unless an earlier word did.
void BM_FirstLookupEnglishToBulgarian(benchmark::State& state) {
  if (!installed()) return state.SkipWithError("freedict-eng-bul is not installed");
  std::vector<double> micros;
  for (auto _ : state) {
    state.PauseTiming();
    auto translator = std::make_unique<Translator>(kDirectory);
    translator->dictionary(Language::Bulgarian).load();
    state.ResumeTiming();
    for (const std::string& word : kEnglishWords) {
      const auto start = std::chrono::steady_clock::now();
      benchmark::DoNotOptimize(translator->translate(Language::English, Language::Bulgarian, word));
      const auto end = std::chrono::steady_clock::now();
      micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
    }
    state.PauseTiming();
    translator.reset();
    state.ResumeTiming();
  }
  report_percentiles(state, micros);
}
BENCHMARK(BM_FirstLookupEnglishToBulgarian)->Unit(benchmark::kMillisecond);

}  // namespace

}  // namespace prevod

BENCHMARK_MAIN();
