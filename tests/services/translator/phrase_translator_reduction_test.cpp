// PhraseTranslator with a reducer: which words are reduced, and how the
// reduced translations sit in the text.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "services/translator/phrase_translator.h"

namespace prevod {

namespace {

class PhraseReductionTest : public ::testing::Test {
 protected:
  Translation translate(std::string_view text) {
    const PhraseTranslator translator(
        [this](const std::string& key) -> std::optional<std::string> {
          auto found = m_book.find(key);
          if (found == m_book.end()) return std::nullopt;
          return found->second;
        },
        3,
        [this](const std::string& word) -> std::optional<PhraseTranslator::Reduction> {
          m_asked.push_back(word);
          auto found = m_forms.find(word);
          if (found == m_forms.end()) return std::nullopt;
          return PhraseTranslator::Reduction{m_book.at(found->second), found->second};
        });
    return translator.translation(text);
  }

  std::map<std::string, std::string> m_book = {
      {"cat", "котка"}, {"a lot", "много"}, {"of", "на"}, {"a lot of cats", "много котки"}};
  // Word as written to its dictionary form.
  std::map<std::string, std::string> m_forms = {
      {"cats", "cat"}, {"Cats", "cat"}, {"lots", "a lot"}};
  std::vector<std::string> m_asked;
};

}  // namespace

TEST_F(PhraseReductionTest, OnlyWordsNoRunFoundAreReducedAndEachOnce) {
  const Translation t = translate("a lot of cats");
  EXPECT_EQ(t.text, "много котки") << "the whole phrase first";
  EXPECT_TRUE(m_asked.empty());

  const Translation words = translate("of a lot, cats zyzzyva");
  EXPECT_EQ(words.text, "на много, котка zyzzyva");
  EXPECT_EQ(m_asked, (std::vector<std::string>{"cats", "zyzzyva"}))
      << "known words and runs are not reduced; each unknown word is asked once";
}

TEST_F(PhraseReductionTest, AReducedWordKeepsItsPunctuationAndSentenceCapital) {
  const Translation t = translate("(Cats!) cats?");
  EXPECT_EQ(t.text, "(Котка!) котка?");
  EXPECT_EQ(t.headwords, std::vector<std::string>{"cat"}) << "each form named once";
}

TEST_F(PhraseReductionTest, TheFormsAreNamedInTheOrderOfTheWords) {
  const Translation t = translate("lots of cats");
  EXPECT_EQ(t.text, "много на котка");
  EXPECT_EQ(t.headwords, (std::vector<std::string>{"a lot", "cat"}));
}

TEST_F(PhraseReductionTest, ATextWithNothingReducedNamesNoForms) {
  const Translation t = translate("cat of zyzzyva");
  EXPECT_EQ(t.text, "котка на zyzzyva");
  EXPECT_TRUE(t.headwords.empty());
}

}  // namespace prevod
