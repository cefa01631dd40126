#pragma once

// The numbers of a dictd index: offsets and lengths written in base 64 with
// the alphabet A-Z a-z 0-9 + /, most significant digit first ("BIOs" is
// 1*64^3 + 8*64^2 + 14*64 + 44).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace prevod {

namespace dictd_base64 {

// The number, or nothing for an empty text, a character outside the
// alphabet or a value too large for 60 bits.
std::optional<uint64_t> decode(std::string_view digits);
// The shortest digits for a number ("A" for 0).
std::string encode(uint64_t value);

}  // namespace dictd_base64

}  // namespace prevod
