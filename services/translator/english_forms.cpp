#include "services/translator/english_forms.h"

#include <algorithm>
#include <span>
#include <unordered_map>

namespace prevod {

namespace english_forms {
namespace {

// Irregular verbs: the dictionary form, then its other forms (past tense,
// past participle, third person where it is irregular).
constexpr std::string_view kVerbs[] = {
    "arise arose arisen",
    "awake awoke awoken",
    "be am is are was were been",
    "bear bore borne born",
    "beat beaten",
    "become became",
    "begin began begun",
    "bend bent",
    "bid bade bidden",
    "bind bound",
    "bite bit bitten",
    "bleed bled",
    "blow blew blown",
    "break broke broken",
    "breed bred",
    "bring brought",
    "build built",
    "burn burnt",
    "buy bought",
    "catch caught",
    "choose chose chosen",
    "cling clung",
    "come came",
    "creep crept",
    "deal dealt",
    "dig dug",
    "do did done does",
    "draw drew drawn",
    "dream dreamt",
    "drink drank drunk",
    "drive drove driven",
    "dwell dwelt",
    "eat ate eaten",
    "fall fell fallen",
    "feed fed",
    "feel felt",
    "fight fought",
    "find found",
    "flee fled",
    "fling flung",
    "fly flew flown flies",
    "forbid forbade forbidden",
    "forget forgot forgotten",
    "forgive forgave forgiven",
    "freeze froze frozen",
    "get got gotten",
    "give gave given",
    "go went gone goes",
    "grind ground",
    "grow grew grown",
    "hang hung",
    "have has had",
    "hear heard",
    "hide hid hidden",
    "hold held",
    "keep kept",
    "kneel knelt",
    "know knew known",
    "lay laid",
    "lead led",
    "lean leant",
    "leap leapt",
    "learn learnt",
    "leave left",
    "lend lent",
    "lie lay lain",
    "light lit",
    "lose lost",
    "make made",
    "mean meant",
    "meet met",
    "mistake mistook mistaken",
    "overcome overcame",
    "pay paid",
    "ride rode ridden",
    "ring rang rung",
    "rise rose risen",
    "run ran",
    "say said",
    "see saw seen",
    "seek sought",
    "sell sold",
    "send sent",
    "sew sewn",
    "shake shook shaken",
    "shine shone",
    "shoot shot",
    "show shown",
    "shrink shrank shrunk",
    "sing sang sung",
    "sink sank sunk",
    "sit sat",
    "slay slew slain",
    "sleep slept",
    "slide slid",
    "sling slung",
    "smell smelt",
    "sow sown",
    "speak spoke spoken",
    "speed sped",
    "spell spelt",
    "spend spent",
    "spill spilt",
    "spin spun",
    "spit spat",
    "spoil spoilt",
    "spring sprang sprung",
    "stand stood",
    "steal stole stolen",
    "stick stuck",
    "sting stung",
    "stink stank stunk",
    "stride strode stridden",
    "strike struck stricken",
    "string strung",
    "strive strove striven",
    "swear swore sworn",
    "sweep swept",
    "swell swollen",
    "swim swam swum",
    "swing swung",
    "take took taken",
    "teach taught",
    "tear tore torn",
    "tell told",
    "think thought",
    "throw threw thrown",
    "tread trod trodden",
    "understand understood",
    "undertake undertook undertaken",
    "wake woke woken",
    "wear wore worn",
    "weave wove woven",
    "weep wept",
    "win won",
    "wind wound",
    "withdraw withdrew withdrawn",
    "wring wrung",
    "write wrote written",
};

// Irregular nouns: the singular, then its plurals.
constexpr std::string_view kNouns[] = {
    "alumnus alumni",     "analysis analyses", "axis axes",      "bacterium bacteria",
    "basis bases",        "calf calves",       "child children", "crisis crises",
    "criterion criteria", "datum data",        "die dice",       "elf elves",
    "foot feet",          "goose geese",       "half halves",    "hoof hooves",
    "knife knives",       "leaf leaves",       "life lives",     "loaf loaves",
    "louse lice",         "man men",           "medium media",   "mouse mice",
    "nucleus nuclei",     "ox oxen",           "person people",  "phenomenon phenomena",
    "radius radii",       "scarf scarves",     "self selves",    "sheaf sheaves",
    "shelf shelves",      "stimulus stimuli",  "thesis theses",  "thief thieves",
    "tooth teeth",        "wife wives",        "wolf wolves",    "woman women",
};

// Irregular comparison: the adjective or adverb, then its other degrees.
constexpr std::string_view kAdjectives[] = {
    "good better best",  "bad worse worst", "far farther farthest further furthest",
    "little less least", "many more most",  "much more most",
};

using Table = std::unordered_map<std::string, std::vector<std::string>>;

std::vector<std::string_view> words_of(std::string_view row) {
  std::vector<std::string_view> words;
  while (!row.empty()) {
    const size_t space = row.find(' ');
    words.push_back(row.substr(0, space));
    if (space == std::string_view::npos) break;
    row.remove_prefix(space + 1);
  }
  return words;
}

// Files each form of each row under the row's dictionary form.
void add_rows(Table& table, std::span<const std::string_view> rows) {
  for (std::string_view row : rows) {
    const std::vector<std::string_view> words = words_of(row);
    for (size_t i = 1; i < words.size(); ++i) {
      std::vector<std::string>& bases = table[std::string(words[i])];
      const std::string base(words[0]);
      if (std::find(bases.begin(), bases.end(), base) == bases.end()) bases.push_back(base);
    }
  }
}

const Table& table() {
  static const Table built = [] {
    Table t;
    add_rows(t, kVerbs);
    add_rows(t, kNouns);
    add_rows(t, kAdjectives);
    return t;
  }();
  return built;
}

std::string lower_ascii(std::string_view word) {
  std::string out(word);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

bool is_vowel(char c) {
  return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u';
}

bool ends_with(std::string_view word, std::string_view suffix) {
  return word.size() > suffix.size() && word.substr(word.size() - suffix.size()) == suffix;
}

// Stems shorter than this are not guessed: "is" is not a form of "i".
constexpr size_t kShortestStem = 2;

// Verbs in "-ic" that take a "k" have at least this many letters
// ("panic").
constexpr size_t kShortestIcStem = 5;

void add(std::vector<std::string>& out, std::string stem) {
  if (stem.size() < kShortestStem) return;
  if (std::find(out.begin(), out.end(), stem) == out.end()) out.push_back(std::move(stem));
}

// The stems left by a suffix: as it is, with a doubled consonant undone
// ("runn" is "run"), and with a dropped "e" restored ("hop" may be "hope").
void add_stems(std::vector<std::string>& out, const std::string& stem) {
  add(out, stem);
  const size_t n = stem.size();
  if (n >= 3 && stem[n - 1] == stem[n - 2] && !is_vowel(stem[n - 1])) {
    add(out, stem.substr(0, n - 1));
  }
  if (n >= 2 && !is_vowel(stem[n - 1])) add(out, stem + "e");
}

}  // namespace

std::vector<std::string> irregular(std::string_view word) {
  const auto found = table().find(lower_ascii(word));
  if (found == table().end()) return {};
  return found->second;
}

std::vector<std::string> by_rule(std::string_view word) {
  std::string w = lower_ascii(word);
  std::vector<std::string> out;
  // Possessives first: "cat's", "cats'".
  if (ends_with(w, "'s")) {
    w.resize(w.size() - 2);
    add(out, w);
  } else if (ends_with(w, "s'")) {
    w.resize(w.size() - 1);
    add(out, w);
  }
  if (ends_with(w, "ies") || ends_with(w, "ied")) add(out, w.substr(0, w.size() - 3) + "y");
  if (ends_with(w, "iest")) add(out, w.substr(0, w.size() - 4) + "y");
  if (ends_with(w, "ier")) add(out, w.substr(0, w.size() - 3) + "y");
  if (ends_with(w, "ily")) add(out, w.substr(0, w.size() - 3) + "y");
  if (ends_with(w, "es")) add(out, w.substr(0, w.size() - 2));
  if (ends_with(w, "s") && !ends_with(w, "ss")) add(out, w.substr(0, w.size() - 1));
  // A verb in "-ic" takes a "k" before "-ed" and "-ing" ("trafficking",
  // "panicked"); "ticked" is no form of "tic".
  if (ends_with(w, "icked") && w.size() >= kShortestIcStem + 3) {
    add(out, w.substr(0, w.size() - 3));
  }
  if (ends_with(w, "icking") && w.size() >= kShortestIcStem + 4) {
    add(out, w.substr(0, w.size() - 4));
  }
  if (ends_with(w, "ed")) add_stems(out, w.substr(0, w.size() - 2));
  if (ends_with(w, "ing")) add_stems(out, w.substr(0, w.size() - 3));
  if (ends_with(w, "est")) add_stems(out, w.substr(0, w.size() - 3));
  if (ends_with(w, "er")) add_stems(out, w.substr(0, w.size() - 2));
  if (ends_with(w, "ly")) add(out, w.substr(0, w.size() - 2));
  std::stable_sort(out.begin(), out.end(),
                   [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
  return out;
}

}  // namespace english_forms

}  // namespace prevod
