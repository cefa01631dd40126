// Decoding never yields a non-character, encoding what was decoded is stable,
// and the UTF-16 length agrees with the decoded text.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/text.h"
#include "base/utf8.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace prevod;
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::u32string decoded = utf8::decode(bytes);
  int32_t units = 0;
  for (char32_t c : decoded) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) std::abort();
    units += c >= 0x10000 ? 2 : 1;
  }
  std::string encoded = utf8::encode(decoded);
  if (utf8::decode(encoded) != decoded) std::abort();
  if (text::length(bytes) != units) std::abort();
  if (text::to_utf8(text::to_utf16(encoded)) != encoded) std::abort();
  (void)text::left(bytes, units / 2);
  (void)text::to_cp1251(bytes);
  return 0;
}
