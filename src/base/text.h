#pragma once

// Text helpers with the semantics of the window system's strings: texts are
// kept as UTF-8, while lengths, cuts and positions count UTF-16 code units.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace prevod {

namespace text {

std::u16string to_utf16(std::string_view utf8);
std::string to_utf8(std::u16string_view utf16);

// One code point as UTF-8.
std::string from_code_point(char32_t code_point);
// Number of UTF-16 code units (the Len of the text).
int32_t length(std::string_view utf8);
// The first `count` UTF-16 code units (the Left$ of the text). A cut that
// would split a surrogate pair keeps the pair out rather than leave half a
// character behind.
std::string left(std::string_view utf8, int32_t count);
// Every occurrence of `from` replaced by `to`.
std::string replace_all(std::string_view text, std::string_view from, std::string_view to);
// The parts of a text between separators ("a.b" gives "a" and "b"); a
// separator at the very end ends the last part rather than begin an empty
// one, and an empty text has no parts.
std::vector<std::string> split(std::string_view text, char separator);
// The text in the Windows-1251 (Cyrillic ANSI) code page; characters it has
// no byte for become '?'.
std::string to_cp1251(std::string_view utf8);
// The text of Windows-1251 bytes as UTF-8; the one byte that is no
// character (0x98) becomes U+FFFD.
std::string from_cp1251(std::string_view cp1251);
// Parses a decimal number with optional surrounding blanks; false when the
// text is not a number.
bool parse_number(std::string_view text, double& value);
// Formats a single-precision value the way the console shows properties:
// whole numbers without a decimal point.
std::string format_number(double value);

}  // namespace text

}  // namespace prevod
