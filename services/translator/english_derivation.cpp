#include "services/translator/english_derivation.h"

#include <algorithm>

#include "services/translator/lookup_text.h"
#include "services/translator/morphology.h"

namespace prevod {

namespace english_derivation {
namespace {

// A suffix and what its base may end in instead, most likely first, as a
// list parted by "|" (an empty entry is the bare stem). The plain English
// suffixes take bases of kShortestBase letters ("wryness"); the learned
// ones need longer bases, since a short word is too often no base at all
// ("cation" is not "cat"). `stem_ends` limits a suffix to stems ending in
// one of a list, and `not_after` keeps it off stems ending so.
struct Rule {
  std::string_view suffix;
  std::string_view endings;
  size_t shortest_base = kShortestLearnedBase;
  bool without = false;
  std::string_view stem_ends = {};
  std::string_view not_after = {};
};

constexpr size_t kPlain = kShortestBase;

// "-ship" makes a state of a person's noun ("ownership", "citizenship");
// after another word it is the noun "ship" ("battleship").
constexpr std::string_view kPersons = "man|er|or|ar|ian|ion|ent|ant|ist|ice|en|ard|end|in";

// Longer suffixes come before the shorter ones they end in, so that
// "-ability" is read before "-ity" and "-ically" before "-ly".
constexpr Rule kRules[] = {
    {"ability", "able"},
    {"ibility", "ible"},
    {"osity", "ous"},
    {"ity", "|e"},
    {"ically", "ic|y|ical"},
    {"ably", "able"},
    {"ibly", "ible"},
    {"ily", "y", kPlain},
    // "gently" is "gentle" before it is "gent"; "truly" is "true" and
    // "fully" is "full".
    {"ly", "le||e|l", kPlain},
    {"ness", "", kPlain},
    // "-ist" and "-ism" after "-al" name a creed rather than its adjective
    // ("fundamentalist").
    {"ist", "|y|a|o", kShortestLearnedBase, false, {}, "al"},
    {"ism", "|e|y", kShortestLearnedBase, false, {}, "al"},
    {"ical", "ic|y"},
    // "colonial" is "colony" before it is "colon".
    {"ial", "y|"},
    {"al", "|e"},
    {"atic", "a|"},
    {"ic", "|y|e|o"},
    {"ization", "ize"},
    {"ication", "icate|ify"},
    {"ation", "ate|e|"},
    {"ion", "e|"},
    {"izer", "ize"},
    // "colonize" is "colony" before it is "colon".
    {"ize", "y||e"},
    {"able", "|e|ate"},
    {"ible", "|e"},
    // An agent noun in "-or" is left to the dictionary but for "-ator":
    // "corrector" and "humidor" are no "correct" or "humid".
    {"ator", "ate"},
    {"er", "|e", kPlain},
    {"ment", "", kPlain},
    {"ful", "", kPlain},
    {"less", "", kPlain, true},
    {"ship", "", kPlain, false, kPersons},
    {"hood", "", kPlain},
    {"dom", "", kPlain},
    {"ous", "|e|y"},
    {"ency", "ent"},
    {"ancy", "ant"},
    {"ence", "ent"},
    {"ance", "ant"},
    {"age", "|e"},
    {"ish", "|e", kPlain},
};

// "re-" means again; the rest of the word has at least this many letters
// ("reconnect", but not "rebus" or "renal").
constexpr std::string_view kAgain = "re";
constexpr size_t kShortestAfterPrefix = 4;

// Bases tried for one word, whatever the rules would give: bounds the work
// on a word that many rules fit.
constexpr size_t kMostTried = 256;

bool is_vowel(char c) {
  return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u';
}

bool plain_word(std::string_view word) {
  if (word.empty() || word.size() > Morphology::kLongestWord) return false;
  return std::all_of(word.begin(), word.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

// Whether a word ends in one of a list parted by "|".
bool ends_in_one_of(std::string_view word, std::string_view list) {
  while (!list.empty()) {
    const size_t bar = list.find('|');
    if (word.ends_with(list.substr(0, bar))) return true;
    if (bar == std::string_view::npos) break;
    list.remove_prefix(bar + 1);
  }
  return false;
}

void add(std::vector<Base>& out, std::string word, size_t shortest, bool without) {
  if (word.size() < shortest) return;
  const bool known =
      std::any_of(out.begin(), out.end(), [&word](const Base& base) { return base.word == word; });
  if (!known) out.push_back(Base{std::move(word), without});
}

// The stem with an ending, and for a bare stem its spelling undone: "i"
// back to "y" ("happi" is "happy") and a doubled final consonant single
// ("regrett" is "regret").
void add_stem(std::vector<Base>& out, std::string_view stem, std::string_view ending,
              const Rule& rule) {
  const size_t shortest = rule.shortest_base;
  const bool without = rule.without;
  add(out, std::string(stem) + std::string(ending), shortest, without);
  if (!ending.empty()) return;
  const size_t n = stem.size();
  if (stem.back() == 'i') add(out, std::string(stem.substr(0, n - 1)) + "y", shortest, without);
  if (n >= 3 && stem[n - 1] == stem[n - 2] && !is_vowel(stem[n - 1])) {
    add(out, std::string(stem.substr(0, n - 1)), shortest, without);
  }
}

void add_by_rule(std::vector<Base>& out, std::string_view word, const Rule& rule) {
  if (word.size() <= rule.suffix.size() || !word.ends_with(rule.suffix)) return;
  const std::string_view stem = word.substr(0, word.size() - rule.suffix.size());
  // A stem of one letter is no word's ("ally" is not "al").
  if (stem.size() < 2) return;
  if (!rule.stem_ends.empty() && !ends_in_one_of(stem, rule.stem_ends)) return;
  if (!rule.not_after.empty() && ends_in_one_of(stem, rule.not_after)) return;
  std::string_view endings = rule.endings;
  while (true) {
    const size_t bar = endings.find('|');
    add_stem(out, stem, endings.substr(0, bar), rule);
    if (bar == std::string_view::npos) break;
    endings.remove_prefix(bar + 1);
  }
}

}  // namespace

std::vector<Base> bases(std::string_view word) {
  std::vector<Base> out;
  if (!plain_word(word)) return out;
  for (const Rule& rule : kRules) add_by_rule(out, word, rule);
  if (word.starts_with(kAgain) && word.size() >= kAgain.size() + kShortestAfterPrefix) {
    add(out, std::string(word.substr(kAgain.size())), kShortestAfterPrefix, false);
  }
  return out;
}

std::optional<PhraseTranslator::Reduction> translate(const std::vector<std::string>& forms,
                                                     const PhraseTranslator::Lookup& lookup,
                                                     const Known& known) {
  std::vector<Base> layer;
  std::vector<std::string> tried;
  for (const std::string& form : forms) {
    layer.push_back(Base{form, false});
    tried.push_back(form);
  }
  for (int depth = 0; depth < kDeepest && !layer.empty(); ++depth) {
    std::vector<Base> next;
    for (const Base& from : layer) {
      for (Base& base : bases(from.word)) {
        if (tried.size() >= kMostTried) return std::nullopt;
        if (std::find(tried.begin(), tried.end(), base.word) != tried.end()) continue;
        tried.push_back(base.word);
        base.without = base.without || from.without;
        if (auto translation = lookup(lookup_text::key(base.word))) {
          std::string text = base.without ? std::string(kWithout) + *translation : *translation;
          return PhraseTranslator::Reduction{std::move(text), std::move(base.word)};
        }
        // A base that the dictionary lacks is taken further only when it is
        // a word: "transistor" is no "transist" and so no "trans".
        if (known(base.word)) next.push_back(std::move(base));
      }
    }
    layer = std::move(next);
  }
  return std::nullopt;
}

}  // namespace english_derivation

}  // namespace prevod
