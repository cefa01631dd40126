#pragma once

// The translation service's engine: English to Bulgarian and Russian from
// the FreeDict dictionaries freedict-eng-bul and freedict-eng-rus, and back
// to English from the same dictionaries inverted. Bulgarian and Russian
// meet through English. Each dictionary and direction loads on first use.

#include <memory>
#include <string>
#include <string_view>

#include "services/translator/language.h"

namespace prevod {

class Dictionary;

class Translator {
 public:
  static constexpr std::string_view kDefaultDirectory = "/usr/share/dictd";
  static constexpr std::string_view kBulgarianDictionary = "freedict-eng-bul";
  static constexpr std::string_view kRussianDictionary = "freedict-eng-rus";

  explicit Translator(std::string dictionary_directory = std::string(kDefaultDirectory));
  ~Translator();
  Translator(const Translator&) = delete;
  Translator& operator=(const Translator&) = delete;

  // The text in the target language (see PhraseTranslator for how). A text
  // already in the target language comes back with its spacing tidied.
  // DictionaryError, naming the dictionary, when one that is needed cannot
  // be used.
  std::string translate(Language source, Language target, std::string_view text);

  // The dictionary between English and a Cyrillic language.
  Dictionary& dictionary(Language language);

 private:
  std::unique_ptr<Dictionary> m_bulgarian;
  std::unique_ptr<Dictionary> m_russian;
};

}  // namespace prevod
