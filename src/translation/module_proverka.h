#pragma once

// The one test of whether a text is Cyrillic. CheckCyrillic leaves in
// CyrillicScore the sum of the first 1-based positions, in UTF-16 code
// units, of each of the 64 letters U+0410..U+044F that occur in the text,
// added capitals first; 0 when none occurs. Ё, ё and the other letters of
// the Cyrillic block do not count.

#include <string_view>

namespace prevod {

struct SharedState;

void CheckCyrillic(SharedState& shared, std::string_view T);

}  // namespace prevod
