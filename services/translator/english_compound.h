#pragma once

// English closed compounds of two dictionary words ("airmail", "headset",
// "tortoiseshell"), for words that the dictionary lacks in every inflected
// and derived form. The translation is the two parts' translations joined
// by a space, and the marker names both parts: "въздух поща ⟨air + mail⟩".
//
// Each part has at least kShortestPart letters, and the longest first part
// that leaves a known second part is taken, except that a first part
// ending in a plural "s" is taken only when no other split fits: English
// compounds rarely start with a plural ("tortoise + shell", not
// "tortoises + hell"). The second part may be an irregular plural
// ("washer + women" through "woman").
//
// Some beginnings and endings are affixes rather than words even where the
// dictionary holds them as words, and a split at them would mistranslate:
// negating and other prefixes ("non", "dis", "sub", "over"), and suffixes
// ("-less", "-ship", "-ion", "-ate", "-age"). Those splits are not made.
// Verb forms in "-ed" and "-ing" are not split: a verb made of two words
// is seldom the sum of its parts ("henpecked", "troubleshooting").
// Grammar words are no parts ("she + bang", "where + upon"). Words with a
// capital are not split: they are mostly names of places and people that
// hunspell also knows as common words ("Flagstaff", "Sunbelt").

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "services/translator/phrase_translator.h"

namespace prevod {

namespace english_compound {

constexpr size_t kShortestPart = 3;
// The marker's sign between the two parts.
constexpr std::string_view kJoin = " + ";

struct Split {
  std::string first;
  // The second part as written, and the dictionary form it was found
  // through ("women" through "woman"), the same when found as written.
  std::string second;
  std::string second_headword;
};

// Whether the dictionary holds a part, in lower case.
using Known = std::function<bool(const std::string& part)>;

// The split of a word in lower-case English letters into two known parts,
// or nothing; nothing for a word of other characters or longer than
// Morphology::kLongestWord.
std::optional<Split> split(std::string_view word, const Known& known);

// The translation of the first of `forms` (the word and its inflectional
// dictionary forms, in lower case, best first) that splits into two parts
// that `lookup` knows and that are not `grammar` words, with both parts as
// its headword ("air + mail").
std::optional<PhraseTranslator::Reduction> translate(const std::vector<std::string>& forms,
                                                     const PhraseTranslator::Lookup& lookup,
                                                     const Known& grammar);

}  // namespace english_compound

}  // namespace prevod
