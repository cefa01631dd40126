#include "services/translator/english_compound.h"

#include <algorithm>
#include <span>

#include "services/translator/english_forms.h"
#include "services/translator/lookup_text.h"
#include "services/translator/morphology.h"

namespace prevod {

namespace english_compound {
namespace {

// Beginnings that are prefixes: negating ones, which would give the
// opposite meaning, and others whose word reading is another sense
// altogether ("sub" as a submarine, "over" as a preposition).
constexpr std::string_view kPrefixes[] = {
    "anti", "con", "dis", "inter", "mis", "non", "out", "over", "per", "pre", "pro", "sub", "under",
};

// Endings that are suffixes, even where the dictionary also holds them as
// words ("ship", "ion", "ate" as the past of "eat").
constexpr std::string_view kSuffixes[] = {
    "able", "age",  "ant",  "ate",  "dom", "ent", "ery",  "ess", "est",  "ful",   "hood",
    "ide",  "ine",  "ing",  "ion",  "ish", "ism", "ist",  "ity", "ive",  "ize",   "less",
    "let",  "like", "ling", "ness", "ory", "ous", "ship", "ure", "ward", "wards", "wise",
};

bool listed(std::string_view part, std::span<const std::string_view> list) {
  return std::find(list.begin(), list.end(), part) != list.end();
}

bool plain_word(std::string_view word) {
  if (word.size() < 2 * kShortestPart || word.size() > Morphology::kLongestWord) return false;
  return std::all_of(word.begin(), word.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

// A first part ending in a plural "s": "tortoises", not "glass".
bool plural_looking(std::string_view part) {
  return part.ends_with('s') && !part.ends_with("ss");
}

// Whether a word as written is a verb's "-ed" or "-ing" form, possessive
// or not.
bool verb_form(std::string_view word) {
  if (word.ends_with("'s")) word.remove_suffix(2);
  return word.ends_with("ing") || word.ends_with("ed");
}

// The dictionary form of a second part: as written, or an irregular plural
// ("women" through "woman").
std::optional<std::string> known_second(const std::string& part, const Known& known) {
  if (listed(part, kSuffixes)) return std::nullopt;
  if (known(part)) return part;
  for (const std::string& form : english_forms::irregular(part)) {
    if (form.size() >= kShortestPart && known(form)) return form;
  }
  return std::nullopt;
}

std::optional<Split> split_at(std::string_view word, size_t at, const Known& known) {
  const std::string first(word.substr(0, at));
  if (listed(first, kPrefixes) || !known(first)) return std::nullopt;
  const std::string second(word.substr(at));
  auto headword = known_second(second, known);
  if (!headword) return std::nullopt;
  return Split{first, second, std::move(*headword)};
}

}  // namespace

std::optional<Split> split(std::string_view word, const Known& known) {
  if (!plain_word(word)) return std::nullopt;
  const size_t last = word.size() - kShortestPart;
  for (bool plurals : {false, true}) {
    for (size_t at = last; at >= kShortestPart; --at) {
      if (plural_looking(word.substr(0, at)) != plurals) continue;
      if (auto found = split_at(word, at, known)) return found;
    }
  }
  return std::nullopt;
}

std::optional<PhraseTranslator::Reduction> translate(const std::vector<std::string>& forms,
                                                     const PhraseTranslator::Lookup& lookup,
                                                     const Known& grammar) {
  // A verb made of two words is seldom the sum of its parts
  // ("troubleshooting", "henpecked").
  if (forms.empty() || verb_form(forms.front())) return std::nullopt;
  const Known known = [&](const std::string& part) {
    return !grammar(part) && lookup(lookup_text::key(part)).has_value();
  };
  for (const std::string& form : forms) {
    const std::optional<Split> parts = split(form, known);
    if (!parts) continue;
    const auto first = lookup(lookup_text::key(parts->first));
    const auto second = lookup(lookup_text::key(parts->second_headword));
    if (!first || !second) continue;
    return PhraseTranslator::Reduction{*first + " " + *second,
                                       parts->first + std::string(kJoin) + parts->second_headword};
  }
  return std::nullopt;
}

}  // namespace english_compound

}  // namespace prevod
