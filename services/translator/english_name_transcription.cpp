#include "services/translator/english_name_transcription.h"

#include "base/utf8.h"
#include "services/translator/lookup_text.h"

namespace prevod {

namespace english_name_transcription {
namespace {

// The base letter of a lower-case Latin letter with a diacritic; the
// letter itself otherwise.
char32_t base_letter(char32_t c) {
  struct Group {
    char base;
    std::u32string_view marked;
  };
  static constexpr Group kGroups[] = {
      {'a', U"àáâãäåāăą"}, {'c', U"çćč"},      {'d', U"ď"},   {'e', U"èéêëēėęě"}, {'i', U"ìíîïīį"},
      {'n', U"ñńň"},       {'o', U"òóôõöøōő"}, {'r', U"ŕř"},  {'s', U"śšş"},      {'t', U"ť"},
      {'u', U"ùúûüūůűų"},  {'y', U"ýÿ"},       {'z', U"źżž"},
  };
  for (const Group& group : kGroups) {
    if (group.marked.find(c) != std::u32string_view::npos) return static_cast<char32_t>(group.base);
  }
  return c;
}

bool is_vowel(char c) {
  return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u';
}

bool is_consonant(char c) {
  return c >= 'a' && c <= 'z' && !is_vowel(c);
}

// Reads one name, in lower case, left to right.
class Transcriber {
 public:
  Transcriber(std::string word, Language target)
      : m_w(std::move(word)), m_russian(target == Language::Russian) {}

  std::u32string run() {
    while (m_at < m_w.size()) step();
    return m_out;
  }

 private:
  char at(size_t offset) const {
    const size_t i = m_at + offset;
    return i < m_w.size() ? m_w[i] : '\0';
  }
  bool starts(std::string_view text) const {
    return std::string_view(m_w).substr(m_at).starts_with(text);
  }
  // Whether `text` is what remains of the word.
  bool ends(std::string_view text) const { return std::string_view(m_w).substr(m_at) == text; }
  void put(std::u32string_view text, size_t letters) {
    m_out += text;
    m_at += letters;
  }
  // Bulgarian writes an unstressed English vowel as "ъ"; Russian as
  // spelled.
  void put_reduced(std::u32string_view bulgarian, std::u32string_view russian, size_t letters) {
    put(m_russian ? russian : bulgarian, letters);
  }
  // A vowel made long by a silent "e" after one consonant: "Jane",
  // "Stone", "Jones"; and "a" or "e" before one consonant and a final
  // "-er": "Baker", "Peter".
  bool before_silent_e() const {
    if (!is_consonant(at(1)) || at(1) == 'w' || at(1) == 'x' || at(1) == 'y' || at(2) != 'e') {
      return false;
    }
    const std::string_view rest = std::string_view(m_w).substr(m_at + 3);
    if (rest.empty() || rest == "s") return true;
    const bool open = m_w[m_at] == 'a' || m_w[m_at] == 'e';
    return open && (rest == "r" || rest == "rs");
  }
  // A consonant followed by another consonant or by the end: the vowel
  // before it is short ("Hudson", "Duncan").
  bool closed() const {
    if (!is_consonant(at(1))) return false;
    return at(2) == '\0' || is_consonant(at(2));
  }

  void step();
  bool ending();
  bool group();
  void vowel(char c);
  void consonant(char c);

  std::string m_w;
  bool m_russian;
  size_t m_at = 0;
  std::u32string m_out;
};

void Transcriber::step() {
  if (ending() || group()) return;
  const char c = m_w[m_at];
  if (c == '-') {
    put(U"-", 1);
  } else if (is_vowel(c) || c == 'y') {
    vowel(c);
  } else {
    consonant(c);
  }
}

// Endings read in one piece.
bool Transcriber::ending() {
  if (m_at == 0) return false;
  if (ends("tion")) return put_reduced(U"шън", U"шн", 4), true;
  if (ends("sion")) return put_reduced(U"жън", U"жн", 4), true;
  if (ends("son")) return put_reduced(U"сън", U"сон", 3), true;
  if (ends("ton")) return put_reduced(U"тън", U"тон", 3), true;
  if (ends("er") || ends("ers")) {
    put_reduced(U"ър", U"ер", 2);
    if (m_at < m_w.size()) put(U"с", 1);
    return true;
  }
  if (ends("le") && is_consonant(m_w[m_at - 1])) return put_reduced(U"ъл", U"л", 2), true;
  if (ends("ey") && m_at >= 2 && is_consonant(m_w[m_at - 1])) return put(U"и", 2), true;
  if ((ends("e") || ends("es")) && is_consonant(m_w[m_at - 1]) && m_at >= 2) {
    // A silent final "e".
    if (ends("es"))
      put(U"с", 2);
    else
      m_at += 1;
    return true;
  }
  return false;
}

// Letters read together.
bool Transcriber::group() {
  struct Rule {
    std::string_view letters;
    std::u32string_view sound;
  };
  static constexpr Rule kRules[] = {
      {"tch", U"ч"}, {"sch", U"ш"}, {"dge", U"дж"}, {"sh", U"ш"},  {"ch", U"ч"},  {"zh", U"ж"},
      {"kh", U"х"},  {"ph", U"ф"},  {"th", U"т"},   {"ck", U"к"},  {"qu", U"кв"}, {"wh", U"у"},
      {"ee", U"и"},  {"ea", U"и"},  {"oo", U"у"},   {"ou", U"ау"}, {"ow", U"оу"}, {"ay", U"ей"},
      {"ai", U"ей"}, {"ey", U"ей"}, {"ei", U"ей"},  {"au", U"о"},  {"aw", U"о"},  {"oa", U"оу"},
      {"oi", U"ой"}, {"oy", U"ой"}, {"wa", U"уо"},
  };
  if (m_at == 0 && starts("kn")) return put(U"н", 2), true;
  if (m_at == 0 && starts("wr")) return put(U"р", 2), true;
  if (starts("igh")) return put(U"ай", 3), true;
  if (starts("gh")) {
    // Silent but at the start: "Hugh", "Leigh", "Ghana".
    if (m_at == 0)
      put(U"г", 2);
    else
      m_at += 2;
    return true;
  }
  if (starts("ge") && (at(2) == 'o' || at(2) == 'a')) return put(U"дж", 2), true;
  if (starts("ie") && m_at > 0) return put(U"и", 2), true;
  for (const Rule& rule : kRules) {
    if (starts(rule.letters)) {
      put(rule.sound, rule.letters.size());
      return true;
    }
  }
  // "r" after a vowel before a consonant: "Albert", "Bird", "Burns".
  if ((starts("er") || starts("ir") || starts("ur")) && m_at > 0 && is_consonant(at(2)) &&
      at(2) != 'r') {
    if (m_russian) return false;
    return put(U"ър", 2), true;
  }
  return false;
}

void Transcriber::vowel(char c) {
  const bool first = m_at == 0;
  switch (c) {
    case 'a':
      return put(before_silent_e() ? U"ей" : U"а", 1);
    case 'e':
      if (before_silent_e()) return put(U"и", 1);
      return put(first && m_russian ? U"э" : U"е", 1);
    case 'i':
      return put(before_silent_e() ? U"ай" : U"и", 1);
    case 'o':
      return put(before_silent_e() ? U"оу" : U"о", 1);
    case 'u':
      if (before_silent_e()) return put(U"ю", 1);
      if (!first && closed()) return put_reduced(U"ъ", U"а", 1);
      return put(U"у", 1);
    case 'y':
      if (first && is_vowel(at(1))) return put(U"й", 1);
      return put(U"и", 1);
  }
}

void Transcriber::consonant(char c) {
  // A doubled consonant is one sound.
  if (m_at > 0 && m_w[m_at - 1] == c && c != 'c') return void(++m_at);
  const char next = at(1);
  switch (c) {
    case 'b':
      return put(U"б", 1);
    case 'c':
      return put(next == 'e' || next == 'i' || next == 'y' ? U"с" : U"к", 1);
    case 'd':
      return put(U"д", 1);
    case 'f':
      return put(U"ф", 1);
    case 'g':
      if (next == 'e' && at(2) == '\0') return put(U"дж", 2);
      return put(next == 'e' || next == 'y' ? U"дж" : U"г", 1);
    case 'h':
      // Silent after a vowel and before a consonant or the end: "John",
      // "Sarah".
      if (m_at > 0 && is_vowel(m_w[m_at - 1]) && !is_vowel(next)) return void(++m_at);
      return put(U"х", 1);
    case 'j':
      return put(U"дж", 1);
    case 'k':
      return put(U"к", 1);
    case 'l':
      return put(U"л", 1);
    case 'm':
      return put(U"м", 1);
    case 'n':
      return put(U"н", 1);
    case 'p':
      return put(U"п", 1);
    case 'q':
      return put(U"к", 1);
    case 'r':
      return put(U"р", 1);
    case 's':
      return put(U"с", 1);
    case 't':
      return put(U"т", 1);
    case 'v':
      return put(U"в", 1);
    case 'w':
      return put(U"у", 1);
    case 'x':
      return put(m_at == 0 ? U"з" : U"кс", 1);
    case 'z':
      return put(U"з", 1);
    default:
      return void(++m_at);
  }
}

// The letters of a name in lower case, without a possessive ending.
std::string letters_of(std::string_view name) {
  std::u32string word = utf8::decode(name);
  auto apostrophe = [](char32_t c) { return c == U'\'' || c == 0x2019 || c == 0x02BC; };
  if (word.size() > 2 && apostrophe(word[word.size() - 2]) &&
      (word.back() == U's' || word.back() == U'S')) {
    word.resize(word.size() - 2);
  } else if (!word.empty() && apostrophe(word.back())) {
    word.pop_back();
  }
  std::string out;
  for (char32_t c : word) {
    const char32_t letter = base_letter(lookup_text::to_lower(c));
    if ((letter >= U'a' && letter <= U'z') || letter == U'-') out += static_cast<char>(letter);
  }
  return out;
}

}  // namespace

std::string to_cyrillic(Language target, std::string_view name) {
  const std::string letters = letters_of(name);
  bool any = false;
  for (char c : letters) any = any || c != '-';
  if (!any) return {};
  std::u32string out = Transcriber(letters, target).run();
  if (out.empty()) return {};
  out.front() = lookup_text::to_upper(out.front());
  // A part after a hyphen is a name too: "Smith-Jones".
  for (size_t i = 1; i < out.size(); ++i) {
    if (out[i - 1] == U'-') out[i] = lookup_text::to_upper(out[i]);
  }
  return utf8::encode(out);
}

}  // namespace english_name_transcription

}  // namespace prevod
