#include "base/utf8.h"

#include <gtest/gtest.h>

#include "base/text.h"

namespace prevod {

TEST(Utf8, StrayAndMissingBytesReadAsReplacementsOneByteAtATime) {
  EXPECT_EQ(utf8::decode("a\xff"
                         "b"),
            U"a\uFFFDb");
  EXPECT_EQ(utf8::decode("\xd0"), U"\uFFFD");
  EXPECT_EQ(utf8::decode("\xe2\x82"), U"\uFFFD\uFFFD");
  EXPECT_EQ(utf8::decode("\xd0x"), U"\uFFFDx");
}

TEST(Utf8, SurrogatesAndValuesBeyondUnicodeReadAsOneReplacement) {
  EXPECT_EQ(utf8::decode("\xed\xa0\x80"), U"\uFFFD");
  EXPECT_EQ(utf8::decode("\xf4\x90\x80\x80"), U"\uFFFD");
  EXPECT_EQ(utf8::decode("\xf4\x8f\xbf\xbf"), U"\U0010FFFF");
}

TEST(Utf8, OverlongFormsNeverBecomeTheCharactersTheyDisguise) {
  // "/", "|" and "#" in two- and three-byte disguises, between real letters.
  EXPECT_EQ(utf8::decode("x\xc0\xafy\xc1\xbcz\xe0\x80\xa3w"), U"x\uFFFDy\uFFFDz\uFFFDw");
  EXPECT_EQ(utf8::decode("\xf0\x82\x82\xac"), U"\uFFFD");  // the euro sign in four bytes
  EXPECT_EQ(text::to_utf8(text::to_utf16("x\xc0\xafy")), "x\xEF\xBF\xBDy");
  // The shortest forms of the same boundaries stay valid.
  EXPECT_EQ(utf8::decode("\xc2\x80\xe0\xa0\x80\xf0\x90\x80\x80"), U"\u0080\u0800\U00010000");
}

TEST(Utf8, EncodesWhatItDecodesAndReplacesWhatIsNoCharacter) {
  EXPECT_EQ(utf8::encode(utf8::decode("котка €𝄞")), "котка €𝄞");
  EXPECT_EQ(utf8::encode(U"a\xD800"
                         U"b"),
            "a\xEF\xBF\xBD"
            "b");
  EXPECT_EQ(utf8::encode(std::u32string(1, char32_t{0x110000})), "\xEF\xBF\xBD");
}

}  // namespace prevod
