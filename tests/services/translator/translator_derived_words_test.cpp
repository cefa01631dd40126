// English derived words translated through their bases, on small dictd
// and hunspell dictionaries made by the tests.

#include <gtest/gtest.h>

#include <string>

#include "base/headword_marker.h"
#include "services/translator/test_dictionary.h"
#include "services/translator/test_hunspell.h"
#include "services/translator/translator.h"

namespace prevod {

namespace {

class TranslatorDerivedWordsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TestDictionary bulgarian;
    bulgarian.add("arid", "arid <adj>\nсух");
    bulgarian.add("care", "care <n>\nгрижа");
    bulgarian.add("air", "air <n>\nвъздух");
    bulgarian.add("mail", "mail <n>\nпо́ща");
    bulgarian.add("cat", "cat <n>\nкотка");
    bulgarian.add("happy", "happy <adj>\nщастлив");
    bulgarian.add("connect", "connect <v>\nсвързвам");
    bulgarian.add("box", "box <n>\nкутия");
    bulgarian.add("strong", "strong <adj>\nсилен");
    bulgarian.write_plain_into(m_files.directory(), "freedict-eng-bul");
    TestDictionary russian;
    russian.add("care", "care <n>\nзабота");
    russian.write_plain_into(m_files.directory(), "freedict-eng-rus");
    write_test_hunspell(m_files.directory());
    m_translator.set_morphology_directory(m_files.directory().string());
  }

  std::string en_bg(std::string_view text) {
    return m_translator.translate(Language::English, Language::Bulgarian, text);
  }

  TestDictionary m_files;
  Translator m_translator{m_files.directory().string(), Translator::GrammarWordLists::None};
};

}  // namespace

TEST_F(TranslatorDerivedWordsTest, ADerivedWordIsTranslatedThroughItsBaseAndNamesIt) {
  EXPECT_EQ(en_bg("aridity"), "сух ⟨arid⟩");
  EXPECT_EQ(en_bg("aridity's"), "сух ⟨arid⟩") << "through the possessive's reading";
  EXPECT_EQ(en_bg("reconnect"), "свързвам ⟨connect⟩") << "a prefix";
  EXPECT_EQ(en_bg("careless"), "без грижа ⟨care⟩") << "-less means without";
  EXPECT_EQ(m_translator.translate(Language::English, Language::Russian, "careless"),
            "без забота ⟨care⟩");
  EXPECT_EQ(en_bg("cat, aridity."), "котка, сух. ⟨arid⟩") << "in a sentence";
}

TEST_F(TranslatorDerivedWordsTest, AClosedCompoundIsNotSplitIntoItsParts) {
  EXPECT_EQ(en_bg("airmail"), "airmail");
  EXPECT_EQ(en_bg("catbox"), "catbox");
}

TEST_F(TranslatorDerivedWordsTest, InflectionComesBeforeDerivationAndNegationIsNotDropped) {
  EXPECT_EQ(en_bg("cats"), "котка ⟨cat⟩");
  EXPECT_EQ(en_bg("unhappy"), "unhappy") << "never the opposite";
  EXPECT_EQ(en_bg("unhappiness"), "unhappiness");
  EXPECT_EQ(en_bg("nonarid"), "nonarid");
}

TEST_F(TranslatorDerivedWordsTest, TheMarkerIsNotPartOfWhatIsSpokenOrCopied) {
  const std::string derived = en_bg("careless");
  EXPECT_EQ(headword_marker::translation_part(derived), "без грижа");
  EXPECT_EQ(std::string(headword_marker::split(derived).headwords), "care");
}

TEST_F(TranslatorDerivedWordsTest, LongOrStrangeTokensComeBackUnchanged) {
  std::string long_word;
  for (int i = 0; i < 2500; ++i) long_word += "airs";
  EXPECT_EQ(en_bg(long_word), long_word);
  EXPECT_EQ(en_bg(long_word + "ness"), long_word + "ness");
  EXPECT_EQ(en_bg("air'mail"), "air'mail");
  EXPECT_EQ(en_bg("аридность"), "аридность");
}

}  // namespace prevod
