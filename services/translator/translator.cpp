#include "services/translator/translator.h"

#include <algorithm>

#include "base/headword_marker.h"
#include "services/translator/dictionary.h"
#include "services/translator/dictionary_error.h"
#include "services/translator/english_derivation.h"
#include "services/translator/english_name_transcription.h"
#include "services/translator/grammar_words.h"
#include "services/translator/lookup_text.h"
#include "services/translator/morphology.h"
#include "services/translator/phrase_translator.h"
#include "services/translator/romanization.h"
#include "services/translator/synonym_index.h"

namespace prevod {

namespace {

// The first reading of a word that the book holds, with its translation.
// The readings refused on the way are added to `refused`.
template <typename Find>
std::optional<PhraseTranslator::Reduction> reduce(Morphology& morphology, const std::string& word,
                                                  Find&& find, std::vector<std::string>& refused) {
  std::optional<PhraseTranslator::Reduction> found;
  morphology.find_reading(word, [&](const std::string& reading) {
    const std::string key = lookup_text::key(reading);
    if (key.empty()) return false;
    auto translation = find(key);
    if (!translation) {
      refused.push_back(reading);
      return false;
    }
    found =
        PhraseTranslator::Reduction{std::move(*translation), lookup_text::display_form(reading)};
    return true;
  });
  return found;
}

std::string lower_ascii(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

// An English word and the readings of it that the dictionary refused, in
// lower case and the word first, for the derivations; nothing for a name
// or a word longer than any word.
std::vector<std::string> english_forms_of(Morphology& morphology, const std::string& word,
                                          const std::vector<std::string>& readings) {
  if (word.size() > Morphology::kLongestWord || morphology.is_name(word)) return {};
  std::vector<std::string> forms{lower_ascii(word)};
  for (const std::string& reading : readings) {
    std::string form = lower_ascii(reading);
    if (std::find(forms.begin(), forms.end(), form) == forms.end())
      forms.push_back(std::move(form));
  }
  return forms;
}

// Words shorter than this get no synonym.
constexpr size_t kShortestSynonymWord = 4;

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
      m_dictionary_directory(dictionary_directory),
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

const SynonymIndex& Translator::synonyms(Language target) {
  std::unique_ptr<SynonymIndex>& slot = m_synonyms[static_cast<int>(target)];
  if (slot) return *slot;
  Dictionary& book = dictionary(target);
  try {
    slot = std::make_unique<SynonymIndex>(SynonymIndex::read(
        m_dictionary_directory, [&book](const std::string& key) { return book.contains(key); }));
  } catch (const DictionaryError& error) {
    slot = std::make_unique<SynonymIndex>();
    // WordNet is optional: only one that is there but cannot be read is
    // worth a notice.
    if (m_notice && SynonymIndex::installed(m_dictionary_directory)) {
      m_notice(std::string("synonyms: ") + error.what() + "; English words without synonyms");
    }
  }
  return *slot;
}

std::optional<PhraseTranslator::Reduction> Translator::through_synonym(Language target,
                                                                       const std::string& word) {
  const std::string key = lookup_text::key(word);
  // WordNet's words are English letters; a token of digits or of another
  // script, or longer than any word, has no synonym and loads nothing.
  // Short words are mostly abbreviations ("MD", "Fr"), whose synonyms are
  // other senses altogether, and a word with a capital is mostly a name
  // ("Mavis" is no song thrush).
  if (key.size() < kShortestSynonymWord || key.size() > Morphology::kLongestWord) {
    return std::nullopt;
  }
  for (char c : key) {
    if (c != ' ' && (c < 'a' || c > 'z')) return std::nullopt;
  }
  if (lookup_text::starts_with_upper(word)) return std::nullopt;
  std::vector<std::string> keys{key};
  for (const std::string& reading : morphology(Language::English).readings(word)) {
    keys.push_back(lookup_text::key(reading));
  }
  const SynonymIndex& index = synonyms(target);
  for (const std::string& candidate : keys) {
    const std::optional<std::string> synonym = index.find(candidate);
    if (!synonym) continue;
    std::optional<std::string> translation =
        dictionary(target).translate(lookup_text::key(*synonym));
    if (!translation) continue;
    return PhraseTranslator::Reduction{std::move(*translation), headword_marker::synonym(*synonym)};
  }
  return std::nullopt;
}

Translation Translator::translate_words(Language source, Language target,
                                        const PhraseTranslator::Lookup& lookup, int max_words,
                                        std::string_view text) {
  Morphology& forms = morphology(source);
  const english_derivation::Known english_word = [&forms](const std::string& word) {
    return forms.knows(word);
  };
  // An English word is tried as an inflected form, through a synonym, as a
  // derived word and last as a name: a synonym keeps the word's own sense,
  // which a derivation's base may lose ("stressful" is not "to stress").
  // Closed compounds are not split: the dictionary's first sense of a part
  // is too often not the compound's ("hilltop" is no spinning top).
  const PhraseTranslator phrases(lookup, max_words, [&](const std::string& word) {
    std::vector<std::string> readings;
    if (auto reduced = reduce(forms, word, lookup, readings)) return reduced;
    if (source != Language::English) return spelled_name(forms, source, target, word);
    const std::vector<std::string> english = english_forms_of(forms, word, readings);
    if (auto through = through_synonym(target, word)) return through;
    if (auto derived = english_derivation::translate(english, lookup, english_word)) return derived;
    return spelled_name(forms, source, target, word);
  });
  return phrases.translation(text);
}

}  // namespace prevod
