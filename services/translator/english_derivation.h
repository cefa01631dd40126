#pragma once

// English words made from another word by a productive suffix or by the
// prefix "re-" ("aridity" from "arid", "identifiable" from "identify",
// "reconnect" from "connect"), for words that the dictionary lacks in
// every inflected form but whose base it holds. The translation is the
// base's, and the marker names the base, so that the reader sees which
// word was translated: "сух ⟨arid⟩" for "aridity".
//
// The suffixes keep the base's meaning closely enough for a learner: -ness,
// -ity (-ability, -ibility, -osity), -ly (-ally, -ically, -ily, -ably),
// -ist, -ism, -al (-ial, -ical), -ic (-atic), -ize and its forms, -ation,
// -ion, -able, -ible, -er, -ator, -ment, -ful, -ship, -hood, -dom, -ous, -ency, -ancy,
// -ence, -ance, -age and -ish, with their spelling rules: "y" as "i"
// ("happiness"), a dropped "e" ("deducible"), a doubled consonant
// ("regrettable"). "-less" means the base's absence: its translation comes
// after the word for "without" ("без грижа ⟨care⟩" for "careless").
//
// Negating prefixes (un-, in-, im-, non-, dis-, de-, mis-) are never
// taken off: before a verb they mostly reverse it rather than deny it
// ("unlock", "disconnect", "decolonize"), and the dictionary's translation
// cannot tell a verb from an adjective, so a "не" before it would often be
// wrong. Such a word is left untranslated rather than given the opposite
// meaning. "over-", "under-" and "out-" add a meaning the base lacks and
// are not taken off either.
//
// Names (see Morphology::is_name) are not derived: "Christianity" is no
// form of "christian".

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "services/translator/phrase_translator.h"

namespace prevod {

namespace english_derivation {

// Bases shorter than this are not guessed: "ally" is no form of "al".
constexpr size_t kShortestBase = 3;
// Nor, for the learned suffixes (-ion, -ity, -ist, -al, -ize, -able ...),
// bases shorter than this: "cation" is no form of "cat".
constexpr size_t kShortestLearnedBase = 4;
// How many suffixes or prefixes are taken off one after the other
// ("carelessness", "careless", "care").
constexpr int kDeepest = 2;
// The word for "without" before the translation of a -less word's base,
// the same in Bulgarian and Russian.
constexpr std::string_view kWithout = "без ";

struct Base {
  std::string word;
  // The derived word means the base's absence ("careless").
  bool without = false;
};

// The words that a word in lower-case English letters may be made from by
// one suffix or prefix, most likely first; nothing for a word of other
// characters or longer than Morphology::kLongestWord.
std::vector<Base> bases(std::string_view word);

// Whether a word is an English word (hunspell's judgement).
using Known = std::function<bool(const std::string& word)>;

// The translation of the first base, at most kDeepest steps away from one
// of `forms` (the word and its inflectional dictionary forms, in lower
// case, best first), that `lookup` knows, with the base as its headword.
// A step goes on from a base the dictionary lacks only where `known`
// takes it for a word.
std::optional<PhraseTranslator::Reduction> translate(const std::vector<std::string>& forms,
                                                     const PhraseTranslator::Lookup& lookup,
                                                     const Known& known);

}  // namespace english_derivation

}  // namespace prevod
