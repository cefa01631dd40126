#include <gtest/gtest.h>

#include "app/shared_state.h"
#include "translation/module_proverka.h"

namespace prevod {

namespace {

double score(const std::string& text) {
  SharedState shared;
  CheckCyrillic(shared, text);
  return shared.CyrillicScore.number();
}

TEST(CheckCyrillicTest, TextsWithoutCountedLettersScoreZero) {
  EXPECT_EQ(score(""), 0);
  EXPECT_EQ(score("Hello!"), 0);
  EXPECT_EQ(score("ё"), 0);
  EXPECT_EQ(score("Ё"), 0);
  EXPECT_EQ(score("і ї Ђ ѣ"), 0);
  EXPECT_EQ(score("ёЁ and 123"), 0);
}

TEST(CheckCyrillicTest, TheScoreSumsFirstPositionsCapitalsAndSmallLettersApart) {
  EXPECT_EQ(score("\u0410\u0430"), 3);
  EXPECT_EQ(score("\u0430\u0430"), 1);
  EXPECT_EQ(score("я"), 1);
  EXPECT_GT(score("Здравейте!"), 0);
  // З at 1, д 2, р 3, а 4, в 5, е 6, й 7, т 8 (е again not counted).
  EXPECT_EQ(score("Здравейте!"), 1 + 2 + 3 + 4 + 5 + 6 + 7 + 8);
}

TEST(CheckCyrillicTest, PositionsCountUtf16CodeUnits) {
  // The emoji takes two code units, so а stands at position 4.
  EXPECT_EQ(score("a😀а"), 4);
  EXPECT_EQ(score("one Cyrillic б"), 14);
}

TEST(CheckCyrillicTest, AHugeTextKeepsAPositiveScore) {
  std::string text(34'000'000, 'x');
  text += "абвгдежзийклмнопрстуфхцчшщъыьэюяАБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ";
  EXPECT_GT(score(text), 0);
}

}  // namespace

}  // namespace prevod
