#include "services/translator/morphology.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <hunspell.hxx>
#include <sstream>

#include "base/utf8.h"
#include "services/translator/affix_rules.h"
#include "services/translator/bulgarian_forms.h"
#include "services/translator/english_forms.h"
#include "services/translator/lookup_text.h"

namespace prevod {

namespace {

constexpr char32_t kCombiningGrave = 0x0300;
constexpr char32_t kCombiningAcute = 0x0301;
constexpr char32_t kCombiningBreve = 0x0306;
constexpr char32_t kCombiningDiaeresis = 0x0308;

bool is_apostrophe(char32_t c) {
  return c == U'\'' || c == 0x2019 || c == 0x02BC;
}

bool is_latin_letter(char32_t c) {
  if ((c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z')) return true;
  return c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7;
}

bool is_cyrillic_letter(char32_t c) {
  return c >= 0x400 && c <= 0x45F;
}

// The word as hunspell should see it: stress marks gone, "и" with a breve
// as "й" and "е" with a diaeresis as "ё", typographic apostrophes as "'".
// Empty when the word is not one word of the language's script: a
// character of another script or none at all, no letter, or too long.
std::u32string spelling(std::u32string_view word, Language language) {
  std::u32string out;
  bool letter = false;
  for (char32_t c : word) {
    if (c == kCombiningAcute || c == kCombiningGrave) continue;
    if (c == kCombiningBreve && !out.empty() && (out.back() == U'и' || out.back() == U'И')) {
      out.back() = out.back() == U'и' ? U'й' : U'Й';
      continue;
    }
    if (c == kCombiningDiaeresis && !out.empty() && (out.back() == U'е' || out.back() == U'Е')) {
      out.back() = out.back() == U'е' ? U'ё' : U'Ё';
      continue;
    }
    const bool joiner = c == U'-' || (language == Language::English && is_apostrophe(c));
    const bool fits = language == Language::English ? is_latin_letter(c) : is_cyrillic_letter(c);
    if (!fits && !joiner) return {};
    if (out.size() == Morphology::kLongestWord) return {};
    letter = letter || fits;
    out += is_apostrophe(c) ? U'\'' : c;
  }
  return letter ? out : std::u32string();
}

std::u32string folded(std::string_view text) {
  std::u32string out = utf8::decode(text);
  for (char32_t& c : out) c = lookup_text::to_lower(c);
  return out;
}

// How far a reading is from the word: fewer shared first letters is
// farther, then a larger difference in length.
struct Distance {
  size_t unshared;
  size_t length_gap;
  bool operator<(const Distance& other) const {
    return unshared != other.unshared ? unshared < other.unshared : length_gap < other.length_gap;
  }
};

Distance distance(const std::u32string& word, const std::u32string& reading) {
  size_t shared = 0;
  while (shared < word.size() && shared < reading.size() && word[shared] == reading[shared]) {
    ++shared;
  }
  const size_t gap =
      word.size() > reading.size() ? word.size() - reading.size() : reading.size() - word.size();
  return Distance{word.size() - shared, gap};
}

bool keeps_beginning(const std::u32string& word, const std::u32string& reading) {
  const size_t needed = std::min<size_t>({2, word.size(), reading.size()});
  return std::equal(word.begin(), word.begin() + needed, reading.begin());
}

// Offers a group of readings to `take`, closest first, leaving out the
// word itself, readings offered before and, unless `known_pairs`, readings
// that do not keep the word's beginning. Whether `take` accepted one.
bool offer_group(const std::u32string& word, std::vector<std::string> group, bool known_pairs,
                 std::vector<std::string>& offered, const Morphology::Take& take) {
  std::vector<std::pair<Distance, std::string>> ranked;
  for (std::string& reading : group) {
    const std::u32string key = folded(reading);
    if (key.empty() || key == word) continue;
    if (!known_pairs && !keeps_beginning(word, key)) continue;
    ranked.emplace_back(distance(word, key), std::move(reading));
  }
  std::stable_sort(ranked.begin(), ranked.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (auto& [_, reading] : ranked) {
    if (std::find(offered.begin(), offered.end(), reading) != offered.end()) continue;
    offered.push_back(reading);
    if (take(reading)) return true;
  }
  return false;
}

std::string read_text(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

Morphology::Morphology(Language language, std::string directory, Notice notice)
    : m_language(language), m_directory(std::move(directory)), m_notice(std::move(notice)) {}

Morphology::~Morphology() = default;

std::string_view Morphology::dictionary_name(Language language) {
  switch (language) {
    case Language::English:
      return "en_US";
    case Language::Bulgarian:
      return "bg_BG";
    case Language::Russian:
      return "ru_RU";
  }
  return "en_US";
}

std::string Morphology::path(std::string_view suffix) const {
  std::string out = m_directory;
  if (!out.empty() && out.back() != '/') out += '/';
  out += dictionary_name(m_language);
  out += suffix;
  return out;
}

bool Morphology::load() {
  if (m_state != State::NotLoaded) return m_state == State::Loaded;
  m_state = State::Missing;
  const std::string aff = path(".aff");
  const std::string dic = path(".dic");
  std::error_code error;
  if (!std::filesystem::is_regular_file(aff, error) ||
      !std::filesystem::is_regular_file(dic, error)) {
    if (m_notice) m_notice("morphology: no hunspell dictionary " + dic + "; words as written only");
    return false;
  }
  auto hunspell = std::make_unique<Hunspell>(aff.c_str(), dic.c_str());
  // Words are passed and read as UTF-8; a dictionary in another encoding
  // would mistake them.
  if (hunspell->get_dict_encoding() != "UTF-8") {
    if (m_notice) {
      m_notice("morphology: " + dic + " is not in UTF-8 (" + hunspell->get_dict_encoding() +
               "); words as written only");
    }
    return false;
  }
  m_hunspell = std::move(hunspell);
  m_affixes = std::make_unique<AffixRules>(AffixRules::parse(read_text(aff)));
  m_state = State::Loaded;
  return true;
}

std::vector<std::string> Morphology::guessed_roots(const std::u32string& word) {
  std::vector<std::string> out;
  // Short words are too often whole words of another kind that a rule
  // happens to fit ("ли" is no form of "лин").
  if (word.size() < kShortestGuessedWord) return out;
  for (const std::u32string& root : m_affixes->roots(word)) {
    const std::string text = utf8::encode(root);
    if (!m_hunspell->spell(text)) continue;
    out.push_back(text);
    for (std::string& stem : m_hunspell->stem(text)) out.push_back(std::move(stem));
  }
  return out;
}

std::vector<std::string> Morphology::without_article(const std::u32string& word,
                                                     const std::vector<std::string>& stems) {
  // Each article and the endings of the words it goes with: "-та" after
  // "-а", "-я" or a consonant ("жената", "нощта"), "-то" after "-о", "-е",
  // "-и" or "-у" ("мястото", "морето"), "-те" after the plural "-и" or "-е"
  // ("котките"), "-ът" after a consonant ("градът"). "живота" is "живот"
  // with the short article, not "живо" with "-та".
  struct Article {
    std::u32string_view ending;
    std::u32string_view after;
    bool after_consonant;
  };
  static constexpr Article kArticles[] = {
      {U"та", U"ая", true}, {U"то", U"оеиу", false}, {U"те", U"ие", false}, {U"ът", U"", true}};
  static constexpr std::u32string_view kVowels = U"аъоуеиюяѝ";
  std::vector<std::string> out;
  for (const Article& article : kArticles) {
    if (!word.ends_with(article.ending) ||
        word.size() < article.ending.size() + kShortestArticleStem) {
      continue;
    }
    const std::u32string bare = word.substr(0, word.size() - article.ending.size());
    const char32_t last = bare.back();
    const bool consonant = kVowels.find(last) == std::u32string_view::npos && last != U'ь';
    const bool fits = article.after.find(last) != std::u32string_view::npos ||
                      (article.after_consonant && consonant);
    if (!fits) continue;
    const std::string text = utf8::encode(bare);
    if (!m_hunspell->spell(text)) continue;
    std::vector<std::string> forms = m_hunspell->stem(text);
    forms.push_back(text);
    // Where hunspell reads the word as a form of the same dictionary form
    // ("котките" and "котки" are both "котка"), its own reading stands.
    const bool agreed = std::any_of(forms.begin(), forms.end(), [&](const std::string& form) {
      return std::find(stems.begin(), stems.end(), form) != stems.end();
    });
    if (agreed) continue;
    for (std::string& form : forms) out.push_back(std::move(form));
  }
  return out;
}

bool Morphology::name_spelling(const std::u32string& spelled) {
  if (spelled.size() < 2) return false;
  if (lookup_text::to_lower(spelled.front()) == spelled.front()) return false;
  bool small = false;
  for (char32_t c : spelled) small = small || lookup_text::to_upper(c) != c;
  if (!small) return false;
  if (!load()) return true;
  return !m_hunspell->spell(utf8::encode(folded(utf8::encode(spelled))));
}

bool Morphology::is_name(std::string_view word) {
  if (word.size() > 8 * kLongestWord) return false;
  return name_spelling(spelling(utf8::decode(word), m_language));
}

bool Morphology::knows(std::string_view word) {
  if (word.size() > 8 * kLongestWord) return false;
  const std::u32string spelled = spelling(utf8::decode(word), m_language);
  if (spelled.empty() || !load()) return false;
  return m_hunspell->spell(utf8::encode(spelled));
}

std::vector<std::string> Morphology::readings(std::string_view word) {
  std::vector<std::string> all;
  find_reading(word, [&all](const std::string& reading) {
    all.push_back(reading);
    return false;
  });
  return all;
}

bool Morphology::find_reading(std::string_view word, const Take& take) {
  // A letter with a stress mark on it takes at most eight bytes: a longer
  // text cannot be a word of kLongestWord letters, and is not decoded.
  if (word.size() > 8 * kLongestWord) return false;
  const std::u32string spelled = spelling(utf8::decode(word), m_language);
  if (spelled.empty()) return false;
  // Without the hunspell dictionary words are looked up as written only.
  if (!load()) return false;
  const std::string text = utf8::encode(spelled);
  const std::u32string key = folded(text);
  const bool english = m_language == Language::English;
  std::vector<std::string> offered;
  // hunspell's stems are the "st:" fields of its analyses, or the roots
  // the analyses were made from: asking for the analyses adds nothing.
  const std::vector<std::string> stems = m_hunspell->stem(text);
  if (name_spelling(spelled)) return offer_group(key, stems, false, offered, take);
  if (m_language == Language::Bulgarian &&
      offer_group(key, without_article(key, stems), false, offered, take)) {
    return true;
  }
  if (offer_group(key, stems, false, offered, take)) return true;
  if (english && offer_group(key, english_forms::irregular(text), true, offered, take)) return true;
  if (m_language == Language::Bulgarian &&
      offer_group(key, bulgarian_forms::irregular(text), true, offered, take)) {
    return true;
  }
  if (offer_group(key, guessed_roots(key), false, offered, take)) return true;
  return english && offer_group(key, english_forms::by_rule(text), false, offered, take);
}

}  // namespace prevod
