#include "services/translator/morphology.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "services/translator/test_dictionary.h"
#include "services/translator/test_hunspell.h"

namespace prevod {

namespace {

using Readings = std::vector<std::string>;

// The best reading, "" for none.
std::string best(const Readings& readings) {
  return readings.empty() ? "" : readings.front();
}

class MorphologyTest : public ::testing::Test {
 protected:
  void SetUp() override { write_test_hunspell(m_files.directory()); }

  Readings english(std::string_view word) { return m_english.readings(word); }
  Readings bulgarian(std::string_view word) { return m_bulgarian.readings(word); }

  TestDictionary m_files;
  Morphology m_english{Language::English, m_files.directory().string()};
  Morphology m_bulgarian{Language::Bulgarian, m_files.directory().string()};
};

}  // namespace

TEST_F(MorphologyTest, ReducesBulgarianFormsToTheirDictionaryForm) {
  EXPECT_EQ(best(bulgarian("котките")), "котка") << "plural with the article";
  EXPECT_EQ(best(bulgarian("котката")), "котка") << "singular with the article";
  EXPECT_EQ(best(bulgarian("тежката")), "тежък") << "feminine adjective";
  EXPECT_EQ(best(bulgarian("тежко")), "тежък") << "neuter adjective";
  EXPECT_EQ(best(bulgarian("ходиш")), "ходя") << "second person";
  EXPECT_EQ(best(bulgarian("ходеше")), "ходя") << "past tense";
}

TEST_F(MorphologyTest, ReducesEnglishFormsToTheirDictionaryForm) {
  EXPECT_EQ(best(english("cats")), "cat");
  EXPECT_EQ(best(english("boxes")), "box");
  EXPECT_EQ(best(english("walked")), "walk");
  EXPECT_EQ(best(english("leaving")), "leave");
}

TEST_F(MorphologyTest, AFormListedAsAWordOfItsOwnIsReadByTheAffixRules) {
  EXPECT_EQ(best(bulgarian("книгите")), "книга");
  EXPECT_EQ(bulgarian("коти"), Readings{}) << "too short to guess its root";
}

TEST_F(MorphologyTest, TheReadingClosestToTheWordComesFirst) {
  const Readings leaves = english("leaves");
  ASSERT_GE(leaves.size(), 2u);
  EXPECT_EQ(leaves[0], "leave");
  EXPECT_EQ(leaves[1], "leaf");
}

TEST_F(MorphologyTest, TheWordItselfAndReadingsWithoutItsBeginningAreLeftOut) {
  EXPECT_EQ(bulgarian("котка"), Readings{}) << "a dictionary form has no other reading";
  const Readings unhappy = english("unhappy");
  EXPECT_EQ(std::count(unhappy.begin(), unhappy.end(), "happy"), 0)
      << "a negating prefix is not a form of the word";
}

TEST_F(MorphologyTest, IrregularFormsAndWordsListedOnTheirOwnStillReachTheirDictionaryForm) {
  EXPECT_EQ(best(english("went")), "go") << "an irregular form is listed as a word";
  const Readings running = english("running");
  EXPECT_NE(std::find(running.begin(), running.end(), "run"), running.end())
      << "a doubled consonant is undone";
}

TEST_F(MorphologyTest, StressMarksAndCapitalsDoNotSpoilTheReading) {
  EXPECT_EQ(best(bulgarian("ко́тките")), "котка");
  EXPECT_EQ(best(bulgarian("Котките")), "котка");
  EXPECT_EQ(best(bulgarian("КОТКИТЕ")), "котка");
  EXPECT_EQ(best(english("Cats")), "cat");
}

TEST_F(MorphologyTest, WordsOutsideTheLanguageGiveNoReadings) {
  EXPECT_EQ(bulgarian("cats"), Readings{}) << "Latin for a Cyrillic dictionary";
  EXPECT_EQ(english("котките"), Readings{}) << "Cyrillic for a Latin dictionary";
  EXPECT_EQ(bulgarian("котkите"), Readings{}) << "a Latin k among Cyrillic letters";
  EXPECT_EQ(english("cаts"), Readings{}) << "a Cyrillic а among Latin letters";
  EXPECT_EQ(bulgarian("1984"), Readings{});
  EXPECT_EQ(english("--"), Readings{});
  EXPECT_EQ(english(""), Readings{});
  EXPECT_EQ(bulgarian("\xFF\xFE\xD0"), Readings{}) << "bytes that are not UTF-8";
  EXPECT_EQ(bulgarian("котк\xD0ите"), Readings{}) << "a cut letter inside a word";
}

TEST_F(MorphologyTest, AWordLongerThanAnyInTheDictionaryIsNotReduced) {
  std::string longest;
  for (size_t i = 0; i + 3 < Morphology::kLongestWord; ++i) longest += "к";
  EXPECT_EQ(bulgarian(longest + "ите"), Readings{}) << "unknown to hunspell, but looked at";
  std::string huge;
  for (int i = 0; i < 10000; ++i) huge += "ко";
  EXPECT_EQ(bulgarian(huge + "ите"), Readings{});
  EXPECT_EQ(english(std::string(10000, 'a') + "s"), Readings{});
}

TEST(MorphologyDictionary, AMissingDictionaryGivesNoReadingsAndOneNotice) {
  TestDictionary files;
  std::vector<std::string> notices;
  Morphology english(Language::English, files.directory().string(),
                     [&](const std::string& notice) { notices.push_back(notice); });
  EXPECT_EQ(english.readings("cats"), Readings{});
  EXPECT_EQ(english.readings("went"), Readings{}) << "no guesses without the dictionary";
  EXPECT_FALSE(english.load());
  ASSERT_EQ(notices.size(), 1u) << "said once, not for every word";
  EXPECT_NE(notices[0].find("en_US"), std::string::npos) << notices[0];
}

TEST(MorphologyDictionary, ADictionaryNotInUtf8IsNotUsed) {
  TestDictionary files;
  TestDictionary::write_file(files.path("bg_BG.aff"), "SET microsoft-cp1251\nSFX K Y 1\n");
  TestDictionary::write_file(files.path("bg_BG.dic"), "1\n\xEA\xEE\xF2\xEA\xE0/K\n");
  std::vector<std::string> notices;
  Morphology bulgarian(Language::Bulgarian, files.directory().string(),
                       [&](const std::string& notice) { notices.push_back(notice); });
  EXPECT_EQ(bulgarian.readings("котките"), Readings{});
  EXPECT_EQ(notices.size(), 1u);
}

TEST(MorphologyDictionary, ADamagedDictionaryIsNotUsedAndDoesNotStopTheLookups) {
  TestDictionary files;
  TestDictionary::write_file(files.path("en_US.aff"), std::string("\0\xFF\xFESFX\n", 7));
  TestDictionary::write_file(files.path("en_US.dic"), "many\n\xFF\xFE/\n/\n\n");
  std::vector<std::string> notices;
  Morphology english(Language::English, files.directory().string(),
                     [&](const std::string& notice) { notices.push_back(notice); });
  EXPECT_EQ(english.readings("cats"), Readings{});
  EXPECT_EQ(notices.size(), 1u);
}

TEST(MorphologyDictionary, LoadsOnTheFirstWordThatNeedsIt) {
  TestDictionary files;
  Morphology english(Language::English, files.directory().string());
  // The dictionary arrives after the Morphology is made: nothing was read
  // up front.
  write_test_hunspell(files.directory());
  EXPECT_EQ(best(english.readings("cats")), "cat");
}

}  // namespace prevod
