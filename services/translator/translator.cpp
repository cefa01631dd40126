#include "services/translator/translator.h"

#include "base/headword_marker.h"
#include "services/translator/dictionary.h"
#include "services/translator/lookup_text.h"
#include "services/translator/morphology.h"
#include "services/translator/phrase_translator.h"

namespace prevod {

namespace {

// The first reading of a word that the book holds, with its translation.
template <typename Find>
std::optional<PhraseTranslator::Reduction> reduce(Morphology& morphology, const std::string& word,
                                                  Find&& find) {
  std::optional<PhraseTranslator::Reduction> found;
  morphology.find_reading(word, [&](const std::string& reading) {
    const std::string key = lookup_text::key(reading);
    if (key.empty()) return false;
    auto translation = find(key);
    if (!translation) return false;
    found =
        PhraseTranslator::Reduction{std::move(*translation), lookup_text::display_form(reading)};
    return true;
  });
  return found;
}

}  // namespace

Translator::Translator(std::string dictionary_directory)
    : m_bulgarian(
          std::make_unique<Dictionary>(dictionary_directory, std::string(kBulgarianDictionary))),
      m_russian(
          std::make_unique<Dictionary>(dictionary_directory, std::string(kRussianDictionary))),
      m_morphology_directory(Morphology::kDefaultDirectory) {}

Translator::~Translator() = default;

Dictionary& Translator::dictionary(Language language) {
  return language == Language::Russian ? *m_russian : *m_bulgarian;
}

Morphology& Translator::morphology(Language language) {
  std::unique_ptr<Morphology>& slot = m_morphology[static_cast<int>(language)];
  if (!slot) slot = std::make_unique<Morphology>(language, m_morphology_directory, m_notice);
  return *slot;
}

void Translator::set_morphology_directory(std::string directory) {
  m_morphology_directory = std::move(directory);
}

void Translator::set_notice(Notice notice) {
  m_notice = std::move(notice);
}

std::string Translator::translate(Language source, Language target, std::string_view text) {
  const Translation result = translation(source, target, text);
  return headword_marker::compose(result.text, result.headwords);
}

Translation Translator::translation(Language source, Language target, std::string_view text) {
  if (source == target) return Translation{lookup_text::display_form(text), {}};
  if (source == Language::English) return from_english(target, text);
  if (target == Language::English) return to_english(source, text);
  Translation english = to_english(source, text);
  Translation out = from_english(target, english.text);
  out.headwords = std::move(english.headwords);
  return out;
}

Translation Translator::from_english(Language target, std::string_view text) {
  Dictionary& book = dictionary(target);
  Morphology& forms = morphology(Language::English);
  const PhraseTranslator phrases(
      [&book](const std::string& key) { return book.translate(key); }, book.max_words(),
      [&](const std::string& word) {
        return reduce(forms, word, [&book](const std::string& key) { return book.translate(key); });
      });
  return phrases.translation(text);
}

Translation Translator::to_english(Language source, std::string_view text) {
  Dictionary& book = dictionary(source);
  Morphology& forms = morphology(source);
  const PhraseTranslator phrases(
      [&book](const std::string& key) { return book.translate_back(key); }, book.max_words_back(),
      [&](const std::string& word) {
        return reduce(forms, word,
                      [&book](const std::string& key) { return book.translate_back(key); });
      });
  return phrases.translation(text);
}

}  // namespace prevod
