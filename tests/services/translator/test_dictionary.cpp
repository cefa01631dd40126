#include "services/translator/test_dictionary.h"

#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "services/translator/dictd_base64.h"

namespace prevod {

namespace {

std::atomic<int> g_serial{0};

void put16(std::string& out, unsigned value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}

void put32(std::string& out, uint32_t value) {
  put16(out, value & 0xFFFF);
  put16(out, value >> 16);
}

}  // namespace

TestDictionary::TestDictionary() {
  m_directory = std::filesystem::temp_directory_path() /
                ("prevod-dict-" + std::to_string(::getpid()) + "-" + std::to_string(g_serial++));
  std::filesystem::create_directories(m_directory);
}

TestDictionary::~TestDictionary() {
  std::error_code ignored;
  std::filesystem::remove_all(m_directory, ignored);
}

void TestDictionary::add(const std::string& headword, const std::string& text) {
  m_entries.emplace_back(headword, text + "\n");
}

std::string TestDictionary::text() const {
  std::string out = "00-database-info\nA test dictionary.\n";
  for (const auto& entry : m_entries) out += entry.second;
  return out;
}

std::string TestDictionary::index() const {
  const std::string meta = "00-database-info\nA test dictionary.\n";
  std::string out = "00databaseinfo\tA\t" + dictd_base64::encode(meta.size()) + "\n";
  uint64_t offset = meta.size();
  for (const auto& [headword, text] : m_entries) {
    out += headword + "\t" + dictd_base64::encode(offset) + "\t" +
           dictd_base64::encode(text.size()) + "\n";
    offset += text.size();
  }
  return out;
}

void TestDictionary::write_plain(const std::string& name) const {
  write_plain_into(m_directory, name);
}

void TestDictionary::write_plain_into(const std::filesystem::path& directory,
                                      const std::string& name) const {
  write_file(directory / (name + ".index"), index());
  write_file(directory / (name + ".dict"), text());
}

void TestDictionary::write_dictzip(const std::string& name, unsigned chunk_length) const {
  write_dictzip_into(m_directory, name, chunk_length);
}

void TestDictionary::write_dictzip_into(const std::filesystem::path& directory,
                                        const std::string& name, unsigned chunk_length) const {
  write_file(directory / (name + ".index"), index());
  write_file(directory / (name + ".dict.dz"), dictzip(text(), chunk_length));
}

void TestDictionary::write_file(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << bytes;
  if (!file) throw std::runtime_error("cannot write " + path.string());
}

std::string TestDictionary::read_file(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream content;
  content << file.rdbuf();
  return content.str();
}

std::string TestDictionary::dictzip(const std::string& text, unsigned chunk_length,
                                    RandomAccess random_access, Ending ending) {
  z_stream stream{};
  if (deflateInit2(&stream, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
    throw std::runtime_error("deflateInit2");
  }
  auto compress = [&](size_t at, size_t length, int flush) {
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data() + at));
    stream.avail_in = static_cast<uInt>(length);
    std::string piece;
    int result = Z_OK;
    do {
      char buffer[4096];
      stream.next_out = reinterpret_cast<Bytef*>(buffer);
      stream.avail_out = sizeof buffer;
      result = deflate(&stream, flush);
      piece.append(buffer, sizeof buffer - stream.avail_out);
    } while (stream.avail_out == 0 || (flush == Z_FINISH && result != Z_STREAM_END));
    return piece;
  };
  std::string compressed;
  std::vector<unsigned> sizes;
  size_t at = 0;
  do {
    const size_t length = std::min<size_t>(chunk_length, text.size() - at);
    const bool last = at + length >= text.size() && ending == Ending::InLastChunk;
    const std::string piece = compress(at, length, last ? Z_FINISH : Z_FULL_FLUSH);
    sizes.push_back(static_cast<unsigned>(piece.size()));
    compressed += piece;
    at += length;
  } while (at < text.size());
  if (ending == Ending::AfterChunks) compressed += compress(at, 0, Z_FINISH);
  deflateEnd(&stream);

  std::string out;
  out += '\x1f';
  out += '\x8b';
  out += '\x08';
  out += static_cast<char>(random_access == RandomAccess::Yes ? 0x04 | 0x08 : 0x08);
  put32(out, 0);
  out += '\x02';
  out += '\x03';
  if (random_access == RandomAccess::Yes) {
    put16(out, 4 + 6 + 2 * static_cast<unsigned>(sizes.size()));
    out += "RA";
    put16(out, 6 + 2 * static_cast<unsigned>(sizes.size()));
    put16(out, 1);
    put16(out, chunk_length);
    put16(out, static_cast<unsigned>(sizes.size()));
    for (unsigned size : sizes) put16(out, size);
  }
  out += "test.dict";
  out += '\0';
  out += compressed;
  put32(out, static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(text.data()),
                                         static_cast<uInt>(text.size()))));
  put32(out, static_cast<uint32_t>(text.size()));
  return out;
}

}  // namespace prevod
