#pragma once

// The other direction of a dictionary: from a translation (a Bulgarian or
// Russian word or phrase) back to the English headword it translates. It
// is built by inverting every entry; where several headwords share a
// translation the most plausible one wins, in this order:
//   1. the headword whose own chosen translation is this one ("котка" is
//      what "cat" translates to, so "котка" gives "cat");
//   2. a headword whose sense lists it first;
//   3. fewer words in the headword;
//   4. more places in the headword's entries that list it;
//   5. a headword whose first sense lists it;
//   6. a headword in lower case (a common word before a name);
//   7. the shorter headword, then the alphabetically first, then the one
//      added first.

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace prevod {

class DictdEntry;

class ReverseIndex {
 public:
  // Room for about this many translations.
  void reserve(size_t translations);
  // Adds the entries of one index headword. `fallback_headword` is used for
  // an entry whose first line names none; `chosen_key` is the lookup key
  // of the translation the forward direction shows for that headword.
  void add(const std::vector<DictdEntry>& entries, const std::string& fallback_headword,
           const std::string& chosen_key);
  // Settles the winner of every translation; add() may not follow.
  void finish();

  // The English headword for a lookup key.
  std::optional<std::string> find(const std::string& key) const;
  // Words in the longest key.
  int max_words() const { return m_max_words; }
  size_t size() const { return m_slots.size(); }

 private:
  static constexpr uint32_t kNone = UINT32_MAX;

  // One headword's standing for one key. The candidates of a key form a
  // list through `next`, kept in one pool rather than a vector per key.
  struct Candidate {
    uint32_t headword = 0;
    uint32_t next = kNone;
    uint32_t places = 0;
    bool round_trip = false;
    bool first_in_sense = false;
    bool in_first_sense = false;
  };
  bool better(const Candidate& a, const Candidate& b) const;

  std::vector<std::string> m_headwords;
  // Key to slot; a slot holds the key's first candidate while building and
  // the winning headword once finished.
  std::unordered_map<std::string, uint32_t> m_slots;
  std::vector<uint32_t> m_slot_values;
  std::vector<Candidate> m_pool;
  bool m_finished = false;
  int m_max_words = 0;
};

}  // namespace prevod
