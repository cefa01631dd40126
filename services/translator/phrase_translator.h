#pragma once

// Translates a text with a phrase book that knows words and set phrases by
// their lookup key. The whole text is tried first, as one phrase; failing
// that, the text is taken word by word from the left, each time with the
// longest run of words the book knows ("a lot of cats" finds "a lot" and
// then "of"). Punctuation around a word stays around its translation, words
// are joined by single spaces, and a word the book does not know comes
// back as it was written. A translation that starts a sentence starts with
// a capital when the source word did.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace prevod {

class PhraseTranslator {
 public:
  // The book: a lookup key to its translation, nothing when unknown.
  using Lookup = std::function<std::optional<std::string>(const std::string& key)>;

  // `max_words` bounds the runs tried at each word (the longest phrase in
  // the book; at least 1).
  PhraseTranslator(Lookup lookup, int max_words);

  std::string translate(std::string_view text) const;

 private:
  Lookup m_lookup;
  int m_max_words;
};

}  // namespace prevod
