#include "services/translator/lookup_text.h"

#include <gtest/gtest.h>

namespace prevod {

using lookup_text::key;

TEST(LookupKey, FoldsLatinAndCyrillicCase) {
  EXPECT_EQ(key("HeLLo"), "hello");
  EXPECT_EQ(key("КОТКА"), "котка");
  EXPECT_EQ(key("ЩЪРКЕЛ Ѝ"), "щъркел ѝ");
  EXPECT_EQ(key("ÉLAN ÇA"), "élan ça");
  EXPECT_EQ(key("ҐАНОК ЇЖА"), "ґанок їжа");
}

TEST(LookupKey, FoldsEveryCyrillicCapitalOfTheBasicAlphabet) {
  for (char32_t capital = 0x400; capital <= 0x42F; ++capital) {
    const char32_t small = lookup_text::to_lower(capital);
    EXPECT_NE(small, capital) << static_cast<int>(capital);
    EXPECT_EQ(lookup_text::to_upper(small), capital) << static_cast<int>(capital);
  }
}

TEST(LookupKey, DropsStressMarks) {
  EXPECT_EQ(key("ко́тка"), "котка");
  EXPECT_EQ(key("Арка̀нзас"), "арканзас");
  EXPECT_EQ(key("здра́сти"), key("здрасти"));
}

TEST(LookupKey, ReadsDecomposedLettersAsTheirPrecomposedForms) {
  EXPECT_EQ(key("cafe\xcc\x81"), key("café"));
  EXPECT_EQ(key("и\xcc\x86"), "й");
  EXPECT_EQ(key("Е\xcc\x88ж"), "еж");
}

TEST(LookupKey, FoldsYoIntoYe) {
  EXPECT_EQ(key("ЁЖ ещё"), "еж еще");
}

TEST(LookupKey, DropsPunctuationAsTheDictdIndexDoes) {
  EXPECT_EQ(key("  «Hello,   world!»  "), "hello world");
  EXPECT_EQ(key("Côte d'Ivoire"), "côte divoire");
  EXPECT_EQ(key("absent-minded"), "absentminded");
  EXPECT_EQ(key("как си?"), "как си");
  EXPECT_EQ(key("кто‐то"), key("кто-то"));
  EXPECT_EQ(key("...!?"), "");
  EXPECT_EQ(key(""), "");
}

TEST(LookupKey, TreatsTabsAndNoBreakSpacesAsSpaces) {
  EXPECT_EQ(key("a\tlot\xc2\xa0of"), "a lot of");
}

TEST(LookupText, ToleratesMalformedUtf8) {
  EXPECT_EQ(key("\xff\xfe"), "");
}

TEST(LookupText, ShowsDictionaryFormsWithoutCyrillicStressMarks) {
  EXPECT_EQ(lookup_text::display_form("ко́тка"), "котка");
  EXPECT_EQ(lookup_text::display_form("  же́нен   ли сте? "), "женен ли сте?");
  EXPECT_EQ(lookup_text::display_form("кто‐то"), "кто-то");
  EXPECT_EQ(lookup_text::display_form("cafe\xcc\x81"), "cafe\xcc\x81");
}

TEST(LookupText, CapitalizesTheFirstLetterOnly) {
  EXPECT_EQ(lookup_text::capitalize("котка мяу"), "Котка мяу");
  EXPECT_EQ(lookup_text::capitalize("élan"), "Élan");
  EXPECT_EQ(lookup_text::capitalize("42"), "42");
  EXPECT_EQ(lookup_text::capitalize(""), "");
  EXPECT_TRUE(lookup_text::starts_with_upper("Котка"));
  EXPECT_FALSE(lookup_text::starts_with_upper("котка"));
  EXPECT_FALSE(lookup_text::starts_with_upper("«Котка"));
}

}  // namespace prevod
