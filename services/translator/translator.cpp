#include "services/translator/translator.h"

#include "services/translator/dictionary.h"
#include "services/translator/lookup_text.h"
#include "services/translator/phrase_translator.h"

namespace prevod {

Translator::Translator(std::string dictionary_directory)
    : m_bulgarian(
          std::make_unique<Dictionary>(dictionary_directory, std::string(kBulgarianDictionary))),
      m_russian(
          std::make_unique<Dictionary>(dictionary_directory, std::string(kRussianDictionary))) {}

Translator::~Translator() = default;

Dictionary& Translator::dictionary(Language language) {
  return language == Language::Russian ? *m_russian : *m_bulgarian;
}

std::string Translator::translate(Language source, Language target, std::string_view text) {
  if (source == target) return lookup_text::display_form(text);
  if (source != Language::English && target != Language::English) {
    return translate(Language::English, target, translate(source, Language::English, text));
  }
  if (source == Language::English) {
    Dictionary& book = dictionary(target);
    const PhraseTranslator phrases([&book](const std::string& key) { return book.translate(key); },
                                   book.max_words());
    return phrases.translate(text);
  }
  Dictionary& book = dictionary(source);
  const PhraseTranslator phrases(
      [&book](const std::string& key) { return book.translate_back(key); }, book.max_words_back());
  return phrases.translate(text);
}

}  // namespace prevod
