#include "services/translator/phrase_translator.h"

#include <gtest/gtest.h>

#include <map>

namespace prevod {

namespace {

// A small book keyed as the dictionaries are.
class PhraseTranslatorTest : public ::testing::Test {
 protected:
  std::string translate(std::string_view text, int max_words = 3) {
    const PhraseTranslator translator(
        [this](const std::string& key) -> std::optional<std::string> {
          ++m_lookups;
          auto found = m_book.find(key);
          if (found == m_book.end()) return std::nullopt;
          return found->second;
        },
        max_words);
    return translator.translate(text);
  }

  std::map<std::string, std::string> m_book = {{"hello", "здрасти"},
                                               {"cat", "котка"},
                                               {"big", "голям"},
                                               {"how", "как"},
                                               {"are", "са"},
                                               {"you", "ти"},
                                               {"how are you", "как си?"},
                                               {"a lot", "много"},
                                               {"of", "на"},
                                               {"dont", "недей"},
                                               {"i", "аз"}};
  int m_lookups = 0;
};

}  // namespace

TEST_F(PhraseTranslatorTest, TriesTheWholePhraseFirst) {
  EXPECT_EQ(translate("how are you"), "как си?");
  EXPECT_EQ(translate("How are you?"), "Как си?");
  EXPECT_EQ(translate("how are you?!"), "как си?!");
  EXPECT_EQ(translate("how are you."), "как си?.");
}

TEST_F(PhraseTranslatorTest, GoesWordByWordKeepingPunctuationAroundEachWord) {
  EXPECT_EQ(translate("Hello, cat!"), "Здрасти, котка!");
  EXPECT_EQ(translate("(big) \"cat\""), "(голям) \"котка\"");
}

TEST_F(PhraseTranslatorTest, TakesTheLongestKnownRunOfWords) {
  EXPECT_EQ(translate("a lot of cat"), "много на котка");
}

TEST_F(PhraseTranslatorTest, DoesNotJoinWordsAcrossPunctuation) {
  EXPECT_EQ(translate("a, lot"), "a, lot");
  EXPECT_EQ(translate("how are, you"), "как са, ти");
}

TEST_F(PhraseTranslatorTest, LeavesAnUnknownWordAsItWasWritten) {
  EXPECT_EQ(translate("Zyzzyva"), "Zyzzyva");
  EXPECT_EQ(translate("big zyzzyva, cat"), "голям zyzzyva, котка");
}

TEST_F(PhraseTranslatorTest, TidiesTheSpacing) {
  EXPECT_EQ(translate("  hello \t   cat  "), "здрасти котка");
  EXPECT_EQ(translate(" Hello!  "), "Здрасти!");
  EXPECT_EQ(translate("hello - cat"), "здрасти - котка");
  EXPECT_EQ(translate("« hello »"), "« здрасти »");
  EXPECT_EQ(translate(""), "");
  EXPECT_EQ(translate("   "), "");
  EXPECT_EQ(translate("?!"), "?!");
}

TEST_F(PhraseTranslatorTest, CapitalizesOnlyWhereASentenceStarts) {
  EXPECT_EQ(translate("Cat. Cat"), "Котка. Котка");
  EXPECT_EQ(translate("big Cat"), "голям котка");
  EXPECT_EQ(translate("I"), "Аз");
  EXPECT_EQ(translate("Big, I"), "Голям, аз");
}

TEST_F(PhraseTranslatorTest, FindsWordsWrittenWithApostrophes) {
  EXPECT_EQ(translate("Don't!"), "Недей!");
  EXPECT_EQ(translate("big don’t"), "голям недей");
}

TEST_F(PhraseTranslatorTest, PartsWordsJoinedByOtherPunctuation) {
  EXPECT_EQ(translate("cat|dog#cat"), "котка|dog#котка");
  EXPECT_EQ(translate("big,cat"), "голям,котка");
  EXPECT_EQ(translate("<b>cat</b>"), "<b>котка</b>");
  EXPECT_EQ(translate("cat-like"), "cat-like");
}

TEST_F(PhraseTranslatorTest, BoundsTheLookupsPerWord) {
  std::string text;
  for (int i = 0; i < 500; ++i) text += "zyzzyva ";
  EXPECT_EQ(translate(text, 100).size(), text.size() - 1);
  // The whole text once, then at most twelve runs at each word.
  EXPECT_LE(m_lookups, 1 + 500 * 12);
}

}  // namespace prevod
