#pragma once

// The word forms of one language, read from its hunspell dictionary
// ("en_US", "bg_BG" or "ru_RU": an .aff and a .dic file in the morphology
// directory). Given a word as written ("котките", "cats", "ran"), it names
// the dictionary forms the word may be a form of ("котка", "cat", "run"):
// the readings that a translation can look up when the word itself is not
// in the translation dictionary.
//
// Readings come in groups, tried in this order:
//   0. for Bulgarian, the word without a definite article ("-та", "-то",
//      "-те", "-ът"), and that form's stems, where hunspell knows that
//      form but reads the word as a form of something else: its affix
//      file reads some nouns with their article only as forms of another
//      word ("устата" only as "устат", "pert", not as "уста", "mouth"),
//      and a noun with its article is far the commoner reading;
//   1. hunspell's stems of the word (the "st:" fields of its analyses
//      where the dictionary gives them, so the analyses add nothing);
//   2. the irregular forms of english_forms ("went" is "go") and of
//      bulgarian_forms ("очи" is "око", "може" is "мога");
//   3. for words of five letters or more, roots by the affix file's suffix
//      rules read backwards (AffixRules) that hunspell knows as words, each
//      followed by its own stems: the dictionary lists many forms as words
//      of their own ("началникът"), whose stems name only themselves;
//   4. for English, the suffix rules of EnglishForms.
// Within a group the reading closest to the word comes first: the longest
// shared beginning, then the nearest length. A reading that does not share
// the word's first two letters is left out ("unhappy" is not "happy"),
// except for the irregular forms, which are known pairs.
//
// A name (see is_name) gets hunspell's stems only: the guessed roots of
// "Петко" or "Hayes" are common words ("петък", "hay") that it is no form
// of.
//
// The hunspell dictionary loads on the first word that needs it, on the
// caller's thread. A dictionary that cannot be loaded gives no readings and
// one notice; it is not tried again. Words outside the language's script,
// mixing scripts or longer than any dictionary word give no readings
// without reaching hunspell.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "services/translator/language.h"

// hunspell's checker, declared here so that the header needs no hunspell
// include.
class Hunspell;

namespace prevod {

class AffixRules;

class Morphology {
 public:
  // Words longer than this many letters have no readings.
  static constexpr size_t kLongestWord = 64;
  // Words shorter than this many letters get no roots by the affix rules.
  static constexpr size_t kShortestGuessedWord = 5;
  // What is left of a Bulgarian word without its article has at least
  // this many letters ("чета" is no "че" with an article).
  static constexpr size_t kShortestArticleStem = 3;
  // Where Debian installs the hunspell dictionaries.
  static constexpr std::string_view kDefaultDirectory = "/usr/share/hunspell";

  using Notice = std::function<void(const std::string&)>;

  Morphology(Language language, std::string directory, Notice notice = {});
  ~Morphology();
  Morphology(const Morphology&) = delete;
  Morphology& operator=(const Morphology&) = delete;

  // Hands the dictionary forms of a word to `take`, best first and each
  // once, without the word itself, until `take` accepts one; whether one
  // was accepted. Later groups are worked out only when earlier ones are
  // all refused.
  using Take = std::function<bool(const std::string& reading)>;
  bool find_reading(std::string_view word, const Take& take);
  // All the readings of a word, best first.
  std::vector<std::string> readings(std::string_view word);

  // Whether a word reads as a name: a word of the language's script that
  // starts with a capital and goes on with at least one small letter, and
  // that hunspell does not know in small letters ("Вазов", "Aaron's", but
  // not "Котката" or "Cats", which start a sentence). Without a hunspell
  // dictionary every such word reads as a name.
  bool is_name(std::string_view word);

  // Whether hunspell knows a word as it is spelled; false for a word it
  // cannot check and without a hunspell dictionary.
  bool knows(std::string_view word);

  // Loads the hunspell dictionary now rather than on first use; whether it
  // could be loaded.
  bool load();

  // The hunspell dictionary of a language: "en_US", "bg_BG", "ru_RU".
  static std::string_view dictionary_name(Language language);

 private:
  enum class State { NotLoaded, Loaded, Missing };

  std::string path(std::string_view suffix) const;
  std::vector<std::string> guessed_roots(const std::u32string& word);
  std::vector<std::string> without_article(const std::u32string& word,
                                           const std::vector<std::string>& stems);
  bool name_spelling(const std::u32string& spelled);

  Language m_language;
  std::string m_directory;
  Notice m_notice;
  State m_state = State::NotLoaded;
  std::unique_ptr<::Hunspell> m_hunspell;
  std::unique_ptr<AffixRules> m_affixes;
};

}  // namespace prevod
