#include "base/text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace prevod {

TEST(TextTest, LengthsAndCutsCountUtf16CodeUnits) {
  EXPECT_EQ(text::length("Hello!"), 6);
  EXPECT_EQ(text::length("котка"), 5);
  EXPECT_EQ(text::length("a😀b"), 4);
  EXPECT_EQ(text::left("котка", 3), "кот");
  EXPECT_EQ(text::left("ab", 10), "ab");
  EXPECT_EQ(text::left("ab", 0), "");
}

TEST(TextTest, ACutThroughASurrogatePairLeavesTheWholeCharacterOut) {
  EXPECT_EQ(text::left("a😀b", 2), "a");
  EXPECT_EQ(text::left("a😀b", 3), "a😀");
}

TEST(TextTest, MalformedUtf8DecodesAsReplacementCharacters) {
  std::string broken = "a\xC3";
  EXPECT_EQ(text::length(broken), 2);
  EXPECT_EQ(text::to_utf8(text::to_utf16(broken)), "a\xEF\xBF\xBD");
}

TEST(TextTest, SplitGivesThePartsBetweenSeparators) {
  using Parts = std::vector<std::string>;
  EXPECT_EQ(text::split("Form2.Text1.Text", '.'), (Parts{"Form2", "Text1", "Text"}));
  EXPECT_EQ(text::split("a..b", '.'), (Parts{"a", "", "b"})) << "an empty part between two";
  EXPECT_EQ(text::split(".a.", '.'), (Parts{"", "a"})) << "none after the last";
  EXPECT_EQ(text::split("", '.'), Parts{});
}

TEST(TextTest, ReplaceAllReplacesEveryOccurrence) {
  EXPECT_EQ(text::replace_all("a\r\nb\r\nc", "\r\n", " "), "a b c");
  EXPECT_EQ(text::replace_all("a\nb", "\n", ""), "ab");
  EXPECT_EQ(text::replace_all("abc", "", "x"), "abc");
}

TEST(TextTest, Cp1251CarriesTheCyrillicLetters) {
  EXPECT_EQ(text::to_cp1251("Аая"), "\xC0\xE0\xFF");
  EXPECT_EQ(text::to_cp1251("Ёё!"), "\xA8\xB8!");
  EXPECT_EQ(text::to_cp1251("€"), "?");
}

TEST(TextTest, Cp1251ReadsBackEveryByteOfTheCodePage) {
  const std::string tooltip = "Кликни с мишката, за да се отвори кестринката!";
  EXPECT_EQ(text::from_cp1251(text::to_cp1251(tooltip)), tooltip);
  EXPECT_EQ(text::from_cp1251("\xA8\xB8\xC0\xDF\xE0\xFF"), "ЁёАЯая");
  EXPECT_EQ(text::from_cp1251("\x80\x84\x88\xB9\xA0"), "Ђ„€№\u00A0");
  EXPECT_EQ(text::from_cp1251("\x98"), "\uFFFD") << "the one byte that is no character";
  EXPECT_EQ(text::from_cp1251(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(TextTest, NumbersParseWithBlanksAndRefuseAnythingElse) {
  double value = 0;
  EXPECT_TRUE(text::parse_number(" 70 ", value));
  EXPECT_EQ(value, 70);
  EXPECT_TRUE(text::parse_number("-2.5", value));
  EXPECT_EQ(value, -2.5);
  EXPECT_FALSE(text::parse_number("", value));
  EXPECT_FALSE(text::parse_number("7O", value));
  EXPECT_FALSE(text::parse_number("inf", value));
}

}  // namespace prevod
