#pragma once

// The one UTF-8 codec of the program. Texts are kept as UTF-8 everywhere;
// this is where bytes become code points and back. Decoding is strict: a
// stray or missing continuation byte reads as U+FFFD and decoding resumes at
// the next byte; a complete sequence whose value is not a character (an
// overlong form, a surrogate, a value beyond U+10FFFF) reads as one U+FFFD.
// So "\xC0\xAF" never becomes "/", and no check of the decoded text can be
// slipped past with a disguised character. Encoding writes U+FFFD for
// surrogates and values beyond U+10FFFF.

#include <cstddef>
#include <string>
#include <string_view>

namespace prevod {

namespace utf8 {

inline constexpr char32_t Replacement = 0xFFFD;

// Decodes the code point that starts at byte `at` and moves `at` past it.
// `at` must be less than the size of the text.
char32_t decode_next(std::string_view text, size_t& at);
std::u32string decode(std::string_view text);

// Appends one code point.
void append(char32_t code_point, std::string& out);
std::string encode(std::u32string_view text);

}  // namespace utf8

}  // namespace prevod
