#include "services/translator/dictd_data.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "services/translator/dictionary_error.h"
#include "services/translator/test_dictionary.h"

namespace prevod {

namespace {

// About a kilobyte of varied text, so that chunks compress differently.
std::string sample_text() {
  std::string text;
  for (int i = 0; i < 60; ++i) {
    text += "entry " + std::to_string(i * 7919 % 1000) + " ко́тка\n";
  }
  return text;
}

constexpr unsigned kChunk = 64;

size_t little16(const std::string& bytes, size_t at) {
  return static_cast<unsigned char>(bytes[at]) | (static_cast<unsigned char>(bytes[at + 1]) << 8);
}

// Where a chunk's compressed bytes start in a file from the test writer:
// after the fixed header, the RA field (chunk count at byte 20, sizes from
// byte 22) and the file name.
size_t chunk_start(const std::string& packed, size_t index) {
  const size_t count = little16(packed, 20);
  size_t at = packed.find('\0', 22 + 2 * count) + 1;
  for (size_t i = 0; i < index; ++i) at += little16(packed, 22 + 2 * i);
  return at;
}

}  // namespace

TEST(DictdData, ReadsAPlainDictionaryByOffsetAndLength) {
  const std::string text = sample_text();
  auto data = DictdData::from_bytes(text, "plain");
  EXPECT_FALSE(data->has_chunks());
  EXPECT_EQ(data->read(0, 5), "entry");
  EXPECT_EQ(data->read(100, 40), text.substr(100, 40));
  EXPECT_EQ(data->read(text.size() - 3, 3), text.substr(text.size() - 3));
  EXPECT_EQ(data->read(7, 0), "");
}

TEST(DictdData, ReadsEveryRangeOfADictzipFileAcrossChunkBoundaries) {
  const std::string text = sample_text();
  ASSERT_GT(text.size(), 10 * kChunk);
  auto data = DictdData::from_bytes(TestDictionary::dictzip(text, kChunk), "dictzip");
  EXPECT_TRUE(data->has_chunks());
  for (uint64_t offset = 0; offset < text.size(); offset += 13) {
    for (uint64_t length :
         {uint64_t{1}, uint64_t{40}, uint64_t{kChunk}, uint64_t{3 * kChunk + 5}}) {
      if (offset + length > text.size()) continue;
      ASSERT_EQ(data->read(offset, length), text.substr(offset, length))
          << "offset " << offset << " length " << length;
    }
  }
}

TEST(DictdData, ReadsTheWholeDictzipTextAndKeepsServingReadsAfterwards) {
  const std::string text = sample_text();
  auto data = DictdData::from_bytes(TestDictionary::dictzip(text, kChunk), "dictzip");
  EXPECT_EQ(data->read(70, 10), text.substr(70, 10));
  EXPECT_EQ(data->read_all(), text);
  EXPECT_EQ(data->read(130, 100), text.substr(130, 100));
}

TEST(DictdData, InflatesAGzipFileWithoutRandomAccessWhole) {
  const std::string text = sample_text();
  auto data = DictdData::from_bytes(
      TestDictionary::dictzip(text, kChunk, TestDictionary::RandomAccess::No), "gzip");
  EXPECT_FALSE(data->has_chunks());
  EXPECT_EQ(data->read(200, 50), text.substr(200, 50));
  EXPECT_EQ(data->read_all(), text);
}

TEST(DictdData, ARangeBeyondTheEndIsADictionaryError) {
  const std::string text = sample_text();
  auto plain = DictdData::from_bytes(text, "plain");
  auto packed = DictdData::from_bytes(TestDictionary::dictzip(text, kChunk), "dictzip");
  for (DictdData* data : {plain.get(), packed.get()}) {
    EXPECT_THROW(data->read(text.size() - 2, 3), DictionaryError);
    EXPECT_THROW(data->read(text.size() + 1000, 1), DictionaryError);
    EXPECT_THROW(data->read(uint64_t{1} << 59, 10), DictionaryError);
    EXPECT_THROW(data->read(~uint64_t{0} - 2, 5), DictionaryError);
    EXPECT_THROW(data->read(0, DictdData::kMaxEntryLength + 1), DictionaryError);
  }
}

TEST(DictdData, ATruncatedDictzipFileServesItsWholeChunksAndRefusesTheRest) {
  const std::string text = sample_text();
  const std::string packed = TestDictionary::dictzip(text, kChunk);
  auto data = DictdData::from_bytes(packed.substr(0, packed.size() / 2), "truncated");
  EXPECT_EQ(data->read(0, 20), text.substr(0, 20));
  EXPECT_THROW(data->read(text.size() - 20, 20), DictionaryError);
  EXPECT_THROW(data->read_all(), DictionaryError);
  // The failed whole read leaves the chunks readable.
  EXPECT_EQ(data->read(10, 20), text.substr(10, 20));
}

TEST(DictdData, EveryTruncationEitherReadsTrueTextOrFails) {
  const std::string text = sample_text().substr(0, 300);
  const std::string packed = TestDictionary::dictzip(text, kChunk);
  for (size_t keep = 0; keep <= packed.size(); ++keep) {
    try {
      auto data = DictdData::from_bytes(packed.substr(0, keep), "truncated",
                                        DictdData::Packing::Compressed);
      for (uint64_t offset = 0; offset < text.size(); offset += 50) {
        try {
          ASSERT_EQ(data->read(offset, 50), text.substr(offset, 50)) << keep;
        } catch (const DictionaryError&) {
        }
      }
      try {
        ASSERT_EQ(data->read_all(), text) << keep;
      } catch (const DictionaryError&) {
      }
    } catch (const DictionaryError&) {
    }
  }
}

TEST(DictdData, ATruncatedGzipFileIsADictionaryError) {
  const std::string text = sample_text();
  const std::string packed =
      TestDictionary::dictzip(text, kChunk, TestDictionary::RandomAccess::No);
  for (size_t keep : {size_t{12}, packed.size() / 3, packed.size() - 4}) {
    EXPECT_THROW(DictdData::from_bytes(packed.substr(0, keep), "truncated")->read(0, 10),
                 DictionaryError)
        << keep;
  }
}

TEST(DictdData, AChunkThatDoesNotInflateIsADictionaryError) {
  const std::string text = sample_text();
  std::string packed = TestDictionary::dictzip(text, kChunk);
  // Chunk 3 turned into bytes that start a deflate block of the reserved
  // type.
  const size_t start = chunk_start(packed, 3);
  const size_t size = little16(packed, 22 + 2 * 3);
  for (size_t i = start; i < start + size; ++i) packed[i] = '\xff';
  auto data = DictdData::from_bytes(packed, "corrupt");
  EXPECT_EQ(data->read(0, 3 * kChunk), text.substr(0, 3 * kChunk));
  EXPECT_THROW(data->read(3 * kChunk + 10, 5), DictionaryError);
  EXPECT_THROW(data->read(3 * kChunk - 5, 10), DictionaryError);
  EXPECT_EQ(data->read(4 * kChunk, kChunk), text.substr(4 * kChunk, kChunk));
  EXPECT_THROW(data->read_all(), DictionaryError);
}

TEST(DictdData, ADamagedGzipHeaderIsRefusedAtOpening) {
  const std::string packed = TestDictionary::dictzip(sample_text(), kChunk);
  std::string wrong_method = packed;
  wrong_method[2] = '\x09';
  EXPECT_THROW(DictdData::from_bytes(wrong_method, "method"), DictionaryError);
  EXPECT_THROW(DictdData::from_bytes(packed.substr(0, 6), "short"), DictionaryError);
  std::string long_field = packed;
  long_field[10] = '\xff';  // an extra field longer than the file
  long_field[11] = '\xff';
  long_field.resize(200);
  EXPECT_THROW(DictdData::from_bytes(long_field, "extra"), DictionaryError);
  std::string many_chunks = packed;
  many_chunks[20] = '\xff';  // more chunk sizes than the field holds
  many_chunks[21] = '\x7f';
  EXPECT_THROW(DictdData::from_bytes(many_chunks, "count"), DictionaryError);
}

TEST(DictdData, ACompressedFileWithoutAGzipHeaderIsRefused) {
  for (const char* bytes : {"", "\x1f", "plain text"}) {
    EXPECT_THROW(DictdData::from_bytes(bytes, "x.dict.dz", DictdData::Packing::Compressed),
                 DictionaryError);
  }
  TestDictionary scratch;
  TestDictionary::write_file(scratch.path("empty.dict.dz"), "");
  EXPECT_THROW(DictdData::open(scratch.path("empty").string()), DictionaryError);
  EXPECT_THROW(DictdData::open_file(scratch.path("empty.dict.dz").string()), DictionaryError);
}

TEST(DictdData, OpensTheCompressedFileAndFallsBackToThePlainOne) {
  TestDictionary scratch;
  const std::string text = sample_text();
  TestDictionary::write_file(scratch.path("words.dict"), "plain " + text);
  EXPECT_EQ(DictdData::open(scratch.path("words").string())->read(0, 5), "plain");
  TestDictionary::write_file(scratch.path("words.dict.dz"), TestDictionary::dictzip(text, kChunk));
  EXPECT_EQ(DictdData::open(scratch.path("words").string())->read(0, 5), "entry");
  EXPECT_THROW(DictdData::open(scratch.path("other").string()), DictionaryError);
}

// Some 400 KB of text that compresses poorly, so that its file is far
// larger than the header read when it is opened.
std::string large_text() {
  std::string text;
  uint32_t state = 12345;
  while (text.size() < (400u << 10)) {
    state = state * 1103515245u + 12345u;
    text += std::to_string(state >> 8);
    text += (state & 0x100) ? '\n' : ' ';
  }
  return text;
}

// Opened from a file, a dictzip dictionary reads its chunks from the file
// as lookups need them.
class DictzipFile : public ::testing::Test {
 protected:
  std::unique_ptr<DictdData> open(const std::string& packed) {
    TestDictionary::write_file(path(), packed);
    return DictdData::open_file(path().string());
  }
  std::filesystem::path path() { return scratch.path("words.dict.dz"); }

  TestDictionary scratch;
  const std::string text = large_text();
  const std::string packed = TestDictionary::dictzip(text, 1024);
};

TEST_F(DictzipFile, ReadsItsEntriesAndItsWholeTextChecked) {
  auto data = open(packed);
  EXPECT_EQ(data->read(text.size() - 30, 30), text.substr(text.size() - 30));
  EXPECT_EQ(data->read_all(), text);
  EXPECT_EQ(data->read(0, 5), text.substr(0, 5));
}

TEST_F(DictzipFile, AChecksumThatDoesNotMatchFailsTheWholeRead) {
  std::string damaged = packed;
  damaged[damaged.size() - 8] ^= 0x5A;
  auto data = open(damaged);
  EXPECT_EQ(data->read(0, 5), text.substr(0, 5));
  try {
    data->read_all();
    FAIL() << "the damaged checksum went unnoticed";
  } catch (const DictionaryError& error) {
    EXPECT_NE(std::string(error.what()).find("checksum"), std::string::npos) << error.what();
  }
}

TEST_F(DictzipFile, AFileCutShortAfterOpeningRefusesTheChunksItLost) {
  auto data = open(packed);
  EXPECT_EQ(data->read(0, 20), text.substr(0, 20));
  ASSERT_GT(packed.size(), 128u << 10);  // more than opening reads
  std::filesystem::resize_file(path(), packed.size() / 2);
  try {
    data->read(text.size() - 20, 20);
    FAIL() << "a chunk the file no longer holds was read";
  } catch (const DictionaryError& error) {
    EXPECT_EQ(error.kind(), DictionaryError::Kind::Damaged);
    EXPECT_NE(std::string(error.what()).find("truncated"), std::string::npos) << error.what();
  }
  // What was read before stays readable.
  EXPECT_EQ(data->read(0, 20), text.substr(0, 20));
}

TEST_F(DictzipFile, AHeaderLongerThanTheFirstReadIsStillRead) {
  // A file name of 200 KB stands between the chunk table and the chunks.
  const size_t count = little16(packed, 20);
  const size_t name = 22 + 2 * count;
  const size_t name_end = packed.find('\0', name);
  std::string long_named =
      packed.substr(0, name) + std::string(200 << 10, 'n') + packed.substr(name_end);
  auto data = open(long_named);
  EXPECT_EQ(data->read(text.size() - 30, 30), text.substr(text.size() - 30));
  EXPECT_EQ(data->read_all(), text);
}

}  // namespace prevod
