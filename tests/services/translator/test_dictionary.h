#pragma once

// Small dictd dictionaries made by the tests: entries in, a .index and a
// plain .dict or a dictzip .dict.dz out, in a scratch directory that is
// removed afterwards. The dictzip writer compresses each chunk with a full
// flush, as dictzip does, so that every chunk inflates on its own.

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace prevod {

class TestDictionary {
 public:
  TestDictionary();
  ~TestDictionary();
  TestDictionary(const TestDictionary&) = delete;
  TestDictionary& operator=(const TestDictionary&) = delete;

  // Adds an entry: its index headword and its text (a newline is added).
  void add(const std::string& headword, const std::string& text);

  // The dictionary text and the index lines for it, meta entries first.
  std::string text() const;
  std::string index() const;

  // Writes <name>.index and <name>.dict into the scratch directory, or
  // into another dictionary's.
  void write_plain(const std::string& name) const;
  void write_plain_into(const std::filesystem::path& directory, const std::string& name) const;
  // Writes <name>.index and <name>.dict.dz in chunks of `chunk_length`.
  void write_dictzip(const std::string& name, unsigned chunk_length) const;
  void write_dictzip_into(const std::filesystem::path& directory, const std::string& name,
                          unsigned chunk_length) const;

  const std::filesystem::path& directory() const { return m_directory; }
  std::filesystem::path path(const std::string& file) const { return m_directory / file; }

  static void write_file(const std::filesystem::path& path, const std::string& bytes);
  static std::string read_file(const std::filesystem::path& path);
  // A dictzip file of a text; without the RA field it is plain gzip. The
  // stream ends in its last chunk, or, as the dictzip tool writes it, in an
  // empty final block after the chunks that the chunk table leaves out.
  enum class RandomAccess { Yes, No };
  enum class Ending { InLastChunk, AfterChunks };
  static std::string dictzip(const std::string& text, unsigned chunk_length,
                             RandomAccess random_access = RandomAccess::Yes,
                             Ending ending = Ending::InLastChunk);

 private:
  std::filesystem::path m_directory;
  std::vector<std::pair<std::string, std::string>> m_entries;
};

}  // namespace prevod
