// What a damaged dictionary costs the translation service, measured on
// dictionaries made damaged on purpose in a scratch directory:
//
// - a plain gzip .dict.dz (no chunk table) a few hundred kilobytes long that
//   inflates to 700 MB, behind an index whose entries all lie in the first
//   kilobyte, and behind one that also points 600 MB in: every English to
//   Bulgarian lookup, first and later ones;
// - an index whose entries are each a megabyte long over a 2 MB text: the
//   first Bulgarian to English lookup, which inverts every entry;
// - an index whose every entry points past the end of the text: what a
//   Bulgarian to English lookup answers.
//
// Each reports the time of a lookup, the outcome ("error" with the start of
// the message, or the text returned) and the process's peak resident size
// in megabytes (run one benchmark per process to read it alone).

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>
#include <zlib.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "services/translator/dictd_base64.h"
#include "services/translator/dictionary_error.h"
#include "services/translator/translator.h"

namespace prevod {

namespace {

namespace fs = std::filesystem;

const std::string kName(Translator::kBulgarianDictionary);

class Scratch {
 public:
  explicit Scratch(const std::string& label)
      : m_path(fs::temp_directory_path() /
               ("prevod-damaged-" + label + "-" + std::to_string(::getpid()))) {
    fs::create_directories(m_path);
  }
  ~Scratch() {
    std::error_code ignored;
    fs::remove_all(m_path, ignored);
  }
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;

  void write(const std::string& file, const std::string& bytes) const {
    std::ofstream out(m_path / file, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  std::string directory() const { return m_path.string(); }

 private:
  fs::path m_path;
};

std::string index_line(const std::string& headword, uint64_t offset, uint64_t length) {
  return headword + "\t" + dictd_base64::encode(offset) + "\t" + dictd_base64::encode(length) +
         "\n";
}

// A gzip file of `head` followed by `filler` newlines, deflated as it goes.
std::string gzip_bomb(const std::string& head, size_t filler) {
  z_stream stream{};
  if (deflateInit2(&stream, 9, Z_DEFLATED, MAX_WBITS + 16, 9, Z_DEFAULT_STRATEGY) != Z_OK) {
    throw std::runtime_error("deflateInit2");
  }
  std::string out;
  std::string chunk(1 << 20, '\n');
  std::string buffer(1 << 16, '\0');
  auto feed = [&](const std::string& input, size_t length, int flush) {
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(input.data()));
    stream.avail_in = static_cast<uInt>(length);
    do {
      stream.next_out = reinterpret_cast<Bytef*>(buffer.data());
      stream.avail_out = static_cast<uInt>(buffer.size());
      deflate(&stream, flush);
      out.append(buffer.data(), buffer.size() - stream.avail_out);
    } while (stream.avail_out == 0);
  };
  feed(head, head.size(), Z_NO_FLUSH);
  for (size_t left = filler; left > 0;) {
    const size_t take = std::min(left, chunk.size());
    left -= take;
    feed(chunk, take, left == 0 ? Z_FINISH : Z_NO_FLUSH);
  }
  deflateEnd(&stream);
  return out;
}

double peak_megabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// Translates and reports the time and what came of it.
void measure(benchmark::State& state, Translator& translator, Language source, Language target,
             const std::string& text) {
  std::string outcome;
  double first_ms = -1;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    try {
      outcome = translator.translate(source, target, text);
    } catch (const DictionaryError& error) {
      outcome = std::string("error: ") + error.what();
    }
    const auto end = std::chrono::steady_clock::now();
    if (first_ms < 0) first_ms = std::chrono::duration<double, std::milli>(end - start).count();
  }
  state.counters["first_ms"] = first_ms;
  state.counters["peak_rss_mb"] = peak_megabytes();
  state.SetLabel(outcome.substr(0, 60));
}

void BM_GzipBombLookups(benchmark::State& state) {
  Scratch scratch("bomb");
  const std::string head = "cat\nкотка\ndog\nкуче\n";
  scratch.write(kName + ".index",
                index_line("cat", 0, 19) + index_line("dog", 19, 13) + index_line("puss", 4, 11));
  scratch.write(kName + ".dict.dz", gzip_bomb(head, size_t{700} << 20));
  Translator translator(scratch.directory());
  measure(state, translator, Language::English, Language::Bulgarian, "cat");
}
BENCHMARK(BM_GzipBombLookups)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same file, with an index that also points 600 MB into the text.
void BM_GzipBombReachingFarLookups(benchmark::State& state) {
  Scratch scratch("far");
  const std::string head = "cat\nкотка\ndog\nкуче\n";
  scratch.write(kName + ".index", index_line("cat", 0, 19) + index_line("dog", 19, 13) +
                                      index_line("far", uint64_t{600} << 20, 40));
  scratch.write(kName + ".dict.dz", gzip_bomb(head, size_t{700} << 20));
  Translator translator(scratch.directory());
  measure(state, translator, Language::English, Language::Bulgarian, "cat");
}
BENCHMARK(BM_GzipBombReachingFarLookups)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_MegabyteEntriesReverseLookup(benchmark::State& state) {
  Scratch scratch("long");
  std::string text;
  while (text.size() < (size_t{2} << 20)) text += "word\n1. дума, слово\nthe gloss\n";
  std::string index;
  const int entries = static_cast<int>(state.range(0));
  for (int i = 0; i < entries; ++i) {
    index +=
        index_line("word" + std::to_string(i), static_cast<uint64_t>(i) * 997, uint64_t{1} << 20);
  }
  scratch.write(kName + ".index", index);
  scratch.write(kName + ".dict", text);
  for (auto _ : state) {
    Translator translator(scratch.directory());
    std::string outcome;
    try {
      outcome = translator.translate(Language::Bulgarian, Language::English, "дума");
    } catch (const DictionaryError& error) {
      outcome = std::string("error: ") + error.what();
    }
    state.SetLabel(outcome.substr(0, 60));
  }
  state.counters["entries"] = entries;
  state.counters["peak_rss_mb"] = peak_megabytes();
}
BENCHMARK(BM_MegabyteEntriesReverseLookup)
    ->Arg(50)
    ->Arg(200)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

void BM_EntriesPastTheEnd(benchmark::State& state) {
  Scratch scratch("past");
  std::string index;
  for (int i = 0; i < 1000; ++i) {
    index += index_line("word" + std::to_string(i), (uint64_t{1} << 24) + i * 40, 40);
  }
  scratch.write(kName + ".index", index);
  scratch.write(kName + ".dict", "word\n1. дума\n");
  Translator translator(scratch.directory());
  measure(state, translator, Language::Bulgarian, Language::English, "дума");
}
BENCHMARK(BM_EntriesPastTheEnd)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

}  // namespace prevod

BENCHMARK_MAIN();
