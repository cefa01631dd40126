#pragma once

// English words that a translation dictionary lacks, each with a synonym
// that it holds, read from WordNet in its dictd form (Debian's dict-wn:
// "wn.index" and "wn.dict.dz"). WordNet groups words into senses, most
// frequent sense first within each part of speech, and lists each
// sense's synonyms ("puma": "cougar", "catamount", "mountain lion", ...).
// A word's synonym here comes from its earliest sense with a synonym that
// the translation dictionary holds: of those, the one with the fewest
// senses of its own, none with more than kMostSenses and none with senses
// of another part of speech, since the dictionary translates a word of
// many senses in whichever it likes ("upsurge" is a "rush", but "rush" is
// translated as the reed; "enshrine" is to "shrine", but "shrine" as the
// noun).
// Abbreviations ("OR" for "Oregon") and synonyms shorter than
// kShortestSynonym letters are left out. A rare word is then translated
// through a common synonym ("puma" as "cougar").
//
// Building reads the whole of WordNet once (its text inflates to about
// 30 MB) and keeps only the pairs, a few megabytes; the translator builds
// it on the first word that no dictionary form finds, never at start-up.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace prevod {

class SynonymIndex {
 public:
  static constexpr std::string_view kWordNet = "wn";
  // A synonym with more senses than this is not used.
  static constexpr size_t kMostSenses = 2;
  static constexpr size_t kShortestSynonym = 3;

  // One sense of a WordNet entry: its number within its part of speech
  // and its synonyms as written.
  struct Sense {
    int number = 0;
    // Its part of speech as a bit: noun 1, verb 2, adjective 4, adverb 8.
    unsigned part = 0;
    std::vector<std::string> synonyms;
  };
  // How many senses a headword has, and the parts of speech among them.
  struct Senses {
    size_t count = 0;
    unsigned parts = 0;
  };

  // Whether the translation dictionary holds a lookup key.
  using Known = std::function<bool(const std::string& key)>;

  // Whether WordNet's index is in the directory.
  static bool installed(const std::string& directory);
  // Reads "<directory>/wn.index" and its text. DictionaryError when they
  // cannot be read.
  static SynonymIndex read(const std::string& directory, const Known& known);
  // Adds the senses of one WordNet headword, by its lookup key, given the
  // number of senses of every headword by lookup key.
  void add(const std::string& key, std::vector<Sense> senses, const Known& known,
           const std::unordered_map<std::string, Senses>& sense_counts);

  // The synonym of a lookup key that the dictionary holds, as WordNet
  // writes it; nothing when it has none.
  std::optional<std::string> find(const std::string& key) const;
  size_t size() const { return m_synonyms.size(); }

 private:
  std::unordered_map<std::string, std::string> m_synonyms;
};

}  // namespace prevod
