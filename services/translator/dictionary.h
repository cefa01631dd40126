#pragma once

// One FreeDict dictd dictionary on disk ("freedict-eng-bul": its .index and
// its .dict.dz or .dict in the dictionary directory), looked up both ways.
// English to the other language reads only the index up front and each
// entry when it is first asked for; the other language to English needs
// every entry and inverts them all on first use. Each direction loads on
// its first lookup and stays; a direction that failed to load stays failed
// with the same DictionaryError (Unavailable when the files are missing,
// Damaged when they do not hold a sound dictionary), so a missing or
// damaged dictionary is not read again for every word. An entry that
// cannot be read fails the lookup of that headword only (Damaged); the
// reverse direction leaves such an entry out.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "services/translator/dictionary_error.h"

namespace prevod {

class DictdData;
class ReverseIndex;

class Dictionary {
 public:
  Dictionary(std::string directory, std::string name);
  ~Dictionary();
  Dictionary(const Dictionary&) = delete;
  Dictionary& operator=(const Dictionary&) = delete;

  const std::string& name() const { return m_name; }

  // The translation of an English lookup key, or nothing when the
  // dictionary has no such headword. DictionaryError (naming this
  // dictionary) when the dictionary cannot be read.
  std::optional<std::string> translate(const std::string& key);
  // Whether the dictionary has a headword with that lookup key, read from
  // the index alone.
  bool contains(const std::string& key);
  // The English headword for a lookup key of the other language.
  std::optional<std::string> translate_back(const std::string& key);
  // Words in the longest headword, and in the longest translation.
  int max_words();
  int max_words_back();

  // Loads a direction now rather than on first use (DictionaryError when it
  // cannot).
  void load();
  void load_back();

 private:
  struct Location {
    uint64_t offset;
    uint64_t length;
  };
  struct Headword {
    std::string text;
    std::vector<Location> locations;
    // The chosen translation once worked out: nothing inside means the
    // entries have no translation.
    std::optional<std::optional<std::string>> translation;
  };

  const std::optional<std::string>& translation_of(Headword& headword);
  std::string path(const std::string& suffix) const;

  std::string m_directory;
  std::string m_name;

  bool m_loaded = false;
  std::optional<DictionaryError> m_failure;
  std::unique_ptr<DictdData> m_data;
  std::vector<Headword> m_headwords;
  std::unordered_map<std::string, size_t> m_by_key;
  int m_max_words = 0;

  std::optional<DictionaryError> m_reverse_failure;
  std::unique_ptr<ReverseIndex> m_reverse;
};

}  // namespace prevod
