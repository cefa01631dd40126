// English closed compounds split into two words of a small book.

#include "services/translator/english_compound.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace prevod {

namespace {

english_compound::Known knowing(std::set<std::string> words) {
  return [words = std::move(words)](const std::string& part) { return words.contains(part); };
}

// The split as "first + second headword", empty when there is none.
std::string split(const std::string& word, std::set<std::string> words) {
  const auto found = english_compound::split(word, knowing(std::move(words)));
  if (!found) return {};
  return found->first + " + " + found->second_headword;
}

PhraseTranslator::Lookup book(std::set<std::string> words) {
  return [words = std::move(words)](const std::string& key) -> std::optional<std::string> {
    if (!words.contains(key)) return std::nullopt;
    return key + "-bg";
  };
}

const english_compound::Known kNoGrammarWords = [](const std::string&) { return false; };

}  // namespace

TEST(EnglishCompound, AWordSplitsIntoTwoKnownWords) {
  EXPECT_EQ(split("airmail", {"air", "mail"}), "air + mail");
  EXPECT_EQ(split("headset", {"head", "set"}), "head + set");
  EXPECT_EQ(split("earthworm", {"ear", "earth", "worm", "thworm"}), "earth + worm")
      << "the longest first part";
  EXPECT_EQ(split("tortoiseshell", {"tortoise", "tortoises", "shell", "hell"}), "tortoise + shell")
      << "a plural first part only when nothing else fits";
  EXPECT_EQ(split("glasshouse", {"glass", "house"}), "glass + house") << "-ss is no plural";
  EXPECT_EQ(split("sportsman", {"sports", "man"}), "sports + man") << "a plural when alone";
  EXPECT_EQ(split("washerwomen", {"washer", "woman"}), "washer + woman")
      << "an irregular plural second part";
}

TEST(EnglishCompound, AWordOfUnknownPartsDoesNotSplit) {
  EXPECT_EQ(split("airmail", {"air"}), "");
  EXPECT_EQ(split("airmail", {"mail"}), "");
  EXPECT_EQ(split("abcdefgh", {"abc", "abcd", "defg", "fghx"}), "") << "no split fits both";
  EXPECT_EQ(split("cowlick", {"co", "wlick", "cowlic", "k"}), "") << "parts of one or two letters";
}

TEST(EnglishCompound, AffixesAreNoParts) {
  EXPECT_EQ(split("nonstop", {"non", "stop"}), "") << "a negating prefix";
  EXPECT_EQ(split("disarm", {"dis", "arm"}), "") << "a negating prefix";
  EXPECT_EQ(split("overcook", {"over", "cook"}), "");
  EXPECT_EQ(split("sealion", {"sea", "seal", "lion", "ion"}), "sea + lion") << "-ion";
  EXPECT_EQ(split("ruthless", {"ruth", "less"}), "") << "-less";
  EXPECT_EQ(split("candidate", {"candid", "ate", "eat"}), "") << "-ate, also as a past";
}

TEST(EnglishCompound, OtherTextsDoNotSplit) {
  const std::set<std::string> words{"air", "mail"};
  EXPECT_EQ(split("Airmail", words), "") << "lower case only";
  EXPECT_EQ(split("air-mail", words), "");
  EXPECT_EQ(split("airmail's", words), "");
  EXPECT_EQ(split("", words), "");
  std::string long_word;
  for (int i = 0; i < 5000; ++i) long_word += "airmail";
  EXPECT_EQ(split(long_word, {"air", "mail", long_word.substr(3)}), "");
}

TEST(EnglishCompound, TheTranslationJoinsThePartsAndTheMarkerNamesThem) {
  const auto found =
      english_compound::translate({"airmails", "airmail"}, book({"air", "mail"}), kNoGrammarWords);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->translation, "air-bg mail-bg");
  EXPECT_EQ(found->headword, "air + mail");
  const auto women =
      english_compound::translate({"chairwomen"}, book({"chair", "woman"}), kNoGrammarWords);
  ASSERT_TRUE(women);
  EXPECT_EQ(women->translation, "chair-bg woman-bg") << "the plural through its singular";
}

TEST(EnglishCompound, GrammarWordsAndVerbFormsAreNotSplit) {
  const english_compound::Known grammar = [](const std::string& word) { return word == "she"; };
  EXPECT_FALSE(english_compound::translate({"shebang"}, book({"she", "bang"}), grammar));
  EXPECT_FALSE(
      english_compound::translate({"henpecked", "henpeck"}, book({"hen", "peck"}), kNoGrammarWords))
      << "the verb's own form is split no more than the verb";
  EXPECT_FALSE(english_compound::translate({"bricklaying's", "bricklaying", "bricklay"},
                                           book({"brick", "lay"}), kNoGrammarWords));
  EXPECT_TRUE(english_compound::translate({"henpeck"}, book({"hen", "peck"}), kNoGrammarWords));
  EXPECT_FALSE(english_compound::translate({}, book({"hen", "peck"}), kNoGrammarWords));
}

}  // namespace prevod
