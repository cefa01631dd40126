#include "base/text.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "base/utf8.h"

namespace prevod {

namespace text {

std::u16string to_utf16(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    char32_t cp = utf8::decode_next(utf8, i);
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (cp >> 10));
      out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
  }
  return out;
}

std::string to_utf8(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size());
  for (size_t i = 0; i < utf16.size(); ++i) {
    char32_t cp = utf16[i];
    if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
        utf16[i + 1] < 0xE000) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp < 0xE000) {
      cp = 0xFFFD;
    }
    utf8::append(cp, out);
  }
  return out;
}

std::string from_code_point(char32_t code_point) {
  std::string out;
  utf8::append(code_point, out);
  return out;
}

int32_t length(std::string_view utf8) {
  int32_t units = 0;
  for (size_t i = 0; i < utf8.size();) units += utf8::decode_next(utf8, i) >= 0x10000 ? 2 : 1;
  return units;
}

std::string left(std::string_view utf8, int32_t count) {
  int32_t units = 0;
  size_t i = 0;
  while (i < utf8.size()) {
    size_t start = i;
    int32_t width = utf8::decode_next(utf8, i) >= 0x10000 ? 2 : 1;
    if (units + width > count) return std::string(utf8.substr(0, start));
    units += width;
  }
  return std::string(utf8);
}

std::string replace_all(std::string_view text, std::string_view from, std::string_view to) {
  if (from.empty()) return std::string(text);
  std::string out;
  out.reserve(text.size());
  size_t at = 0;
  while (true) {
    size_t hit = text.find(from, at);
    if (hit == std::string_view::npos) break;
    out.append(text.substr(at, hit - at));
    out.append(to);
    at = hit + from.size();
  }
  out.append(text.substr(at));
  return out;
}

std::vector<std::string> split(std::string_view text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(separator, start);
    if (end == std::string_view::npos) end = text.size();
    parts.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

std::string to_cp1251(std::string_view utf8) {
  std::string out;
  for (size_t i = 0; i < utf8.size();) {
    char32_t cp = utf8::decode_next(utf8, i);
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp >= 0x410 && cp <= 0x44F) {
      out += static_cast<char>(0xC0 + (cp - 0x410));
    } else if (cp == 0x401) {
      out += static_cast<char>(0xA8);
    } else if (cp == 0x451) {
      out += static_cast<char>(0xB8);
    } else {
      out += '?';
    }
  }
  return out;
}

std::string from_cp1251(std::string_view cp1251) {
  // The bytes 0x80..0xBF; 0xC0..0xFF are А..я in order. 0x98 is no
  // character.
  static constexpr char16_t kUpperHalf[64] = {
      0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409,
      0x2039, 0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0,
      0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB,
      0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6,
      0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
  };
  std::string out;
  for (char byte : cp1251) {
    auto code = static_cast<unsigned char>(byte);
    char32_t cp = code < 0x80   ? code
                  : code < 0xC0 ? kUpperHalf[code - 0x80]
                                : 0x410 + (code - 0xC0);
    utf8::append(cp, out);
  }
  return out;
}

bool parse_number(std::string_view s, double& value) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  if (s.empty()) return false;
  if (s.front() == '+') s.remove_prefix(1);
  auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
  return error == std::errc() && end == s.data() + s.size() && std::isfinite(value);
}

std::string format_number(double value) {
  if (std::nearbyint(value) == value && std::fabs(value) < 1e15) {
    return std::to_string(static_cast<long long>(value));
  }
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.7g", value);
  return buffer;
}

}  // namespace text

}  // namespace prevod
