#include "services/translator/lookup_text.h"

#include "base/utf8.h"

namespace prevod {

namespace lookup_text {
namespace {

constexpr char32_t kCombiningGrave = 0x0300;
constexpr char32_t kCombiningAcute = 0x0301;
constexpr char32_t kCombiningBreve = 0x0306;
constexpr char32_t kCombiningDiaeresis = 0x0308;

bool in(char32_t c, char32_t first, char32_t last) {
  return c >= first && c <= last;
}
bool is_even(char32_t c) {
  return c % 2 == 0;
}

// A base letter of the key (already in lower case) and a combining mark
// after it, as the one letter of the key they make: a Latin vowel with an
// acute or grave accent as the precomposed letter, "и" with a breve as "й",
// "е" with a diaeresis as "е" (the key folds "ё" into "е"). 0 when they
// make no such letter.
char32_t compose_key_letter(char32_t base, char32_t mark) {
  static constexpr std::u32string_view kBases = U"aeiou";
  static constexpr std::u32string_view kAcute = U"áéíóú";
  static constexpr std::u32string_view kGrave = U"àèìòù";
  if (is_stress_mark(mark)) {
    const size_t at = kBases.find(base);
    if (at == std::u32string_view::npos) return 0;
    return mark == kCombiningAcute ? kAcute[at] : kGrave[at];
  }
  if (mark == kCombiningBreve && base == U'и') return U'й';
  if (mark == kCombiningDiaeresis && base == U'е') return U'е';
  return 0;
}

}  // namespace

char32_t to_lower(char32_t c) {
  if (in(c, U'A', U'Z')) return c + 0x20;
  if (c < 0xC0) return c;
  if (in(c, 0xC0, 0xDE) && c != 0xD7) return c + 0x20;
  if (in(c, 0x100, 0x137) || in(c, 0x14A, 0x177) || in(c, 0x218, 0x21F)) {
    return is_even(c) ? c + 1 : c;
  }
  if (in(c, 0x139, 0x148) || in(c, 0x179, 0x17E)) return is_even(c) ? c : c + 1;
  if (c == 0x178) return 0xFF;
  if (in(c, 0x400, 0x40F)) return c + 0x50;
  if (in(c, 0x410, 0x42F)) return c + 0x20;
  if (in(c, 0x460, 0x481) || in(c, 0x48A, 0x4BF) || in(c, 0x4D0, 0x52F)) {
    return is_even(c) ? c + 1 : c;
  }
  if (c == 0x4C0) return 0x4CF;
  if (in(c, 0x4C1, 0x4CE)) return is_even(c) ? c : c + 1;
  return c;
}

char32_t to_upper(char32_t c) {
  if (in(c, U'a', U'z')) return c - 0x20;
  if (c < 0xE0) return c;
  if (in(c, 0xE0, 0xFE) && c != 0xF7) return c - 0x20;
  if (c == 0xFF) return 0x178;
  if (in(c, 0x100, 0x137) || in(c, 0x14A, 0x177) || in(c, 0x218, 0x21F)) {
    return is_even(c) ? c : c - 1;
  }
  if (in(c, 0x139, 0x148) || in(c, 0x179, 0x17E)) return is_even(c) ? c - 1 : c;
  if (in(c, 0x450, 0x45F)) return c - 0x50;
  if (in(c, 0x430, 0x44F)) return c - 0x20;
  if (in(c, 0x460, 0x481) || in(c, 0x48A, 0x4BF) || in(c, 0x4D0, 0x52F)) {
    return is_even(c) ? c : c - 1;
  }
  if (c == 0x4CF) return 0x4C0;
  if (in(c, 0x4C1, 0x4CE)) return is_even(c) ? c - 1 : c;
  return c;
}

bool is_cyrillic(char32_t c) {
  return in(c, 0x400, 0x52F);
}

bool is_space(char32_t c) {
  return c == U' ' || in(c, U'\t', U'\r') || c == 0xA0 || in(c, 0x2000, 0x200B) || c == 0x202F ||
         c == 0x205F || c == 0x3000 || c == 0xFEFF;
}

bool is_stress_mark(char32_t c) {
  return c == kCombiningAcute || c == kCombiningGrave;
}

bool is_word_char(char32_t c) {
  if (c < 0x80) return in(c, U'a', U'z') || in(c, U'A', U'Z') || in(c, U'0', U'9');
  if (is_space(c)) return false;
  // Punctuation and symbol blocks; the rest of the code space is taken as
  // letters, which is what the dictionaries and their readers contain.
  if (in(c, 0x80, 0xBF) || c == 0xD7 || c == 0xF7) return false;
  if (in(c, 0x2B9, 0x2DF) || c == 0x37E || c == 0x387 || in(c, 0x482, 0x489)) return false;
  if (in(c, 0x2000, 0x2BFF) || in(c, 0x2E00, 0x2E7F) || in(c, 0x3000, 0x303F)) return false;
  if (in(c, 0xFE10, 0xFE6F) || in(c, 0xFF01, 0xFF0F) || in(c, 0xFF1A, 0xFF20)) return false;
  if (in(c, 0xFF3B, 0xFF40) || in(c, 0xFF5B, 0xFF65) || in(c, 0xFFF0, 0xFFFF)) return false;
  return true;
}

std::string key(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  // The last letter written and where its bytes start, for a combining
  // mark that follows it.
  char32_t last = 0;
  size_t last_at = 0;
  bool pending_space = false;
  for (size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x80 && byte != ' ' && (byte < '\t' || byte > '\r')) {
      // Plain ASCII: the common case, without decoding.
      ++i;
      const bool letter = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z');
      if (!letter && (byte < '0' || byte > '9')) {
        last = 0;
        continue;
      }
      if (pending_space) out += ' ';
      pending_space = false;
      last = byte >= 'A' && byte <= 'Z' ? byte + 0x20 : byte;
      last_at = out.size();
      out += static_cast<char>(last);
      continue;
    }
    const char32_t c = utf8::decode_next(text, i);
    if (is_space(c)) {
      pending_space = !out.empty();
      last = 0;
      continue;
    }
    if (!is_word_char(c)) {
      last = 0;
      continue;
    }
    if (c == kCombiningAcute || c == kCombiningGrave || c == kCombiningBreve ||
        c == kCombiningDiaeresis) {
      const char32_t composed = last != 0 ? compose_key_letter(last, c) : 0;
      if (composed != 0) {
        out.resize(last_at);
        utf8::append(composed, out);
        last = composed;
        continue;
      }
      if (is_stress_mark(c)) continue;
    }
    if (pending_space) out += ' ';
    pending_space = false;
    last = to_lower(c);
    if (last == U'ё') last = U'е';
    last_at = out.size();
    utf8::append(last, out);
  }
  return out;
}

int word_count(std::string_view key) {
  if (key.empty()) return 0;
  int words = 1;
  for (char c : key) words += c == ' ' ? 1 : 0;
  return words;
}

std::string display_form(std::string_view text) {
  std::u32string out;
  bool pending_space = false;
  for (char32_t c : utf8::decode(text)) {
    if (is_space(c)) {
      pending_space = !out.empty();
      continue;
    }
    if (is_stress_mark(c) && !out.empty() && is_cyrillic(out.back())) continue;
    if (c == 0x2010 || c == 0x2011) c = U'-';
    if (pending_space) out += U' ';
    pending_space = false;
    out += c;
  }
  return utf8::encode(out);
}

bool starts_with_upper(std::string_view text) {
  if (text.empty()) return false;
  size_t i = 0;
  const char32_t first = utf8::decode_next(text, i);
  return to_lower(first) != first;
}

std::string capitalize(std::string_view text) {
  if (text.empty()) return {};
  size_t i = 0;
  const char32_t first = utf8::decode_next(text, i);
  std::string out;
  utf8::append(to_upper(first), out);
  out.append(text.substr(i));
  return out;
}

}  // namespace lookup_text

}  // namespace prevod
