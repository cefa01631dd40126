#pragma once

// A hand-made list of a language's grammar words (pronouns, particles,
// conjunctions, prepositions, auxiliary verbs and a few common verbs) with
// their glosses in another language. The bilingual dictionaries list such
// words seldom, or only inside longer translations, so the translator
// answers them from the list before it asks a dictionary.
//
// The list is text, one entry a line: the word or set phrase, a tab, the
// gloss. Lines starting with "#", blank lines and lines without a tab or
// with an empty side are skipped. Words are matched by their lookup key
// (see lookup_text), so case and stress marks do not matter; of two lines
// for one key the first wins.

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "services/translator/language.h"

namespace prevod {

class GrammarWords {
 public:
  static GrammarWords parse(std::string_view text);
  // The list built into the program for words of `source` glossed in
  // `target`; an empty list where there is none.
  static const GrammarWords& built_in(Language source, Language target);

  // The gloss of a lookup key, or nothing when the list does not hold it.
  std::optional<std::string> find(const std::string& key) const;
  // Words in the longest entry (0 for an empty list).
  int max_words() const { return m_max_words; }
  size_t size() const { return m_glosses.size(); }

 private:
  std::unordered_map<std::string, std::string> m_glosses;
  int m_max_words = 0;
};

}  // namespace prevod
