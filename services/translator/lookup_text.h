#pragma once

// Text helpers of the translation service. Dictionary headwords, their
// translations and the text a user sends all meet through one lookup key:
// letters in lower case (Latin and Cyrillic), stress marks gone, "ё" folded
// into "е", punctuation dropped and spaces collapsed. That is also how the
// dictd index writes its headwords ("Côte d'Ivoire" is indexed as
// "côte divoire"), so a key built from the user's text finds them. The
// helpers work on UTF-8 (base/utf8.h decodes it).

#include <string>
#include <string_view>

namespace prevod {

namespace lookup_text {

char32_t to_lower(char32_t c);
char32_t to_upper(char32_t c);
bool is_cyrillic(char32_t c);
bool is_space(char32_t c);
// The combining acute and grave accents dictionaries use to mark stress.
bool is_stress_mark(char32_t c);
// Letters, digits and combining marks: what a word is made of. Everything
// else that is not a space counts as punctuation.
bool is_word_char(char32_t c);

// The lookup key of a text.
std::string key(std::string_view text);
// Number of words in a key.
int word_count(std::string_view key);
// A dictionary form as it is shown: stress marks on Cyrillic letters
// removed, the typographic hyphens U+2010 and U+2011 as "-", spaces
// collapsed and trimmed.
std::string display_form(std::string_view text);
// Whether the text starts with an upper-case letter.
bool starts_with_upper(std::string_view text);
// The text with its first character in upper case.
std::string capitalize(std::string_view text);

}  // namespace lookup_text

}  // namespace prevod
