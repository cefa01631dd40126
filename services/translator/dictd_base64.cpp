#include "services/translator/dictd_base64.h"

#include <algorithm>

namespace prevod {

namespace dictd_base64 {
namespace {

constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
// Ten digits hold 60 bits: more than any dictionary needs, and no overflow.
constexpr size_t kMaxDigits = 10;

int digit_value(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}

}  // namespace

std::optional<uint64_t> decode(std::string_view digits) {
  if (digits.empty() || digits.size() > kMaxDigits) return std::nullopt;
  uint64_t value = 0;
  for (char c : digits) {
    const int digit = digit_value(c);
    if (digit < 0) return std::nullopt;
    value = value * 64 + static_cast<uint64_t>(digit);
  }
  return value;
}

std::string encode(uint64_t value) {
  std::string digits;
  do {
    digits += kAlphabet[value % 64];
    value /= 64;
  } while (value != 0);
  std::reverse(digits.begin(), digits.end());
  return digits;
}

}  // namespace dictd_base64

}  // namespace prevod
