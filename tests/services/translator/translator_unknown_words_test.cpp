// What the translator makes of words its dictionary lacks: grammar words
// from the built-in lists, names spelled in the other alphabet, English
// words through a WordNet synonym; and bad input left as it was. On small
// dictd, hunspell and WordNet dictionaries made by the tests.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "services/translator/synonym_index.h"
#include "services/translator/test_dictionary.h"
#include "services/translator/test_hunspell.h"
#include "services/translator/translator.h"

namespace prevod {

namespace {

class TranslatorUnknownWordsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TestDictionary bulgarian;
    bulgarian.add("cat", "cat <n>\nко́тка");
    // The reversed dictionary would read "е" as "so what".
    bulgarian.add("so what", "so what <interj>\nе");
    bulgarian.add("cougar", "cougar <n>\nпу́ма");
    bulgarian.add("walk", "walk <v>\nвървя́");
    bulgarian.add("stress", "stress <v>\nстреси́рам");
    bulgarian.add("harrowing", "harrowing <adj>\nмъчи́телен");
    bulgarian.write_plain_into(m_files.directory(), "freedict-eng-bul");
    TestDictionary russian;
    russian.add("cat", "cat\nкошка");
    russian.write_plain_into(m_files.directory(), "freedict-eng-rus");
    TestDictionary wordnet;
    wordnet.add("puma", "puma\n    n 1: a large cat [syn: {puma}, {cougar}]");
    wordnet.add("cougar", "cougar\n    n 1: a large cat [syn: {cougar}, {puma}]");
    wordnet.add("stressful",
                "stressful\n    adj 1: extremely irritating [syn: {stressful}, {harrowing}]");
    wordnet.add("harrowing",
                "harrowing\n    adj 1: extremely distressing [syn: {harrowing}, {stressful}]");
    wordnet.write_plain_into(m_files.directory(), "wn");
    write_test_hunspell(m_files.directory());
    m_translator.set_morphology_directory(m_files.directory().string());
    m_translator.set_notice([this](const std::string& notice) { m_notices.push_back(notice); });
  }

  std::string en_bg(std::string_view text) {
    return m_translator.translate(Language::English, Language::Bulgarian, text);
  }
  std::string bg_en(std::string_view text) {
    return m_translator.translate(Language::Bulgarian, Language::English, text);
  }

  TestDictionary m_files;
  Translator m_translator{m_files.directory().string()};
  std::vector<std::string> m_notices;
};

}  // namespace

TEST_F(TranslatorUnknownWordsTest, AnswersGrammarWordsFromTheListBeforeTheDictionary) {
  EXPECT_EQ(bg_en("е"), "is");
  EXPECT_EQ(bg_en("ги"), "them");
  EXPECT_EQ(bg_en("котка ли е"), "cat whether is");
  EXPECT_EQ(bg_en("котка себе си"), "cat oneself") << "a set phrase of the list";
  EXPECT_EQ(en_bg("him"), "него");
  Translator plain(m_files.directory().string(), Translator::GrammarWordLists::None);
  plain.set_morphology_directory(m_files.directory().string());
  EXPECT_EQ(plain.translate(Language::Bulgarian, Language::English, "е"), "so what");
  EXPECT_EQ(plain.translate(Language::Bulgarian, Language::English, "ги"), "ги");
}

TEST_F(TranslatorUnknownWordsTest, SpellsANameNoDictionaryHoldsInTheOtherAlphabet) {
  EXPECT_EQ(bg_en("Вазов"), "Vazov ⟨Вазов (име)⟩");
  EXPECT_EQ(bg_en("Ботев и котка"), "Botev and cat ⟨Ботев (име)⟩");
  EXPECT_EQ(en_bg("Aaron's"), "Аарон ⟨Aaron's (име)⟩");
  EXPECT_EQ(m_translator.translate(Language::English, Language::Russian, "Johnson"),
            "Джонсон ⟨Johnson (име)⟩");
  const Translation apart =
      m_translator.translation(Language::Bulgarian, Language::English, "Йоцо");
  EXPECT_EQ(apart.text, "Yotso") << "what is spoken is the name alone";
  EXPECT_EQ(apart.headwords, std::vector<std::string>{"Йоцо (име)"});
}

TEST_F(TranslatorUnknownWordsTest, LeavesUnknownWordsThatAreNoNamesAsTheyAre) {
  EXPECT_EQ(bg_en("вазов"), "вазов") << "no capital";
  EXPECT_EQ(bg_en("НАТО"), "НАТО") << "all capitals";
  EXPECT_EQ(bg_en("Маса"), "Маса") << "a common word starting a sentence";
  EXPECT_EQ(en_bg("Walks"), "Вървя ⟨walk⟩") << "a common word is reduced, not spelled";
}

TEST_F(TranslatorUnknownWordsTest, GoesBetweenBulgarianAndRussianWithANameSpelledTwice) {
  EXPECT_EQ(m_translator.translate(Language::Bulgarian, Language::Russian, "Вазов"),
            "Вазов ⟨Вазов (име)⟩");
}

TEST_F(TranslatorUnknownWordsTest, TranslatesARareEnglishWordThroughASynonym) {
  EXPECT_EQ(en_bg("puma"), "пума ⟨≈ cougar⟩");
  EXPECT_EQ(en_bg("pumas"), "пума ⟨≈ cougar⟩") << "through its dictionary form";
  EXPECT_EQ(en_bg("Puma"), "Пума ⟨Puma (име)⟩") << "a capitalised word is taken for a name";
  EXPECT_EQ(m_translator.synonyms(Language::Bulgarian).size(), 2u);
  EXPECT_TRUE(m_notices.empty());
}

TEST(TranslatorBadInput, ComesBackAsItWasAndLoadsNoSynonyms) {
  TestDictionary files;
  TestDictionary bulgarian;
  bulgarian.add("cat", "cat <n>\nко́тка");
  bulgarian.write_plain_into(files.directory(), "freedict-eng-bul");
  write_test_hunspell(files.directory());
  // A WordNet index without its text: loading it would say so.
  TestDictionary::write_file(files.path("wn.index"), "puma\tA\tZ\n");
  Translator translator(files.directory().string());
  translator.set_morphology_directory(files.directory().string());
  std::vector<std::string> notices;
  translator.set_notice([&](const std::string& notice) { notices.push_back(notice); });
  auto bg_en = [&](std::string_view text) {
    return translator.translate(Language::Bulgarian, Language::English, text);
  };
  auto en_bg = [&](std::string_view text) {
    return translator.translate(Language::English, Language::Bulgarian, text);
  };
  std::string long_name = "Ж";
  std::string long_latin = "q";
  for (int i = 0; i < 10000; ++i) {
    long_name += "о";
    long_latin += "o";
  }
  EXPECT_EQ(bg_en(long_name), long_name);
  EXPECT_EQ(en_bg(long_latin), long_latin);
  EXPECT_EQ(en_bg("Q" + long_latin), "Q" + long_latin);
  EXPECT_EQ(bg_en("12345"), "12345");
  EXPECT_EQ(en_bg("12345"), "12345");
  EXPECT_EQ(en_bg("--- ..."), "--- ...");
  EXPECT_EQ(bg_en("Άνάγυη"), "Άνάγυη") << "another script";
  EXPECT_EQ(en_bg("Άνάγυη"), "Άνάγυη");
  EXPECT_EQ(en_bg("Vазов"), "Vазов") << "mixed scripts";
  EXPECT_EQ(bg_en("\xFF\xFE\xC0"), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD")
      << "invalid UTF-8 is read as replacement characters";
  EXPECT_TRUE(notices.empty()) << "no such token reaches WordNet";
}

TEST(TranslatorWithoutWordNet, WorksWithoutSynonymsAndSaysNothing) {
  TestDictionary files;
  TestDictionary bulgarian;
  bulgarian.add("cat", "cat <n>\nко́тка");
  bulgarian.write_plain_into(files.directory(), "freedict-eng-bul");
  write_test_hunspell(files.directory());
  Translator translator(files.directory().string());
  translator.set_morphology_directory(files.directory().string());
  std::vector<std::string> notices;
  translator.set_notice([&](const std::string& notice) { notices.push_back(notice); });
  EXPECT_EQ(translator.translate(Language::English, Language::Bulgarian, "puma"), "puma");
  EXPECT_EQ(translator.synonyms(Language::Bulgarian).size(), 0u);
  EXPECT_TRUE(notices.empty()) << "WordNet is optional";

  // An index without its text.
  TestDictionary::write_file(files.path("wn.index"), "puma\tA\tZ\n");
  Translator damaged(files.directory().string());
  damaged.set_morphology_directory(files.directory().string());
  damaged.set_notice([&](const std::string& notice) { notices.push_back(notice); });
  EXPECT_EQ(damaged.translate(Language::English, Language::Bulgarian, "puma"), "puma");
  EXPECT_EQ(notices.size(), 1u) << "a WordNet that is there but unreadable is worth a notice";
}

TEST_F(TranslatorUnknownWordsTest, ASynonymKeepsTheWordsSenseBetterThanItsBase) {
  // "stressful" could also be read as "stress" with "-ful"; the synonym
  // says what the word means.
  EXPECT_EQ(en_bg("stressful"), "мъчителен ⟨≈ harrowing⟩");
  EXPECT_EQ(en_bg("stresses"), "стресирам ⟨stress⟩") << "an inflected form keeps its headword";
}

}  // namespace prevod
