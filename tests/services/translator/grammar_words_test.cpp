// The grammar word lists: their text format and the lists built into the
// program.

#include "services/translator/grammar_words.h"

#include <gtest/gtest.h>

namespace prevod {

TEST(GrammarWords, ReadsOneWordAndItsGlossALineSkippingNotesAndBrokenLines) {
  const GrammarWords words = GrammarWords::parse(
      "# notes\tare not words\n"
      "\n"
      "ги\tthem\n"
      "no tab here\n"
      "\tno word\n"
      "празно\t   \n"
      "  се  \t  oneself \r\n"
      "себе си\toneself\n");
  EXPECT_EQ(words.size(), 3u);
  EXPECT_EQ(words.find("ги"), "them");
  EXPECT_EQ(words.find("се"), "oneself") << "spaces and a CR around either side are trimmed";
  EXPECT_EQ(words.find("себе си"), "oneself");
  EXPECT_EQ(words.find("# notes"), std::nullopt);
  EXPECT_EQ(words.find("notes"), std::nullopt);
  EXPECT_EQ(words.find("празно"), std::nullopt);
}

TEST(GrammarWords, MatchesByLookupKeyAndKeepsTheFirstOfTwoLines) {
  const GrammarWords words = GrammarWords::parse("Ѝ\ther\nѝ\tand\nко́й\twho\n");
  EXPECT_EQ(words.find("ѝ"), "her");
  EXPECT_EQ(words.find("кой"), "who") << "stress marks are not part of the key";
  EXPECT_EQ(words.find("ко́й"), std::nullopt) << "the caller looks up keys, not text";
}

TEST(GrammarWords, CountsTheWordsOfItsLongestEntry) {
  EXPECT_EQ(GrammarWords::parse("").max_words(), 0);
  EXPECT_EQ(GrammarWords::parse("а\tand\n").max_words(), 1);
  EXPECT_EQ(GrammarWords::parse("а\tand\nразбира се\tof course\nи\tand\n").max_words(), 2);
}

TEST(GrammarWords, BuiltInListsGlossBulgarianInEnglishAndEnglishInBulgarian) {
  const GrammarWords& bulgarian = GrammarWords::built_in(Language::Bulgarian, Language::English);
  EXPECT_EQ(bulgarian.find("ги"), "them");
  EXPECT_EQ(bulgarian.find("е"), "is");
  EXPECT_EQ(bulgarian.find("беше"), "was");
  EXPECT_EQ(bulgarian.find("моите"), "my");
  EXPECT_EQ(bulgarian.find("разбира се"), "of course");
  const GrammarWords& english = GrammarWords::built_in(Language::English, Language::Bulgarian);
  EXPECT_EQ(english.find("him"), "него");
  EXPECT_EQ(english.find("is"), "е");
  EXPECT_EQ(english.find("i"), std::nullopt) << "the dictionary's own pronoun stands";
  EXPECT_EQ(english.find("im"), "аз съм") << "\"I'm\" is no name";
  // Keys have no apostrophes: contractions that would be words are left
  // to the dictionary.
  for (const char* word : {"well", "ill", "lets", "wed", "id"}) {
    EXPECT_EQ(english.find(word), std::nullopt) << word;
  }
  EXPECT_EQ(english.find("were"), "бяха") << "not \"we're\"";
  EXPECT_EQ(english.find("its"), "негов") << "not \"it's\"";
  EXPECT_EQ(GrammarWords::built_in(Language::Russian, Language::English).size(), 0u);
  EXPECT_EQ(GrammarWords::built_in(Language::English, Language::Russian).size(), 0u);
}

}  // namespace prevod
