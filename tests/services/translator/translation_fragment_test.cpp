#include "services/translator/translation_fragment.h"

#include <gtest/gtest.h>

namespace prevod {

TEST(TranslationFragment, ReadsSourceTargetAndText) {
  const auto request = TranslationFragment::parse("en|bg|Hello");
  ASSERT_TRUE(request);
  EXPECT_EQ(request->source, Language::English);
  EXPECT_EQ(request->target, Language::Bulgarian);
  EXPECT_EQ(request->text, "Hello");
  const auto back = TranslationFragment::parse("ru|en|собака");
  ASSERT_TRUE(back);
  EXPECT_EQ(back->source, Language::Russian);
  EXPECT_EQ(back->target, Language::English);
}

TEST(TranslationFragment, TakesTheTextWholeWithBarsHashesAndSpaces) {
  EXPECT_EQ(TranslationFragment::parse("en|bg|a|b#c|")->text, "a|b#c|");
  EXPECT_EQ(TranslationFragment::parse("en|bg| Hello!  ")->text, " Hello!  ");
  EXPECT_EQ(TranslationFragment::parse("en|bg|100%20")->text, "100%20");
  EXPECT_EQ(TranslationFragment::parse("bg|en|")->text, "");
}

TEST(TranslationFragment, AcceptsCodesInCapitals) {
  const auto request = TranslationFragment::parse("EN|Ru|x");
  ASSERT_TRUE(request);
  EXPECT_EQ(request->target, Language::Russian);
}

TEST(TranslationFragment, RefusesEmptyAndMalformedFragments) {
  for (const char* fragment : {"", "en", "en|bg", "xx|bg|hi", "en||hi", "|bg|hi", "en|de|hi",
                               " en|bg|hi", "en |bg|hi", "#en|bg|hi"}) {
    EXPECT_FALSE(TranslationFragment::parse(fragment)) << fragment;
  }
}

}  // namespace prevod
