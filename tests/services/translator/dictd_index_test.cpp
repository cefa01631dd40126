#include "services/translator/dictd_index.h"

#include <gtest/gtest.h>

#include "services/translator/dictionary_error.h"
#include "services/translator/test_dictionary.h"

namespace prevod {

TEST(DictdIndex, ReadsHeadwordOffsetAndLength) {
  const DictdIndex index = DictdIndex::parse("cat\tC5DJ\tDD\nhello\tG+TJ\tDv\n");
  ASSERT_EQ(index.entries().size(), 2u);
  EXPECT_EQ(index.entries()[0].headword, "cat");
  EXPECT_EQ(index.entries()[0].offset, 2 * 64 * 64 * 64 + 57 * 64 * 64 + 3 * 64 + 9u);
  EXPECT_EQ(index.entries()[0].length, 3 * 64 + 3u);
  EXPECT_EQ(index.entries()[1].headword, "hello");
  EXPECT_EQ(index.skipped_lines(), 0);
}

TEST(DictdIndex, KeepsEveryEntryOfAHeadwordInOrder) {
  const DictdIndex index = DictdIndex::parse("cat\tA\tB\ncat\tB\tC\n");
  ASSERT_EQ(index.entries().size(), 2u);
  EXPECT_EQ(index.entries()[1].offset, 1u);
  EXPECT_EQ(index.entries()[1].length, 2u);
}

TEST(DictdIndex, LeavesOutTheDatabaseMetaEntries) {
  const DictdIndex index = DictdIndex::parse(
      "00databaseinfo\tc\tRW\n00-database-short\tRy\tBQ\n00databaseutf8\tA\tB\ncat\tA\tB\n");
  ASSERT_EQ(index.entries().size(), 1u);
  EXPECT_EQ(index.entries()[0].headword, "cat");
}

TEST(DictdIndex, AcceptsWindowsLineEndsAndAMissingFinalNewline) {
  const DictdIndex index = DictdIndex::parse("cat\tA\tB\r\ndog\tB\tC");
  ASSERT_EQ(index.entries().size(), 2u);
  EXPECT_EQ(index.entries()[0].length, 1u);
  EXPECT_EQ(index.entries()[1].headword, "dog");
}

TEST(DictdIndex, SkipsAndCountsDamagedLinesKeepingTheRest) {
  const DictdIndex index = DictdIndex::parse(
      "cat\tA\tB\n"
      "bad offset\t*!\tB\n"
      "no length\tA\n"
      "no tabs at all\n"
      "\tA\tB\n"
      "dog\tB\tC\n");
  ASSERT_EQ(index.entries().size(), 2u);
  EXPECT_EQ(index.entries()[0].headword, "cat");
  EXPECT_EQ(index.entries()[1].headword, "dog");
  EXPECT_EQ(index.skipped_lines(), 4);
}

TEST(DictdIndex, AnIndexWithNoUsableLineIsNotADictionary) {
  EXPECT_THROW(DictdIndex::parse(""), DictionaryError);
  EXPECT_THROW(DictdIndex::parse("garbage\n\x01\x02\x03"), DictionaryError);
  EXPECT_THROW(DictdIndex::parse("00databaseinfo\tA\tB\n"), DictionaryError);
}

TEST(DictdIndex, AMissingFileIsADictionaryError) {
  TestDictionary scratch;
  EXPECT_THROW(DictdIndex::read(scratch.path("absent.index").string()), DictionaryError);
}

}  // namespace prevod
