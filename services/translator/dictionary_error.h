#pragma once

// A dictionary that cannot be used. Unavailable: its files are missing or
// unreadable, or they are not a dictd dictionary at all (no usable index
// line, not a gzip file). Damaged: the files are there but their content is
// broken: a compressed text that does not inflate or fails its checksum, an
// index that does not fit its text, an entry that cannot be read (an offset
// beyond the end of the text, a chunk that does not inflate). The error
// names the dictionary ("freedict-eng-bul") once the failure has reached
// the level that knows it, so the translation page can say which one.

#include <stdexcept>
#include <string>
#include <utility>

namespace prevod {

class DictionaryError : public std::runtime_error {
 public:
  enum class Kind { Unavailable, Damaged };

  explicit DictionaryError(const std::string& what, Kind kind = Kind::Unavailable,
                           std::string dictionary = {})
      : std::runtime_error(what), m_kind(kind), m_dictionary(std::move(dictionary)) {}

  Kind kind() const { return m_kind; }
  // The dictionary's name, "" when not yet known.
  const std::string& dictionary() const { return m_dictionary; }

 private:
  Kind m_kind;
  std::string m_dictionary;
};

}  // namespace prevod
