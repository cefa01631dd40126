#include "services/translator/romanization.h"

#include "base/utf8.h"
#include "services/translator/lookup_text.h"

namespace prevod {

namespace romanization {
namespace {

// The Latin spelling of a lower-case Cyrillic letter; nullptr for a
// character that is not one.
const char* bulgarian_letter(char32_t c) {
  switch (c) {
    case U'а':
      return "a";
    case U'б':
      return "b";
    case U'в':
      return "v";
    case U'г':
      return "g";
    case U'д':
      return "d";
    case U'е':
      return "e";
    case U'ж':
      return "zh";
    case U'з':
      return "z";
    case U'и':
      return "i";
    case U'ѝ':
      return "i";
    case U'й':
      return "y";
    case U'к':
      return "k";
    case U'л':
      return "l";
    case U'м':
      return "m";
    case U'н':
      return "n";
    case U'о':
      return "o";
    case U'п':
      return "p";
    case U'р':
      return "r";
    case U'с':
      return "s";
    case U'т':
      return "t";
    case U'у':
      return "u";
    case U'ф':
      return "f";
    case U'х':
      return "h";
    case U'ц':
      return "ts";
    case U'ч':
      return "ch";
    case U'ш':
      return "sh";
    case U'щ':
      return "sht";
    case U'ъ':
      return "a";
    case U'ь':
      return "y";
    case U'ю':
      return "yu";
    case U'я':
      return "ya";
    // Letters of older spelling and of Russian names in Bulgarian text.
    case U'ѣ':
      return "e";
    case U'ѫ':
      return "a";
    case U'ё':
      return "yo";
    case U'ы':
      return "y";
    case U'э':
      return "e";
    default:
      return nullptr;
  }
}

const char* russian_letter(char32_t c) {
  switch (c) {
    case U'ё':
      return "yo";
    case U'й':
      return "y";
    case U'х':
      return "kh";
    case U'щ':
      return "shch";
    case U'ъ':
      return "";
    case U'ы':
      return "y";
    case U'ь':
      return "";
    case U'э':
      return "e";
    default:
      return bulgarian_letter(c);
  }
}

bool is_upper(char32_t c) {
  return lookup_text::to_lower(c) != c;
}

// Appends a Latin group with the case of the letter it stands for.
void append_cased(std::string& out, std::string_view group, bool capital, bool all_capitals) {
  for (size_t i = 0; i < group.size(); ++i) {
    const char c = group[i];
    const bool upper = capital && (i == 0 || all_capitals);
    out += upper && c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
  }
}

}  // namespace

std::string to_latin(Language language, std::string_view word) {
  if (language == Language::English) return std::string(word);
  const bool bulgarian = language == Language::Bulgarian;
  std::u32string letters;
  for (char32_t c : utf8::decode(word)) {
    if (!lookup_text::is_stress_mark(c)) letters += c;
  }
  std::string out;
  for (size_t at = 0; at < letters.size(); ++at) {
    const char32_t c = letters[at];
    const char32_t lower = lookup_text::to_lower(c);
    const char* group = bulgarian ? bulgarian_letter(lower) : russian_letter(lower);
    if (group == nullptr) {
      utf8::append(c, out);
      continue;
    }
    const bool last_letters =
        at + 2 == letters.size() ||
        (at + 2 < letters.size() && !lookup_text::is_word_char(letters[at + 2]));
    if (bulgarian && lower == U'и' && at + 1 < letters.size() &&
        lookup_text::to_lower(letters[at + 1]) == U'я' && last_letters) {
      // "-ия" at the end of a word is "-ia".
      append_cased(out, "i", is_upper(c), false);
      append_cased(out, "a", is_upper(letters[at + 1]), false);
      ++at;
      continue;
    }
    const bool next_upper = at + 1 < letters.size() && is_upper(letters[at + 1]);
    const bool alone = at + 1 == letters.size() || !lookup_text::is_word_char(letters[at + 1]);
    const bool previous_upper = at > 0 && is_upper(letters[at - 1]);
    append_cased(out, group, is_upper(c), next_upper || (alone && previous_upper));
  }
  return out;
}

}  // namespace romanization

}  // namespace prevod
