#include "services/translator/language.h"

namespace prevod {

namespace {

bool same_code(std::string_view code, std::string_view expected) {
  if (code.size() != expected.size()) return false;
  for (size_t i = 0; i < code.size(); ++i) {
    char c = code[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != expected[i]) return false;
  }
  return true;
}

}  // namespace

std::optional<Language> language_from_code(std::string_view code) {
  for (Language language : {Language::English, Language::Bulgarian, Language::Russian}) {
    if (same_code(code, language_code(language))) return language;
  }
  return std::nullopt;
}

std::string_view language_code(Language language) {
  switch (language) {
    case Language::English:
      return "en";
    case Language::Bulgarian:
      return "bg";
    case Language::Russian:
      return "ru";
  }
  return "en";
}

}  // namespace prevod
