#pragma once

// English names spelled in Cyrillic letters, by rules that follow how
// Bulgarian (or Russian) writes English names: digraphs as one sound
// ("sh" is "ш", "th" is "т", "ph" is "ф"), "j" and a soft "g" as "дж", a
// long vowel before a final silent "e" ("Jane" is "Джейн", "Stone" is
// "Стоун"), doubled consonants as one ("Abbott" is "Абот"), and the
// unstressed endings with "ъ" in Bulgarian ("Johnson" is "Джонсън",
// "Baker" is "Бейкър") where Russian writes the vowel ("Джонсон",
// "Бейкер"). English spelling is not regular, so the result is a
// transcription a reader can say, not always the established one.
//
// A possessive ending ("Aaron's", "Davis'") is left out. Letters with
// diacritics count as their base letter; other characters are dropped,
// except a hyphen, which stays.

#include <string>
#include <string_view>

#include "services/translator/language.h"

namespace prevod {

namespace english_name_transcription {

// The name in Cyrillic for `target` (Bulgarian or Russian), with a
// capital first letter; empty when the name has no Latin letter.
std::string to_cyrillic(Language target, std::string_view name);

}  // namespace english_name_transcription

}  // namespace prevod
