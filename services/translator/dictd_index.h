#pragma once

// The index of a dictd dictionary: one line per entry, "headword TAB offset
// TAB length", the two numbers in dictd base 64 and pointing into the
// uncompressed text of the .dict file. The database's own meta entries
// ("00databaseinfo", "00-database-short", ...) are left out. A line that
// does not have that shape is skipped and counted, so one damaged line
// costs one headword rather than the whole dictionary; an index that cannot
// belong to its text at all (check_fits) makes the dictionary damaged.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace prevod {

struct DictdIndexEntry {
  std::string headword;
  uint64_t offset = 0;
  uint64_t length = 0;
};

class DictdIndex {
 public:
  // Reads an index file. DictionaryError when it cannot be read or holds
  // no usable line at all.
  static DictdIndex read(const std::string& path);
  // Parses index text. DictionaryError when no line is usable.
  static DictdIndex parse(std::string_view text);

  const std::vector<DictdIndexEntry>& entries() const { return m_entries; }
  // The entries, moved out of the index.
  std::vector<DictdIndexEntry> take_entries() { return std::move(m_entries); }
  // Lines that were not index lines (blank lines are not counted).
  int skipped_lines() const { return m_skipped_lines; }

  // The end of the furthest entry: no text beyond it is ever needed.
  uint64_t extent() const { return m_extent; }
  // How much text the entries cover, a stretch that several entries share
  // counted once.
  uint64_t covered() const { return m_covered; }
  // DictionaryError (Damaged) when the index cannot belong to a text of
  // `text_length` bytes: more than half of its entries lie beyond the end,
  // or its entries together cover more than twice the text (each entry of a
  // dictionary is a stretch of its own), which would have every lookup the
  // other way read the text over and over.
  void check_fits(uint64_t text_length) const;

 private:
  void measure();

  std::vector<DictdIndexEntry> m_entries;
  int m_skipped_lines = 0;
  uint64_t m_extent = 0;
  uint64_t m_covered = 0;
};

}  // namespace prevod
