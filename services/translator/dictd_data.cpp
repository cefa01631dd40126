#include "services/translator/dictd_data.h"

#include <zlib.h>

#include <algorithm>

#include "services/translator/dictionary_error.h"

namespace prevod {

namespace {

constexpr unsigned char kGzipMagic1 = 0x1F;
constexpr unsigned char kGzipMagic2 = 0x8B;
constexpr unsigned char kDeflate = 8;
constexpr unsigned char kFlagHeaderCrc = 0x02;
constexpr unsigned char kFlagExtra = 0x04;
constexpr unsigned char kFlagName = 0x08;
constexpr unsigned char kFlagComment = 0x10;
constexpr unsigned char kFlagReserved = 0xE0;
constexpr size_t kGzipHeaderLength = 10;
constexpr size_t kGzipTrailerLength = 8;
// The first piece of a text inflated from the start; it doubles as needed.
constexpr uint64_t kFirstPiece = uint64_t{64} << 10;
// What is read of a compressed file before its header is known: a dictzip
// header with the largest chunk table fits, with room for a name.
constexpr uint64_t kHeaderReadLength = uint64_t{128} << 10;

using Kind = DictionaryError::Kind;

bool is_gzip(const std::string& bytes) {
  return bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == kGzipMagic1 &&
         static_cast<unsigned char>(bytes[1]) == kGzipMagic2;
}

unsigned byte_at(const std::string& bytes, size_t at) {
  return static_cast<unsigned char>(bytes[at]);
}

unsigned little16(const std::string& bytes, size_t at) {
  return byte_at(bytes, at) | (byte_at(bytes, at + 1) << 8);
}

uint32_t little32(const std::string& bytes, size_t at) {
  return little16(bytes, at) | (static_cast<uint32_t>(little16(bytes, at + 2)) << 16);
}

// An inflate stream that is always ended.
class Inflater {
 public:
  explicit Inflater(int window_bits) { m_ok = inflateInit2(&m_stream, window_bits) == Z_OK; }
  ~Inflater() {
    if (m_ok) inflateEnd(&m_stream);
  }
  Inflater(const Inflater&) = delete;
  Inflater& operator=(const Inflater&) = delete;

  bool ok() const { return m_ok; }
  z_stream& stream() { return m_stream; }

 private:
  z_stream m_stream{};
  bool m_ok = false;
};

}  // namespace

DictdData::DictdData(std::string bytes, std::string description)
    : m_bytes(std::move(bytes)), m_description(std::move(description)) {}

std::unique_ptr<DictdData> DictdData::open(const std::string& base_path) {
  const std::string compressed = base_path + ".dict.dz";
  if (auto data = from_path(compressed, Packing::Compressed)) return data;
  const std::string plain = base_path + ".dict";
  if (auto data = from_path(plain, Packing::Plain)) return data;
  throw DictionaryError("cannot open " + compressed);
}

std::unique_ptr<DictdData> DictdData::open_file(const std::string& path) {
  const bool compressed = path.size() >= 3 && path.compare(path.size() - 3, 3, ".dz") == 0;
  if (auto data = from_path(path, compressed ? Packing::Compressed : Packing::Plain)) return data;
  throw DictionaryError("cannot open " + path);
}

// A dictzip file keeps only its header in memory and reads each chunk from
// the file when first needed; any other file is read whole. Null when the
// file cannot be opened.
std::unique_ptr<DictdData> DictdData::from_path(const std::string& path, Packing packing) {
  std::optional<ReadOnlyFile> file = ReadOnlyFile::open(path);
  if (!file) return nullptr;
  if (file->size() > kMaxTextLength) throw DictionaryError(path + " is too large");
  std::string bytes;
  const uint64_t head_length = std::min(file->size(), kHeaderReadLength);
  if (!file->read_at(0, head_length, bytes)) throw DictionaryError("cannot read " + path);
  if (packing != Packing::Plain && head_length < file->size() && is_gzip(bytes)) {
    std::unique_ptr<DictdData> data(new DictdData(bytes, path));
    try {
      data->parse_gzip_header();
    } catch (const DictionaryError&) {
      // Judged again below, on the whole file.
      data.reset();
    }
    if (data && data->m_form == Form::Dictzip) {
      data->m_file = std::move(file);
      data->set_reach(kMaxTextLength);
      return data;
    }
  }
  if (!file->read_at(0, file->size(), bytes)) throw DictionaryError("cannot read " + path);
  return from_bytes(std::move(bytes), path, packing);
}

std::unique_ptr<DictdData> DictdData::from_bytes(std::string bytes, std::string description,
                                                 Packing packing) {
  std::unique_ptr<DictdData> data(new DictdData(std::move(bytes), std::move(description)));
  const bool gzip = is_gzip(data->m_bytes);
  if (packing == Packing::Compressed && !gzip) data->fail("not a gzip file", Kind::Unavailable);
  if (packing == Packing::Plain || !gzip) {
    data->m_form = Form::Plain;
    return data;
  }
  data->parse_gzip_header();
  data->set_reach(kMaxTextLength);
  return data;
}

void DictdData::fail(const std::string& what, DictionaryError::Kind kind) const {
  throw DictionaryError(m_description + ": " + what, kind);
}

void DictdData::fail_chunk(size_t index, const char* what) const {
  std::string message = "chunk ";
  message += std::to_string(index);
  message += ' ';
  message += what;
  fail(message);
}

void DictdData::parse_gzip_header() {
  if (m_bytes.size() < kGzipHeaderLength) fail("truncated gzip header");
  if (byte_at(m_bytes, 2) != kDeflate) fail("unknown gzip compression method");
  const unsigned flags = byte_at(m_bytes, 3);
  if (flags & kFlagReserved) fail("unknown gzip header flags");
  m_form = Form::Gzip;
  size_t at = kGzipHeaderLength;
  if (flags & kFlagExtra) {
    if (at + 2 > m_bytes.size()) fail("truncated gzip header");
    const size_t extra_length = little16(m_bytes, at);
    at += 2;
    const size_t extra_end = at + extra_length;
    if (extra_end > m_bytes.size()) fail("truncated gzip header");
    // Subfields: two id bytes, a 16-bit length, the data.
    while (at + 4 <= extra_end) {
      const bool random_access = m_bytes[at] == 'R' && m_bytes[at + 1] == 'A';
      const size_t field_length = little16(m_bytes, at + 2);
      const size_t field = at + 4;
      if (field + field_length > extra_end) fail("damaged gzip extra field");
      if (random_access) {
        // Version, chunk length, chunk count, then each chunk's size.
        if (field_length < 6) fail("damaged dictzip field");
        const unsigned version = little16(m_bytes, field);
        const uint64_t chunk_length = little16(m_bytes, field + 2);
        const size_t count = little16(m_bytes, field + 4);
        if (version != 1 || chunk_length == 0 || field_length < 6 + 2 * count) {
          fail("damaged dictzip field");
        }
        m_chunk_length = chunk_length;
        m_chunk_sizes.reserve(count);
        for (size_t i = 0; i < count; ++i)
          m_chunk_sizes.push_back(little16(m_bytes, field + 6 + 2 * i));
      }
      at = field + field_length;
    }
    at = extra_end;
  }
  for (unsigned flag : {kFlagName, kFlagComment}) {
    if (!(flags & flag)) continue;
    const size_t end = m_bytes.find('\0', at);
    if (end == std::string::npos) fail("truncated gzip header");
    at = end + 1;
  }
  if (flags & kFlagHeaderCrc) at += 2;
  if (at > m_bytes.size()) fail("truncated gzip header");
  if (m_chunk_length == 0) return;
  m_form = Form::Dictzip;
  uint64_t offset = at;
  for (uint64_t size : m_chunk_sizes) {
    m_chunk_offsets.push_back(offset);
    offset += size;
  }
  m_chunks.resize(m_chunk_sizes.size());
  m_chunk_failures.resize(m_chunk_sizes.size());
}

void DictdData::set_reach(uint64_t reach) {
  m_reach = std::min(reach, kMaxTextLength);
  if (m_form == Form::Plain) return;
  const uint64_t plausible = std::max<uint64_t>(stored_size() * kMaxRatio, uint64_t{1} << 20);
  m_reach = std::min(m_reach, plausible);
}

uint64_t DictdData::length() {
  if (m_text) return m_text->size();
  switch (m_form) {
    case Form::Plain:
      return std::min<uint64_t>(m_bytes.size(), m_reach);
    case Form::Dictzip:
      return std::min(m_chunk_length * m_chunk_sizes.size(), m_reach);
    case Form::Gzip:
      break;
  }
  return read_all().size();
}

uint64_t DictdData::stored_size() const {
  return m_file ? m_file->size() : m_bytes.size();
}

std::string_view DictdData::stored(uint64_t offset, uint64_t length, std::string& buffer) const {
  if (!m_file) return std::string_view(m_bytes).substr(offset, length);
  if (!m_file->read_at(offset, length, buffer)) return {};
  return buffer;
}

std::string DictdData::inflate_chunk(size_t index) const {
  const uint64_t start = m_chunk_offsets[index];
  const uint64_t size = m_chunk_sizes[index];
  if (start + size > stored_size()) fail_chunk(index, "is missing: the file is truncated");
  std::string buffer;
  const std::string_view compressed = stored(start, size, buffer);
  // The file was cut short after it was opened.
  if (compressed.size() != size) fail_chunk(index, "is missing: the file is truncated");
  Inflater inflater(-MAX_WBITS);
  if (!inflater.ok()) fail("cannot start inflating", Kind::Unavailable);
  z_stream& stream = inflater.stream();
  // One byte of room beyond a whole chunk tells a chunk that is too long
  // from one that fills its room exactly.
  std::string out(m_chunk_length + 1, '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data()));
  stream.avail_in = static_cast<uInt>(size);
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = static_cast<uInt>(out.size());
  // Each call either makes progress or reports why it cannot.
  int result = Z_OK;
  while (result == Z_OK && stream.avail_in > 0 && stream.avail_out > 0) {
    result = inflate(&stream, Z_SYNC_FLUSH);
  }
  if (result != Z_OK && result != Z_STREAM_END && result != Z_BUF_ERROR) {
    fail_chunk(index, "does not inflate");
  }
  if (stream.avail_out == 0) {
    fail_chunk(index, "is longer than the chunk length");
  }
  if (stream.avail_in > 0) fail_chunk(index, "has bytes after its end");
  out.erase(out.size() - stream.avail_out);
  const bool last = index + 1 == m_chunk_sizes.size();
  if (!last && out.size() != m_chunk_length) {
    fail_chunk(index, "is short");
  }
  return out;
}

const std::string& DictdData::chunk(size_t index) {
  if (!m_chunk_failures[index].empty())
    throw DictionaryError(m_chunk_failures[index], Kind::Damaged);
  auto& slot = m_chunks[index];
  if (slot) return *slot;
  try {
    slot = inflate_chunk(index);
  } catch (const DictionaryError& error) {
    m_chunk_failures[index] = error.what();
    throw;
  }
  return *slot;
}

// Inflates a compressed file without chunks from its start, no further
// than the reach: a text that goes on beyond it is not needed, and a text
// that ends before it had its checksum and length checked by the gzip
// format.
void DictdData::inflate_prefix() {
  Inflater inflater(MAX_WBITS + 16);
  if (!inflater.ok()) fail("cannot start inflating", Kind::Unavailable);
  z_stream& stream = inflater.stream();
  stream.next_in = reinterpret_cast<Bytef*>(m_bytes.data());
  stream.avail_in = static_cast<uInt>(m_bytes.size());
  std::string text(std::min(m_reach, kFirstPiece), '\0');
  uint64_t produced = 0;
  for (;;) {
    if (produced == m_reach) break;
    if (produced == text.size()) text.resize(std::min<uint64_t>(text.size() * 2, m_reach));
    stream.next_out = reinterpret_cast<Bytef*>(text.data() + produced);
    stream.avail_out = static_cast<uInt>(text.size() - produced);
    const int result = inflate(&stream, Z_NO_FLUSH);
    produced = text.size() - stream.avail_out;
    if (result == Z_STREAM_END) break;
    // Z_BUF_ERROR with room left means the input ran out before the end.
    if (result == Z_BUF_ERROR && stream.avail_out > 0) fail("truncated");
    if (result != Z_OK && result != Z_BUF_ERROR) fail("does not inflate");
  }
  text.resize(produced);
  m_text = std::move(text);
}

// Puts the text together chunk by chunk, as far as the reach; read to its
// end, it is checked against the checksum and length after the last chunk.
void DictdData::join_chunks() {
  const uint64_t wanted = std::min(m_chunk_length * m_chunk_sizes.size(), m_reach);
  const size_t count = static_cast<size_t>((wanted + m_chunk_length - 1) / m_chunk_length);
  std::string text;
  text.reserve(wanted);
  for (size_t i = 0; i < count; ++i) text += chunk(i);
  if (count == m_chunk_sizes.size() && count > 0) {
    m_text = std::move(text);
    check_trailer();
    return;
  }
  text.resize(std::min<uint64_t>(text.size(), wanted));
  m_text = std::move(text);
}

// The gzip trailer ends the file; dictzip may put an empty final block
// between the last chunk and it.
void DictdData::check_trailer() const {
  const uint64_t chunks_end = m_chunk_offsets.back() + m_chunk_sizes.back();
  if (chunks_end + kGzipTrailerLength > stored_size()) {
    fail("truncated: the checksum is missing");
  }
  std::string buffer;
  const std::string trailer(stored(stored_size() - kGzipTrailerLength, kGzipTrailerLength, buffer));
  if (trailer.size() != kGzipTrailerLength) fail("truncated: the checksum is missing");
  const std::string& text = *m_text;
  const uint32_t crc = static_cast<uint32_t>(
      crc32(0, reinterpret_cast<const Bytef*>(text.data()), static_cast<uInt>(text.size())));
  if (crc != little32(trailer, 0) || static_cast<uint32_t>(text.size()) != little32(trailer, 4)) {
    fail("the text does not match its checksum");
  }
}

const std::string& DictdData::read_all() {
  if (m_text) return *m_text;
  if (m_failure) throw *m_failure;
  try {
    switch (m_form) {
      case Form::Plain:
        m_text = std::move(m_bytes);
        break;
      case Form::Gzip:
        inflate_prefix();
        break;
      case Form::Dictzip:
        join_chunks();
        break;
    }
  } catch (const DictionaryError& error) {
    m_text.reset();
    m_failure = error;
    throw;
  }
  m_bytes.clear();
  m_bytes.shrink_to_fit();
  m_file.reset();
  m_chunks.clear();
  return *m_text;
}

std::string DictdData::read_text(uint64_t offset, uint64_t length) const {
  const std::string& text = m_text ? *m_text : m_bytes;
  if (offset > text.size() || length > text.size() - offset) fail("offset beyond the end");
  return text.substr(offset, length);
}

std::string DictdData::read_chunks(uint64_t offset, uint64_t length) {
  const uint64_t end = offset + length;
  if (end > m_chunk_length * m_chunk_sizes.size()) fail("offset beyond the end");
  std::string out;
  out.reserve(length);
  for (uint64_t at = offset; at < end;) {
    const size_t index = at / m_chunk_length;
    const uint64_t within = at % m_chunk_length;
    const std::string& piece = chunk(index);
    if (within >= piece.size()) fail("offset beyond the end");
    const uint64_t take = std::min<uint64_t>(piece.size() - within, end - at);
    out.append(piece, within, take);
    at += take;
  }
  return out;
}

std::string DictdData::read(uint64_t offset, uint64_t length) {
  if (length > kMaxEntryLength) fail("entry of " + std::to_string(length) + " bytes");
  if (length == 0) return {};
  if (offset > m_reach || length > m_reach - offset) fail("offset beyond the end");
  if (m_form == Form::Gzip) read_all();
  if (m_text || m_form == Form::Plain) return read_text(offset, length);
  return read_chunks(offset, length);
}

}  // namespace prevod
