#include "services/translator/dictionary.h"

#include <algorithm>

#include "services/translator/dictd_data.h"
#include "services/translator/dictd_entry.h"
#include "services/translator/dictd_index.h"
#include "services/translator/dictionary_error.h"
#include "services/translator/lookup_text.h"
#include "services/translator/reverse_index.h"

namespace prevod {

Dictionary::Dictionary(std::string directory, std::string name)
    : m_directory(std::move(directory)), m_name(std::move(name)) {}

Dictionary::~Dictionary() = default;

std::string Dictionary::path(const std::string& suffix) const {
  if (m_directory.empty()) return m_name + suffix;
  const bool separated = m_directory.back() == '/';
  return m_directory + (separated ? "" : "/") + m_name + suffix;
}

void Dictionary::load() {
  if (m_loaded) return;
  if (m_failure) throw *m_failure;
  try {
    DictdIndex index = DictdIndex::read(path(".index"));
    m_data = DictdData::open(path(""));
    m_data->set_reach(index.extent());
    index.check_fits(m_data->length());
    std::vector<DictdIndexEntry> entries = index.take_entries();
    m_headwords.reserve(entries.size());
    m_by_key.reserve(entries.size());
    for (DictdIndexEntry& entry : entries) {
      const std::string key = lookup_text::key(entry.headword);
      if (key.empty()) continue;
      auto [at, added] = m_by_key.try_emplace(key, m_headwords.size());
      if (added) {
        m_headwords.push_back(Headword{std::move(entry.headword), {}, std::nullopt});
        m_max_words = std::max(m_max_words, lookup_text::word_count(key));
      }
      m_headwords[at->second].locations.push_back(Location{entry.offset, entry.length});
    }
  } catch (const DictionaryError& error) {
    m_failure = DictionaryError(error.what(), error.kind(), m_name);
    m_data.reset();
    m_headwords.clear();
    m_by_key.clear();
    m_max_words = 0;
    throw *m_failure;
  }
  m_loaded = true;
}

const std::optional<std::string>& Dictionary::translation_of(Headword& headword) {
  if (headword.translation) return *headword.translation;
  std::vector<DictdEntry> entries;
  for (const Location& location : headword.locations) {
    try {
      entries.push_back(DictdEntry::parse(m_data->read(location.offset, location.length)));
    } catch (const DictionaryError& error) {
      throw DictionaryError(error.what(), DictionaryError::Kind::Damaged, m_name);
    }
  }
  headword.translation = DictdEntry::best_translation(entries);
  return *headword.translation;
}

std::optional<std::string> Dictionary::translate(const std::string& key) {
  load();
  auto found = m_by_key.find(key);
  if (found == m_by_key.end()) return std::nullopt;
  return translation_of(m_headwords[found->second]);
}

bool Dictionary::contains(const std::string& key) {
  load();
  return m_by_key.contains(key);
}

int Dictionary::max_words() {
  load();
  return m_max_words;
}

void Dictionary::load_back() {
  if (m_reverse) return;
  if (m_reverse_failure) throw *m_reverse_failure;
  load();
  auto reverse = std::make_unique<ReverseIndex>();
  // About three translations a headword in the FreeDict dictionaries.
  reverse->reserve(m_headwords.size() * 3);
  try {
    const std::string& text = m_data->read_all();
    for (Headword& headword : m_headwords) {
      std::vector<DictdEntry> entries;
      for (const Location& location : headword.locations) {
        // An entry beyond the end of the text is left out here; looking
        // its headword up the other way reports the damage.
        if (location.length > DictdData::kMaxEntryLength || location.offset > text.size() ||
            location.length > text.size() - location.offset) {
          continue;
        }
        entries.push_back(
            DictdEntry::parse(std::string_view(text).substr(location.offset, location.length)));
      }
      if (!headword.translation && entries.size() == headword.locations.size()) {
        headword.translation = DictdEntry::best_translation(entries);
      }
      const std::optional<std::string> chosen =
          headword.translation ? *headword.translation : DictdEntry::best_translation(entries);
      reverse->add(entries, headword.text, chosen ? lookup_text::key(*chosen) : std::string());
    }
  } catch (const DictionaryError& error) {
    m_reverse_failure = DictionaryError(error.what(), error.kind(), m_name);
    throw *m_reverse_failure;
  }
  reverse->finish();
  m_reverse = std::move(reverse);
}

std::optional<std::string> Dictionary::translate_back(const std::string& key) {
  load_back();
  return m_reverse->find(key);
}

int Dictionary::max_words_back() {
  load_back();
  return m_reverse->max_words();
}

}  // namespace prevod
