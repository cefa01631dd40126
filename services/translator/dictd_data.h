#pragma once

// The text of a dictd dictionary, read by offset and length as the index
// gives them. Three forms are read: a plain .dict file; a dictzip .dict.dz,
// a gzip file whose extra field "RA" lists the compressed size of each
// fixed-size chunk, so that an entry costs the inflation of the one or two
// chunks it lies in (and the whole text is put together chunk by chunk;
// opened from a file, only its header is held and each chunk is read from
// the file when first needed);
// and a .dict.dz without that field, which is inflated from the start on
// first use.
//
// The index bounds what is ever read (set_reach): no text past the end of
// its furthest entry is inflated, so a small file that inflates to
// gigabytes costs no more time or memory than the index can use. Inflated
// chunks are kept, so the memory held never exceeds the text read.
//
// Damage (a truncated file, a chunk that does not inflate, a checksum that
// does not match, a range beyond the end) is a DictionaryError of the kind
// Damaged; a file that cannot be read or is no gzip file at all is one of
// the kind Unavailable. A failure is remembered: asking again fails at once
// with the same error, without reading the file again.
//
// NOTE: dictzip chunks carry no checksum of their own. Damage inside a
// chunk that still inflates to the right length goes unnoticed by reads
// through the chunks; the whole-text read checks the gzip CRC when it reads
// the text to its end.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "services/translator/dictionary_error.h"
#include "services/translator/read_only_file.h"

namespace prevod {

class DictdData {
 public:
  // Longest entry read at once; a longer length in an index is damage.
  static constexpr uint64_t kMaxEntryLength = uint64_t{1} << 20;
  // Largest dictionary file or text accepted; beyond it the file is taken
  // for damage rather than a dictionary.
  static constexpr uint64_t kMaxTextLength = uint64_t{512} << 20;
  // A compressed text is read no further than this many times the size of
  // its file (with a megabyte at the least): text compresses to a third or
  // so, and a file that inflates far beyond that holds no dictionary there.
  static constexpr uint64_t kMaxRatio = 16;

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

  // No read will go past `reach` bytes of text (the end of the index's
  // furthest entry), nor, when the text is compressed, past kMaxRatio times
  // the file's size.
  void set_reach(uint64_t reach);
  // The length of the text, as far as the reach: for a compressed file
  // without chunks this inflates up to the reach; a dictzip file gives it
  // from its chunk table (an upper bound: the last chunk may be short).
  uint64_t length();
  // The text at an offset, `length` bytes long.
  std::string read(uint64_t offset, uint64_t length);
  // The text up to the reach. Afterwards every read is served from it.
  const std::string& read_all();

  // Whether random access by chunk is available (a dictzip file).
  bool has_chunks() const { return m_chunk_length != 0; }

 private:
  enum class Form { Plain, Dictzip, Gzip };

  DictdData(std::string bytes, std::string description);
  static std::unique_ptr<DictdData> from_path(const std::string& path, Packing packing);
  // The size of the file or bytes the text is stored in, and `length`
  // bytes of it at `offset` (fewer when the file no longer holds them).
  uint64_t stored_size() const;
  std::string_view stored(uint64_t offset, uint64_t length, std::string& buffer) const;
  void parse_gzip_header();
  const std::string& chunk(size_t index);
  std::string inflate_chunk(size_t index) const;
  void inflate_prefix();
  void join_chunks();
  void check_trailer() const;
  std::string read_text(uint64_t offset, uint64_t length) const;
  std::string read_chunks(uint64_t offset, uint64_t length);
  [[noreturn]] void fail(const std::string& what,
                         DictionaryError::Kind kind = DictionaryError::Kind::Damaged) const;
  [[noreturn]] void fail_chunk(size_t index, const char* what) const;

  // The stored bytes; a dictzip file opened from a path keeps only its
  // header here and reads its chunks from m_file.
  std::string m_bytes;
  std::optional<ReadOnlyFile> m_file;
  std::string m_description;
  Form m_form = Form::Plain;
  uint64_t m_reach = kMaxTextLength;
  // The text once known, up to the reach.
  std::optional<std::string> m_text;
  // Why the text as a whole cannot be read, once that is known.
  std::optional<DictionaryError> m_failure;
  // Dictzip: chunk length, where each chunk starts in the file and how long
  // it is there, the chunks inflated so far and why a chunk cannot be.
  uint64_t m_chunk_length = 0;
  std::vector<uint64_t> m_chunk_offsets;
  std::vector<uint64_t> m_chunk_sizes;
  std::vector<std::optional<std::string>> m_chunks;
  std::vector<std::string> m_chunk_failures;
};

}  // namespace prevod
