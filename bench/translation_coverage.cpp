// How much of ordinary text the translation service translates. For
// Bulgarian, every word token of the prose in tests/data/bulgarian_prose.txt
// is sent on its own, as a double-clicked word would be; for English, a
// seeded random sample of words from the system word list. A token counts
// as translated when the answer differs from the token as written. The
// report parts the translated tokens by how they were found: as written
// (dictionary or grammar words), through a dictionary form, or spelled as
// a name in the other alphabet.
//
// It also times the loading of the hunspell dictionaries and of the WordNet
// synonyms (with the resident memory those add), and lookups of
// reduced words (ones translated through a dictionary form) once
// everything is loaded: the median of each word's first lookup, which
// reads its dictionary entry, and of a repeated one; and repeated lookups
// of the words it misses, which go through every fallback. And it times a
// 10,000-letter word through the reduction and through a whole lookup, and
// an English one through a whole lookup.
//
// Targets: 90% of the Bulgarian tokens, 85% of the English sample, and a
// reduced lookup p50 under 50 us; the long word's reduction under 5 ms.
//
// Usage: bench_translation_coverage [dictionary-directory] [word-list]
//        [hunspell-directory]
// PREVOD_COVERAGE_MISSED=<prefix> writes the words not translated to
// <prefix>.bg and <prefix>.en; PREVOD_COVERAGE_ANSWERS=<prefix> writes
// every token with its answer, a tab between, to <prefix>.bg and
// <prefix>.en, for checking translations by hand.
// For a second, independent measure: PREVOD_COVERAGE_TEXT=<file> reads the
// Bulgarian text from another file, and PREVOD_COVERAGE_SEED=<number>
// draws another English sample.

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "base/headword_marker.h"
#include "base/utf8.h"
#include "services/translator/dictionary.h"
#include "services/translator/lookup_text.h"
#include "services/translator/morphology.h"
#include "services/translator/synonym_index.h"
#include "services/translator/translator.h"

namespace prevod {

namespace {

constexpr uint32_t kSeed = 20240611;
constexpr size_t kSampleSize = 2000;

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

// The words of a text: runs of letters, with the apostrophes and hyphens
// inside a word kept.
std::vector<std::string> word_tokens(const std::string& text) {
  const std::u32string decoded = utf8::decode(text);
  std::vector<std::string> words;
  std::u32string word;
  auto flush = [&] {
    while (!word.empty() && !lookup_text::is_word_char(word.back())) word.pop_back();
    bool has_letter = false;
    for (char32_t c : word) has_letter = has_letter || (c > U'9' || c < U'0');
    if (has_letter) words.push_back(utf8::encode(word));
    word.clear();
  };
  for (char32_t c : decoded) {
    const bool joiner = c == U'-' || c == U'\'' || c == 0x2019;
    if (lookup_text::is_word_char(c) || (joiner && !word.empty())) {
      word += c;
    } else {
      flush();
    }
  }
  flush();
  return words;
}

std::vector<std::string> sample_lines(const std::string& path, size_t count, uint32_t seed) {
  std::vector<std::string> lines;
  std::istringstream in(read_file(path));
  for (std::string line; std::getline(in, line);) {
    if (!line.empty()) lines.push_back(line);
  }
  // Fisher-Yates with the engine's own numbers, so the sample is the same
  // with every standard library.
  std::mt19937 engine(seed);
  const size_t n = std::min(count, lines.size());
  for (size_t i = 0; i < n; ++i) {
    const size_t j = i + engine() % (lines.size() - i);
    std::swap(lines[i], lines[j]);
  }
  lines.resize(n);
  return lines;
}

using Clock = std::chrono::steady_clock;

double micros_since(Clock::time_point start) {
  return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

struct Coverage {
  size_t tokens = 0;
  size_t translated = 0;
  // The same for the tokens that start with a capital (names, mostly).
  size_t capitalized = 0;
  size_t capitalized_translated = 0;
  // Translated through a name spelled in the other alphabet, and through a
  // synonym.
  size_t names = 0;
  size_t synonyms = 0;
  std::vector<std::string> missed;
  std::vector<std::string> reduced;
  std::vector<std::pair<std::string, std::string>> answers;
  // Microseconds of the first lookup of each reduced word.
  std::vector<double> first_reduced_us;
};

bool spelled_as_name(const Translation& result) {
  const std::string note = headword_marker::name("");
  for (const std::string& headword : result.headwords) {
    if (headword.ends_with(note)) return true;
  }
  return false;
}

bool through_synonym(const Translation& result) {
  const std::string sign = headword_marker::synonym("");
  for (const std::string& headword : result.headwords) {
    if (headword.starts_with(sign)) return true;
  }
  return false;
}

Coverage measure(Translator& translator, Language source, Language target,
                 const std::vector<std::string>& words) {
  Coverage coverage;
  // The first word loads the dictionaries; it is not timed.
  if (!words.empty()) translator.translation(source, target, words.front());
  for (const std::string& word : words) {
    ++coverage.tokens;
    const auto start = Clock::now();
    const Translation result = translator.translation(source, target, word);
    const double took = micros_since(start);
    const bool capital = lookup_text::starts_with_upper(word);
    coverage.capitalized += capital ? 1 : 0;
    if (result.text != word) {
      ++coverage.translated;
      coverage.capitalized_translated += capital ? 1 : 0;
    } else {
      coverage.missed.push_back(word);
    }
    coverage.answers.emplace_back(word, headword_marker::compose(result.text, result.headwords));
    if (spelled_as_name(result)) {
      ++coverage.names;
    } else if (through_synonym(result)) {
      ++coverage.synonyms;
    } else if (!result.headwords.empty()) {
      coverage.reduced.push_back(word);
      coverage.first_reduced_us.push_back(took);
    }
  }
  return coverage;
}

// The median time of looking up some words again.
double repeated_us(Translator& translator, Language source, Language target,
                   const std::vector<std::string>& words) {
  std::vector<double> micros;
  for (int round = 0; round < 5; ++round) {
    for (const std::string& word : words) {
      const auto start = Clock::now();
      const Translation result = translator.translation(source, target, word);
      micros.push_back(micros_since(start));
      if (result.text.empty()) std::printf("?");
    }
  }
  return median(std::move(micros));
}

void report(const char* name, Translator& translator, Language source, Language target,
            const Coverage& coverage) {
  const double all = static_cast<double>(std::max<size_t>(coverage.tokens, 1));
  std::printf("%s: %zu of %zu tokens translated (%.1f%%)\n", name, coverage.translated,
              coverage.tokens, 100.0 * coverage.translated / all);
  const size_t written =
      coverage.translated - coverage.reduced.size() - coverage.names - coverage.synonyms;
  std::printf(
      "  as written %zu (%.1f%%), through a dictionary form %zu (%.1f%%), "
      "through a synonym %zu (%.1f%%), names spelled %zu (%.1f%%)\n",
      written, 100.0 * written / all, coverage.reduced.size(),
      100.0 * coverage.reduced.size() / all, coverage.synonyms, 100.0 * coverage.synonyms / all,
      coverage.names, 100.0 * coverage.names / all);
  const size_t lower = coverage.tokens - coverage.capitalized;
  const size_t lower_translated = coverage.translated - coverage.capitalized_translated;
  std::printf("  starting in lower case: %zu of %zu (%.1f%%); with a capital: %zu of %zu\n",
              lower_translated, lower, 100.0 * lower_translated / std::max<size_t>(lower, 1),
              coverage.capitalized_translated, coverage.capitalized);
  if (!coverage.missed.empty()) {
    std::printf("  missed word lookup p50 (every fallback tried): %.1f us\n",
                repeated_us(translator, source, target, coverage.missed));
  }
  if (coverage.reduced.empty()) return;
  std::printf("  reduced word lookup p50: first %.1f us, repeated %.1f us\n",
              median(coverage.first_reduced_us),
              repeated_us(translator, source, target, coverage.reduced));
}

// A 10,000-letter word through the reduction and through a whole lookup.
void time_long_word(Translator& translator) {
  std::string word;
  for (int i = 0; i < 10000; ++i) word += "ко";
  const auto start = Clock::now();
  const size_t readings = translator.morphology(Language::Bulgarian).readings(word).size();
  const double reduction = micros_since(start);
  const auto whole_start = Clock::now();
  const Translation result = translator.translation(Language::Bulgarian, Language::English, word);
  const double whole = micros_since(whole_start);
  std::printf("10,000-letter word: reduction %.1f us (%zu readings), lookup %.1f us (%s)\n",
              reduction, readings, whole, result.text == word ? "unchanged" : "changed");
  // An English one goes through the synonyms and derivations as well.
  std::string english;
  for (int i = 0; i < 2500; ++i) english += "airs";
  english += "ness";
  const auto english_start = Clock::now();
  const Translation english_result =
      translator.translation(Language::English, Language::Bulgarian, english);
  std::printf("10,000-letter English word: lookup %.1f us (%s)\n", micros_since(english_start),
              english_result.text == english ? "unchanged" : "changed");
}

// A memory figure of this process from /proc/self/status ("VmRSS:" now,
// "VmHWM:" at its highest), in megabytes.
double memory_mb(std::string_view field) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.starts_with(field)) return std::strtod(line.c_str() + field.size(), nullptr) / 1024;
  }
  return 0;
}

// Loads the WordNet synonyms for Bulgarian and reports what that costs.
void time_synonyms(Translator& translator) {
  translator.dictionary(Language::Bulgarian).load();
  const double before = memory_mb("VmRSS:");
  const double highest_before = memory_mb("VmHWM:");
  const auto start = Clock::now();
  const size_t pairs = translator.synonyms(Language::Bulgarian).size();
  const double took = micros_since(start) / 1000;
  std::printf(
      "WordNet synonyms for Bulgarian: %zu words, loaded in %.0f ms, resident %+.1f MB "
      "(%.1f MB before), peak while loading %+.1f MB\n",
      pairs, took, memory_mb("VmRSS:") - before, before, memory_mb("VmHWM:") - highest_before);
}

void write_missed(const std::string& path, const Coverage& coverage) {
  std::ofstream out(path);
  for (const std::string& word : coverage.missed) out << word << '\n';
}

void write_answers(const std::string& path, const Coverage& coverage) {
  std::ofstream out(path);
  for (const auto& [word, answer] : coverage.answers) out << word << '\t' << answer << '\n';
}

}  // namespace

int run_coverage(int argc, char** argv) {
  const std::string directory = argc > 1 ? argv[1] : std::string(Translator::kDefaultDirectory);
  const std::string word_list = argc > 2 ? argv[2] : "/usr/share/dict/american-english";
  const std::string hunspell = argc > 3 ? argv[3] : std::string(Morphology::kDefaultDirectory);
  const char* text = std::getenv("PREVOD_COVERAGE_TEXT");
  const std::string prose =
      text != nullptr ? std::string(text) : std::string(PREVOD_DATA_DIR) + "/bulgarian_prose.txt";
  const char* seed = std::getenv("PREVOD_COVERAGE_SEED");
  const uint32_t sample_seed =
      seed != nullptr ? static_cast<uint32_t>(std::strtoul(seed, nullptr, 10)) : kSeed;

  Translator translator(directory);
  translator.set_morphology_directory(hunspell);
  translator.set_notice([](const std::string& notice) { std::printf("%s\n", notice.c_str()); });
  const std::vector<std::string> bulgarian = word_tokens(read_file(prose));
  const std::vector<std::string> english = sample_lines(word_list, kSampleSize, sample_seed);
  if (bulgarian.empty() || english.empty()) {
    std::fprintf(stderr, "no text: %s or %s cannot be read\n", prose.c_str(), word_list.c_str());
    return 1;
  }
  for (Language language : {Language::Bulgarian, Language::English}) {
    const auto start = Clock::now();
    const bool loaded = translator.morphology(language).load();
    std::printf("hunspell %s: %s in %.0f ms\n",
                std::string(Morphology::dictionary_name(language)).c_str(),
                loaded ? "loaded" : "not loaded", micros_since(start) / 1000);
  }
  time_synonyms(translator);
  const Coverage bg = measure(translator, Language::Bulgarian, Language::English, bulgarian);
  const Coverage en = measure(translator, Language::English, Language::Bulgarian, english);
  report("Bulgarian prose -> English", translator, Language::Bulgarian, Language::English, bg);
  report("English word list sample -> Bulgarian", translator, Language::English,
         Language::Bulgarian, en);
  time_long_word(translator);
  if (const char* missed = std::getenv("PREVOD_COVERAGE_MISSED")) {
    write_missed(std::string(missed) + ".bg", bg);
    write_missed(std::string(missed) + ".en", en);
  }
  if (const char* answers = std::getenv("PREVOD_COVERAGE_ANSWERS")) {
    write_answers(std::string(answers) + ".bg", bg);
    write_answers(std::string(answers) + ".en", en);
  }
  return 0;
}

}  // namespace prevod

int main(int argc, char** argv) {
  return prevod::run_coverage(argc, argv);
}
