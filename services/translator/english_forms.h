#pragma once

// English word forms that the hunspell dictionary lists as words of their
// own, so that its stems stop at them: the irregular forms of verbs, nouns
// and adjectives ("went", "mice", "worse"), and regular forms with a
// doubled consonant or a dropped "e" ("running", "hoped"). The readings are
// guesses for a dictionary to confirm: a translation uses one only when
// its dictionary holds it.

#include <string>
#include <string_view>
#include <vector>

namespace prevod {

namespace english_forms {

// The dictionary forms of an irregular form ("went" gives "go", "left"
// gives "leave"); nothing for a regular word. Matched without regard to
// case.
std::vector<std::string> irregular(std::string_view word);

// Dictionary forms by the regular suffixes: -s, -es, -ies, -'s, -ed, -ied,
// -ing, -er, -est, -ier, -iest, -ly, -ily, with a doubled final consonant
// undone, a dropped "e" restored and the "k" of "-icked" and "-icking"
// left out ("running" gives "run", "hoped" gives "hope", "panicked" gives
// "panic"). In lower case, longest stem first.
std::vector<std::string> by_rule(std::string_view word);

}  // namespace english_forms

}  // namespace prevod
