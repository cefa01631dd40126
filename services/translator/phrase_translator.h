#pragma once

// Translates a text with a phrase book that knows words and set phrases by
// their lookup key. The whole text is tried first, as one phrase; failing
// that, the text is taken word by word from the left, each time with the
// longest run of words the book knows ("a lot of cats" finds "a lot" and
// then "of"). Punctuation around a word stays around its translation, words
// are joined by single spaces, and a word the book does not know comes
// back as it was written, unless a reducer finds a dictionary form of it
// that the book knows ("cats" through "cat"). A translation that starts a
// sentence starts with a capital when the source word did.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "services/translator/translation.h"

namespace prevod {

class PhraseTranslator {
 public:
  // The book: a lookup key to its translation, nothing when unknown.
  using Lookup = std::function<std::optional<std::string>(const std::string& key)>;

  // A word the book does not know as written, translated through a
  // dictionary form that it does know.
  struct Reduction {
    std::string translation;
    std::string headword;
  };
  // Asked for a single word, as written, that no run of words found.
  using Reducer = std::function<std::optional<Reduction>(const std::string& word)>;

  // `max_words` bounds the runs tried at each word (the longest phrase in
  // the book; at least 1). Without a reducer unknown words stay as written.
  PhraseTranslator(Lookup lookup, int max_words, Reducer reducer = {});

  std::string translate(std::string_view text) const { return translation(text).text; }
  // The translation with the dictionary forms that reduced words went
  // through.
  Translation translation(std::string_view text) const;

 private:
  Lookup m_lookup;
  int m_max_words;
  Reducer m_reducer;
};

}  // namespace prevod
