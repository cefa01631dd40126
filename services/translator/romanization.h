#pragma once

// Names written in Cyrillic, spelled in Latin letters. Bulgarian follows
// the official Bulgarian romanisation (the Streamlined System): "ж" is
// "zh", "щ" is "sht", "ъ" is "a", "ю" is "yu", and "ия" ending a word is
// "ia" ("София" is "Sofia"). Russian follows the common English practice:
// "х" is "kh", "щ" is "shch", "ы" is "y", "э" is "e", and the hard and soft
// signs are left out.
//
// A capital gives a capital: the whole Latin group when the next letter is
// a capital too ("ЖИВКОВ" is "ZHIVKOV"), its first letter otherwise
// ("Жечо" is "Zhecho"). Characters that are not Cyrillic letters (hyphens,
// apostrophes) stay as they are; stress marks are dropped.

#include <string>
#include <string_view>

#include "services/translator/language.h"

namespace prevod {

namespace romanization {

// The word in Latin letters by the rules of `language` (Bulgarian or
// Russian; English text comes back as it is).
std::string to_latin(Language language, std::string_view word);

}  // namespace romanization

}  // namespace prevod
