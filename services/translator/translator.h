#pragma once

// The translation service's engine: English to Bulgarian and Russian from
// the FreeDict dictionaries freedict-eng-bul and freedict-eng-rus, and back
// to English from the same dictionaries inverted. Bulgarian and Russian
// meet through English. Each dictionary and direction loads on first use.
//
// A word that is not in the dictionary as written is translated through
// its dictionary forms (see Morphology): the first form the dictionary
// holds gives the translation, and the result names it in a marker (see
// headword_marker). The source language's hunspell dictionary loads on the
// first word that needs it; without one, words are looked up as written.
//
// Grammar words (pronouns, particles, prepositions, auxiliary verbs) are
// answered from a hand-made list (GrammarWords) before the dictionary. A
// name that no dictionary holds in any form ("Вазов", "Aaron") is spelled
// in the target's alphabet (romanization, english_name_transcription), and
// the marker says so. An English word that the dictionary lacks in every
// form is translated through a WordNet synonym that it holds (see
// SynonymIndex), which loads on the first such word.

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "services/translator/language.h"
#include "services/translator/phrase_translator.h"
#include "services/translator/translation.h"

namespace prevod {

class Dictionary;
class GrammarWords;
class Morphology;
class SynonymIndex;

class Translator {
 public:
  static constexpr std::string_view kDefaultDirectory = "/usr/share/dictd";
  static constexpr std::string_view kBulgarianDictionary = "freedict-eng-bul";
  static constexpr std::string_view kRussianDictionary = "freedict-eng-rus";

  using Notice = std::function<void(const std::string&)>;
  // Whether grammar words are answered from the lists built into the
  // program; without them every word goes to the dictionary.
  enum class GrammarWordLists { BuiltIn, None };

  explicit Translator(std::string dictionary_directory = std::string(kDefaultDirectory),
                      GrammarWordLists grammar_words = GrammarWordLists::BuiltIn);
  ~Translator();
  Translator(const Translator&) = delete;
  Translator& operator=(const Translator&) = delete;

  // The text in the target language (see PhraseTranslator for how), with
  // the marker of the dictionary forms it went through. A text already in
  // the target language comes back with its spacing tidied.
  // DictionaryError, naming the dictionary, when one that is needed cannot
  // be used.
  std::string translate(Language source, Language target, std::string_view text);
  // The same, with the translation and the forms apart. Between Bulgarian
  // and Russian the forms are those of the source words.
  Translation translation(Language source, Language target, std::string_view text);

  // The dictionary between English and a Cyrillic language.
  Dictionary& dictionary(Language language);
  // The word forms of a language.
  Morphology& morphology(Language language);

  // Where the hunspell dictionaries are (Morphology::kDefaultDirectory
  // unless set); takes effect for languages not yet used.
  void set_morphology_directory(std::string directory);
  // Where to say that a hunspell dictionary cannot be used.
  void set_notice(Notice notice);

  // The English synonyms that the dictionary of `target` holds (see
  // SynonymIndex), built on first use; empty when WordNet cannot be read.
  const SynonymIndex& synonyms(Language target);

 private:
  Translation from_english(Language target, std::string_view text);
  Translation to_english(Language source, std::string_view text);
  // Word by word with `lookup`, each unknown word through its dictionary
  // forms, and a name that none of them finds spelled in the target's
  // alphabet.
  const GrammarWords& grammar_words(Language source, Language target) const;
  std::optional<PhraseTranslator::Reduction> through_synonym(Language target,
                                                             const std::string& word);
  Translation translate_words(Language source, Language target,
                              const PhraseTranslator::Lookup& lookup, int max_words,
                              std::string_view text);

  std::unique_ptr<Dictionary> m_bulgarian;
  std::unique_ptr<Dictionary> m_russian;
  std::string m_dictionary_directory;
  GrammarWordLists m_grammar_words;
  std::string m_morphology_directory;
  Notice m_notice;
  // One per Language, indexed by its value; made on first use.
  std::unique_ptr<Morphology> m_morphology[3];
  // One per target language, indexed by its value; made on first use.
  std::unique_ptr<SynonymIndex> m_synonyms[3];
};

}  // namespace prevod
