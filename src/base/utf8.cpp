#include "base/utf8.h"

namespace prevod {

namespace utf8 {
namespace {

bool is_continuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

// The smallest value a sequence of that many bytes may carry; anything
// below is an overlong form of a shorter sequence.
char32_t smallest_value(int length) {
  switch (length) {
    case 2:
      return 0x80;
    case 3:
      return 0x800;
    default:
      return 0x10000;
  }
}

bool is_character(char32_t value) {
  return value <= 0x10FFFF && !(value >= 0xD800 && value <= 0xDFFF);
}

}  // namespace

char32_t decode_next(std::string_view text, size_t& at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  if (lead < 0x80) {
    ++at;
    return lead;
  }
  int length = 0;
  char32_t value = 0;
  if ((lead & 0xE0) == 0xC0) {
    length = 2;
    value = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3;
    value = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4;
    value = lead & 0x07;
  } else {
    ++at;
    return Replacement;
  }
  if (text.size() - at < static_cast<size_t>(length)) {
    ++at;
    return Replacement;
  }
  for (int k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[at + k]);
    if (!is_continuation(next)) {
      ++at;
      return Replacement;
    }
    value = (value << 6) | (next & 0x3F);
  }
  at += length;
  if (value < smallest_value(length) || !is_character(value)) return Replacement;
  return value;
}

std::u32string decode(std::string_view text) {
  std::u32string out;
  out.reserve(text.size());
  for (size_t at = 0; at < text.size();) out += decode_next(text, at);
  return out;
}

void append(char32_t c, std::string& out) {
  if (!is_character(c)) c = Replacement;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

std::string encode(std::u32string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char32_t c : text) append(c, out);
  return out;
}

}  // namespace utf8

}  // namespace prevod
