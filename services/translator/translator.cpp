#include "services/translator/translator.h"

#include <algorithm>

#include "base/headword_marker.h"
#include "services/translator/dictionary.h"
#include "services/translator/english_name_transcription.h"
#include "services/translator/grammar_words.h"
#include "services/translator/lookup_text.h"
#include "services/translator/morphology.h"
#include "services/translator/phrase_translator.h"
#include "services/translator/romanization.h"

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

// A name that no dictionary holds, spelled in the target's alphabet.
std::optional<PhraseTranslator::Reduction> spelled_name(Morphology& morphology, Language source,
                                                        Language target, const std::string& word) {
  if (!morphology.is_name(word)) return std::nullopt;
  std::string spelled = source == Language::English
                            ? english_name_transcription::to_cyrillic(target, word)
                            : romanization::to_latin(source, word);
  if (spelled.empty() || spelled == word) return std::nullopt;
  return PhraseTranslator::Reduction{std::move(spelled), headword_marker::name(word)};
}

// The book's lookup with the grammar words answered first.
PhraseTranslator::Lookup with_grammar_words(
    const GrammarWords& grammar,
    std::function<std::optional<std::string>(const std::string&)> book) {
  return [&grammar, book = std::move(book)](const std::string& key) {
    if (auto gloss = grammar.find(key)) return gloss;
    return book(key);
  };
}

}  // namespace

Translator::Translator(std::string dictionary_directory, GrammarWordLists grammar_words)
    : m_bulgarian(
          std::make_unique<Dictionary>(dictionary_directory, std::string(kBulgarianDictionary))),
      m_russian(
          std::make_unique<Dictionary>(dictionary_directory, std::string(kRussianDictionary))),
      m_grammar_words(grammar_words),
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
  const GrammarWords& grammar = grammar_words(Language::English, target);
  const PhraseTranslator::Lookup lookup =
      with_grammar_words(grammar, [&book](const std::string& key) { return book.translate(key); });
  return translate_words(Language::English, target, lookup,
                         std::max(book.max_words(), grammar.max_words()), text);
}

Translation Translator::to_english(Language source, std::string_view text) {
  Dictionary& book = dictionary(source);
  const GrammarWords& grammar = grammar_words(source, Language::English);
  const PhraseTranslator::Lookup lookup = with_grammar_words(
      grammar, [&book](const std::string& key) { return book.translate_back(key); });
  return translate_words(source, Language::English, lookup,
                         std::max(book.max_words_back(), grammar.max_words()), text);
}

const GrammarWords& Translator::grammar_words(Language source, Language target) const {
  static const GrammarWords none;
  if (m_grammar_words == GrammarWordLists::None) return none;
  return GrammarWords::built_in(source, target);
}

Translation Translator::translate_words(Language source, Language target,
                                        const PhraseTranslator::Lookup& lookup, int max_words,
                                        std::string_view text) {
  Morphology& forms = morphology(source);
  const PhraseTranslator phrases(lookup, max_words, [&](const std::string& word) {
    if (auto reduced = reduce(forms, word, lookup)) return reduced;
    return spelled_name(forms, source, target, word);
  });
  return phrases.translation(text);
}

}  // namespace prevod
