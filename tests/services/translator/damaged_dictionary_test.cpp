// Dictionaries whose files are damaged or hostile: a compressed text that
// inflates far beyond what its index uses, a checksum that does not match,
// an index that cannot belong to its text. Each is either used within its
// bounds or refused once, as damaged, and refused the same way afterwards.

#include <gtest/gtest.h>

#include "services/translator/dictd_base64.h"
#include "services/translator/dictd_data.h"
#include "services/translator/dictd_index.h"
#include "services/translator/dictionary.h"
#include "services/translator/dictionary_error.h"
#include "services/translator/test_dictionary.h"

namespace prevod {

namespace {

using Kind = DictionaryError::Kind;
using RandomAccess = TestDictionary::RandomAccess;
using Ending = TestDictionary::Ending;

constexpr uint64_t kMegabyte = uint64_t{1} << 20;
constexpr unsigned kChunk = 60000;

std::string line(const std::string& headword, uint64_t offset, uint64_t length) {
  return headword + "\t" + dictd_base64::encode(offset) + "\t" + dictd_base64::encode(length) +
         "\n";
}

// A short dictionary text followed by megabytes of newlines: a file of a
// few kilobytes that inflates to far more than any index of it needs.
std::string padded_text(uint64_t padding) {
  return "cat\nкотка\n" + std::string(padding, '\n');
}

// The error a call throws, or a failure when it throws none.
template <typename Call>
DictionaryError error_of(Call call) {
  try {
    call();
  } catch (const DictionaryError& error) {
    return error;
  }
  ADD_FAILURE() << "no error";
  return DictionaryError("");
}

// Sets the little-endian 32-bit number `from_end` bytes before the end.
void overwrite32(std::string& bytes, size_t from_end, uint32_t value) {
  const size_t at = bytes.size() - from_end;
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
}

uint32_t little32(const std::string& bytes, size_t from_end) {
  const size_t at = bytes.size() - from_end;
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

}  // namespace

TEST(DamagedDictdData, ACompressedTextIsInflatedNoFurtherThanTheIndexReaches) {
  const std::string text = padded_text(4 * kMegabyte);
  for (RandomAccess random_access : {RandomAccess::No, RandomAccess::Yes}) {
    const std::string packed = TestDictionary::dictzip(text, kChunk, random_access);
    ASSERT_LT(packed.size(), 64u << 10);
    auto data = DictdData::from_bytes(packed, "padded");
    data->set_reach(100);
    EXPECT_EQ(error_of([&] { data->read(90, 20); }).kind(), Kind::Damaged);
    EXPECT_EQ(data->length(), 100u);
    EXPECT_EQ(data->read(4, 6), "кот");
    EXPECT_EQ(data->read_all().size(), 100u);
    EXPECT_EQ(data->read(0, 100), text.substr(0, 100));
    EXPECT_EQ(error_of([&] { data->read(90, 20); }).kind(), Kind::Damaged);
  }
}

TEST(DamagedDictdData, ACompressedTextIsInflatedNoFurtherThanSixteenTimesItsFile) {
  const std::string packed =
      TestDictionary::dictzip(padded_text(4 * kMegabyte), kChunk, RandomAccess::No);
  // A few kilobytes of file: the bound is the megabyte allowed at the least.
  ASSERT_LT(packed.size() * DictdData::kMaxRatio, kMegabyte);
  auto data = DictdData::from_bytes(packed, "padded");
  EXPECT_EQ(data->read_all().size(), kMegabyte);

  auto reaching = DictdData::from_bytes(packed, "padded");
  reaching->set_reach(3 * kMegabyte);
  EXPECT_EQ(reaching->length(), kMegabyte);
  EXPECT_THROW(reaching->read(2 * kMegabyte, 10), DictionaryError);
}

TEST(DamagedDictdData, AWholeDictzipTextIsCheckedAgainstItsChecksumAndLength) {
  std::string text;
  for (int i = 0; i < 3000; ++i) text += "entry " + std::to_string(i) + "\n";
  for (Ending ending : {Ending::InLastChunk, Ending::AfterChunks}) {
    const std::string packed = TestDictionary::dictzip(text, 1000, RandomAccess::Yes, ending);
    EXPECT_EQ(DictdData::from_bytes(packed, "sound")->read_all(), text);

    std::string wrong_crc = packed;
    overwrite32(wrong_crc, 8, little32(packed, 8) ^ 1);
    auto data = DictdData::from_bytes(wrong_crc, "crc");
    const DictionaryError error = error_of([&] { data->read_all(); });
    EXPECT_EQ(error.kind(), Kind::Damaged);
    EXPECT_EQ(std::string(error.what()), "crc: the text does not match its checksum");
    // The failure is kept; the chunks still serve the entries in them.
    EXPECT_EQ(error_of([&] { data->read_all(); }).what(), std::string(error.what()));
    EXPECT_EQ(data->read(8000, 20), text.substr(8000, 20));

    std::string wrong_length = packed;
    overwrite32(wrong_length, 4, static_cast<uint32_t>(text.size() - 1));
    EXPECT_EQ(error_of([&] { DictdData::from_bytes(wrong_length, "size")->read_all(); }).kind(),
              Kind::Damaged);

    const std::string no_trailer = packed.substr(0, packed.size() - 8);
    EXPECT_EQ(error_of([&] { DictdData::from_bytes(no_trailer, "cut")->read_all(); }).kind(),
              Kind::Damaged);
  }
}

TEST(DamagedDictdIndex, AnIndexMostlyBeyondItsTextDoesNotFit) {
  auto index_of = [](int inside, int beyond) {
    std::string lines;
    for (int i = 0; i < inside; ++i) lines += line("in" + std::to_string(i), i * 10, 10);
    for (int i = 0; i < beyond; ++i) lines += line("out" + std::to_string(i), 5000 + i, 10);
    return DictdIndex::parse(lines);
  };
  EXPECT_NO_THROW(index_of(3, 1).check_fits(1000));
  // Half of the entries beyond the end still leaves a dictionary to use.
  EXPECT_NO_THROW(index_of(2, 2).check_fits(1000));
  const DictionaryError error = error_of([&] { index_of(2, 3).check_fits(1000); });
  EXPECT_EQ(error.kind(), Kind::Damaged);
  EXPECT_EQ(std::string(error.what()),
            "3 of the 5 entries of the index lie beyond the end of its text (1000 bytes)");
  // An entry that ends exactly at the end of the text lies within it.
  EXPECT_NO_THROW(DictdIndex::parse(line("last", 990, 10)).check_fits(1000));
  EXPECT_THROW(DictdIndex::parse(line("last", 991, 10)).check_fits(1000), DictionaryError);
}

TEST(DamagedDictdIndex, EntriesCoveringFarMoreThanTheirTextDoNotFit) {
  const uint64_t text_length = 10000;
  // Many headwords sharing one stretch of text are one stretch.
  std::string shared;
  for (int i = 0; i < 500; ++i) shared += line("word" + std::to_string(i), 0, text_length);
  const DictdIndex sharing = DictdIndex::parse(shared);
  EXPECT_EQ(sharing.covered(), text_length);
  EXPECT_EQ(sharing.extent(), text_length);
  EXPECT_NO_THROW(sharing.check_fits(text_length));
  // Overlapping stretches, each nearly the whole text, are not a dictionary.
  std::string overlapping;
  for (int i = 0; i < 500; ++i) overlapping += line("word" + std::to_string(i), i, 9000);
  const DictionaryError error =
      error_of([&] { DictdIndex::parse(overlapping).check_fits(text_length); });
  EXPECT_EQ(error.kind(), Kind::Damaged);
  EXPECT_EQ(std::string(error.what()),
            "the entries of the index cover 4500000 bytes of a text of 10000");
}

TEST(DamagedDictionary, IsRefusedAtItsFirstLookupAndTheSameWayEveryTimeAfter) {
  TestDictionary files;
  std::string index;
  for (int i = 0; i < 10; ++i) index += line("cat" + std::to_string(i), 100000 + i * 20, 20);
  TestDictionary::write_file(files.path("freedict-eng-bul.index"), index);
  TestDictionary::write_file(files.path("freedict-eng-bul.dict"), "cat\nкотка\n");
  Dictionary dictionary(files.directory().string(), "freedict-eng-bul");
  const DictionaryError first = error_of([&] { dictionary.translate("cat0"); });
  EXPECT_EQ(first.kind(), Kind::Damaged);
  EXPECT_EQ(first.dictionary(), "freedict-eng-bul");
  EXPECT_EQ(std::string(first.what()),
            "10 of the 10 entries of the index lie beyond the end of its text (15 bytes)");

  // Mended files are not read again: the dictionary stays refused.
  TestDictionary::write_file(files.path("freedict-eng-bul.index"), line("cat0", 0, 10));
  for (int round = 0; round < 2; ++round) {
    const DictionaryError again = error_of([&] { dictionary.translate("cat0"); });
    EXPECT_EQ(again.kind(), Kind::Damaged);
    EXPECT_EQ(std::string(again.what()), first.what());
    const DictionaryError back = error_of([&] { dictionary.translate_back("котка"); });
    EXPECT_EQ(back.kind(), Kind::Damaged);
    EXPECT_EQ(back.dictionary(), "freedict-eng-bul");
  }
}

TEST(DamagedDictionary, AnIndexOfOverlappingEntriesIsRefusedBeforeAnyIsRead) {
  TestDictionary files;
  const std::string text(20000, 'x');
  std::string index = line("cat", 0, 10);
  for (int i = 0; i < 200; ++i) index += line("word" + std::to_string(i), i * 10, 15000);
  TestDictionary::write_file(files.path("freedict-eng-bul.index"), index);
  TestDictionary::write_file(files.path("freedict-eng-bul.dict"), text);
  Dictionary dictionary(files.directory().string(), "freedict-eng-bul");
  EXPECT_EQ(error_of([&] { dictionary.translate("word7"); }).kind(), Kind::Damaged);
  EXPECT_EQ(error_of([&] { dictionary.translate_back("x"); }).kind(), Kind::Damaged);
}

TEST(DamagedDictionary, ATextInflatingFarBeyondItsIndexStillTranslates) {
  TestDictionary files;
  TestDictionary::write_file(files.path("freedict-eng-bul.index"), line("cat", 0, 15));
  TestDictionary::write_file(
      files.path("freedict-eng-bul.dict.dz"),
      TestDictionary::dictzip(padded_text(8 * kMegabyte), kChunk, RandomAccess::No));
  Dictionary dictionary(files.directory().string(), "freedict-eng-bul");
  EXPECT_EQ(dictionary.translate("cat"), "котка");
  EXPECT_EQ(dictionary.translate_back("котка"), "cat");
}

}  // namespace prevod
