#pragma once

// The text of a dictd dictionary, read by offset and length as the index
// gives them. Three forms are read: a plain .dict file; a dictzip .dict.dz,
// a gzip file whose extra field "RA" lists the compressed size of each
// fixed-size chunk, so that an entry costs the inflation of the one or two
// chunks it lies in; and a .dict.dz without that field, which is inflated
// whole on first use. Inflated chunks are kept, so the memory held never
// exceeds the text of the dictionary. Damage (a truncated file, a chunk
// that does not inflate, a range beyond the end) is a DictionaryError.
//
// NOTE: dictzip chunks carry no checksum of their own. Damage inside a
// chunk that still inflates to the right length goes unnoticed by reads
// through the chunks; the whole-text read checks the gzip CRC.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace prevod {

class DictdData {
 public:
  // Longest entry read at once; a longer length in an index is damage.
  static constexpr uint64_t kMaxEntryLength = uint64_t{1} << 20;

  // How the bytes hold the text: as they are, gzip-compressed (a .dz file,
  // which must then start with a gzip header), or whichever the first
  // bytes show.
  enum class Packing { Plain, Compressed, Detect };

  // Opens "<base>.dict.dz", or "<base>.dict" when there is no compressed
  // file. DictionaryError when neither can be read or the compressed one
  // does not start with a gzip header.
  static std::unique_ptr<DictdData> open(const std::string& base_path);
  // Reads one file, compressed when its name ends in ".dz".
  static std::unique_ptr<DictdData> open_file(const std::string& path);
  // Wraps bytes already in memory.
  static std::unique_ptr<DictdData> from_bytes(std::string bytes, std::string description,
                                               Packing packing = Packing::Detect);

  // The text at an offset, `length` bytes long.
  std::string read(uint64_t offset, uint64_t length);
  // The whole text. Afterwards every read is served from it.
  const std::string& read_all();

  // Whether random access by chunk is available (a dictzip file).
  bool has_chunks() const { return m_chunk_length != 0; }

 private:
  enum class Form { Plain, Dictzip, Gzip };

  DictdData(std::string bytes, std::string description);
  void parse_gzip_header();
  const std::string& chunk(size_t index);
  std::string inflate_chunk(size_t index) const;
  void inflate_whole();
  [[noreturn]] void fail(const std::string& what) const;
  [[noreturn]] void fail_chunk(size_t index, const char* what) const;

  std::string m_bytes;
  std::string m_description;
  Form m_form = Form::Plain;
  // The uncompressed text once known whole.
  std::optional<std::string> m_text;
  // Dictzip: chunk length, where each chunk starts in the file and how long
  // it is there, and the chunks inflated so far.
  uint64_t m_chunk_length = 0;
  std::vector<uint64_t> m_chunk_offsets;
  std::vector<uint64_t> m_chunk_sizes;
  std::vector<std::optional<std::string>> m_chunks;
};

}  // namespace prevod
