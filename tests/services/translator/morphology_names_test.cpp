// Which words read as names, how names are read, and Bulgarian nouns with
// their article that hunspell reads as forms of another word.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "services/translator/morphology.h"
#include "services/translator/test_dictionary.h"

namespace prevod {

namespace {

using Readings = std::vector<std::string>;

// A Bulgarian hunspell dictionary where "устата" is only the feminine of
// the adjective "устат" and "живота" only "живот" with its article, "жив"
// has a neuter "живо", "Вазов" is a name, and a rule that makes "-ко" from
// "-ък" is known but given to no word.
void write_names_hunspell(const std::filesystem::path& directory) {
  TestDictionary::write_file(directory / "bg_BG.aff",
                             "SET UTF-8\n"
                             "SFX A Y 1\n"
                             "SFX A 0 а .\n"
                             "SFX N Y 1\n"
                             "SFX N 0 о .\n"
                             "SFX L Y 1\n"
                             "SFX L ък ко ък\n");
  TestDictionary::write_file(directory / "bg_BG.dic",
                             "6\nуста\nустат/A\nживот/A\nжив/N\nпетък\nВазов\n");
}

class MorphologyNamesTest : public ::testing::Test {
 protected:
  void SetUp() override { write_names_hunspell(m_files.directory()); }

  TestDictionary m_files;
  Morphology m_bulgarian{Language::Bulgarian, m_files.directory().string()};
};

}  // namespace

TEST_F(MorphologyNamesTest, ACapitalisedWordThatHunspellKnowsOnlyWithItsCapitalIsAName) {
  EXPECT_TRUE(m_bulgarian.is_name("Вазов")) << "listed with its capital";
  EXPECT_TRUE(m_bulgarian.is_name("Йоцо")) << "unknown to hunspell";
  EXPECT_TRUE(m_bulgarian.is_name("Жан-Пиер"));
  EXPECT_FALSE(m_bulgarian.is_name("Уста")) << "a word starting a sentence";
  EXPECT_FALSE(m_bulgarian.is_name("Устата"));
  EXPECT_FALSE(m_bulgarian.is_name("вазов")) << "no capital";
  EXPECT_FALSE(m_bulgarian.is_name("ВАЗОВ")) << "all capitals: an abbreviation or a heading";
  EXPECT_FALSE(m_bulgarian.is_name("В"));
  EXPECT_FALSE(m_bulgarian.is_name("Vazov")) << "another script";
  EXPECT_FALSE(m_bulgarian.is_name("Вazov")) << "mixed scripts";
  EXPECT_FALSE(m_bulgarian.is_name("Вазов2"));
  EXPECT_FALSE(m_bulgarian.is_name(""));
  EXPECT_FALSE(m_bulgarian.is_name("\xFF\xFE"));
  std::string long_name = "Ж";
  for (int i = 0; i < 10000; ++i) long_name += "о";
  EXPECT_FALSE(m_bulgarian.is_name(long_name)) << "longer than any word";
}

TEST_F(MorphologyNamesTest, WithoutHunspellEveryCapitalisedWordIsAName) {
  Morphology without(Language::Bulgarian, (m_files.directory() / "none").string());
  EXPECT_TRUE(without.is_name("Уста"));
  EXPECT_FALSE(without.is_name("уста"));
  EXPECT_FALSE(without.is_name("УСТА"));
}

TEST_F(MorphologyNamesTest, ANameIsReadOnlyByHunspellsOwnStems) {
  EXPECT_EQ(m_bulgarian.readings("петко"), Readings{"петък"}) << "a root the rules guess";
  EXPECT_EQ(m_bulgarian.readings("Петко"), Readings{}) << "a name is no form of a common word";
}

TEST_F(MorphologyNamesTest, ANounWithItsArticleComesBeforeHunspellsOtherReading) {
  const Readings mouth = m_bulgarian.readings("устата");
  ASSERT_FALSE(mouth.empty());
  EXPECT_EQ(mouth.front(), "уста");
  EXPECT_NE(std::find(mouth.begin(), mouth.end(), "устат"), mouth.end())
      << "hunspell's own reading still follows";
  EXPECT_EQ(m_bulgarian.readings("Устата").front(), "уста");
}

TEST_F(MorphologyNamesTest, AnArticleIsTakenOffOnlyAfterTheEndingsItFollows) {
  // "живо" is a word, but "-та" does not follow "-о": "живота" is "живот".
  const Readings life = m_bulgarian.readings("живота");
  ASSERT_FALSE(life.empty());
  EXPECT_EQ(life.front(), "живот");
}

}  // namespace prevod
