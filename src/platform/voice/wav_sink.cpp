#include "platform/voice/wav_sink.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "base/runtime_error.h"

namespace prevod {

namespace {

constexpr uint32_t kHeaderBytes = 44;
// The RIFF sizes are 32-bit: samples beyond this many are not stored.
constexpr uint64_t kMaxSamples = (0xFFFFFFFFull - kHeaderBytes) / 2;

void put_u16(std::array<unsigned char, kHeaderBytes>& out, size_t at, uint16_t value) {
  out[at] = static_cast<unsigned char>(value & 0xFF);
  out[at + 1] = static_cast<unsigned char>(value >> 8);
}

void put_u32(std::array<unsigned char, kHeaderBytes>& out, size_t at, uint32_t value) {
  for (size_t i = 0; i < 4; ++i)
    out[at + i] = static_cast<unsigned char>((value >> (8 * i)) & 0xFF);
}

void put_tag(std::array<unsigned char, kHeaderBytes>& out, size_t at, const char* tag) {
  std::memcpy(out.data() + at, tag, 4);
}

}  // namespace

WavSink::WavSink(const std::filesystem::path& path) : m_path(path) {
  m_file = std::fopen(path.c_str(), "w+b");
  if (!m_file) {
    throw RuntimeError("speech: cannot create " + path.string() + ": " + std::strerror(errno));
  }
  write_header();
}

WavSink::~WavSink() {
  if (!m_file) return;
  try {
    write_header();
  } catch (const RuntimeError&) {
    // Nothing more can be done for the file; the destructor must not throw.
  }
  std::fclose(m_file);
}

void WavSink::open(int sample_rate) {
  if (sample_rate == m_sample_rate) return;
  if (m_samples > 0) {
    throw RuntimeError("speech: " + m_path.string() + " already holds sound at " +
                       std::to_string(m_sample_rate) + " Hz");
  }
  m_sample_rate = sample_rate;
  write_header();
}

void WavSink::write(std::span<const int16_t> samples) {
  const uint64_t room = kMaxSamples - m_samples;
  const size_t count = samples.size() < room ? samples.size() : static_cast<size_t>(room);
  if (count == 0) return;
  std::vector<unsigned char> bytes(count * 2);
  for (size_t i = 0; i < count; ++i) {
    const auto value = static_cast<uint16_t>(samples[i]);
    bytes[2 * i] = static_cast<unsigned char>(value & 0xFF);
    bytes[2 * i + 1] = static_cast<unsigned char>(value >> 8);
  }
  if (std::fseek(m_file, 0, SEEK_END) != 0) fail("seek in");
  if (std::fwrite(bytes.data(), 1, bytes.size(), m_file) != bytes.size()) fail("write");
  m_samples += count;
}

void WavSink::drain() {
  write_header();
}

void WavSink::close() {
  write_header();
}

void WavSink::write_header() {
  const auto data_bytes = static_cast<uint32_t>(m_samples * 2);
  const auto rate = static_cast<uint32_t>(m_sample_rate);
  std::array<unsigned char, kHeaderBytes> header{};
  put_tag(header, 0, "RIFF");
  put_u32(header, 4, 36 + data_bytes);
  put_tag(header, 8, "WAVE");
  put_tag(header, 12, "fmt ");
  put_u32(header, 16, 16);        // size of the format chunk
  put_u16(header, 20, 1);         // PCM
  put_u16(header, 22, 1);         // mono
  put_u32(header, 24, rate);      // samples per second
  put_u32(header, 28, rate * 2);  // bytes per second
  put_u16(header, 32, 2);         // bytes per sample frame
  put_u16(header, 34, 16);        // bits per sample
  put_tag(header, 36, "data");
  put_u32(header, 40, data_bytes);
  if (std::fseek(m_file, 0, SEEK_SET) != 0) fail("seek in");
  if (std::fwrite(header.data(), 1, header.size(), m_file) != header.size()) fail("write");
  if (std::fflush(m_file) != 0) fail("flush");
}

void WavSink::fail(const char* what) {
  throw RuntimeError(std::string("speech: cannot ") + what + " " + m_path.string() + ": " +
                     std::strerror(errno));
}

}  // namespace prevod
