// Translation through dictionary forms, on small dictd and hunspell
// dictionaries made by the tests.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "services/translator/dictionary.h"
#include "services/translator/morphology.h"
#include "services/translator/test_dictionary.h"
#include "services/translator/test_hunspell.h"
#include "services/translator/translator.h"

namespace prevod {

namespace {

class TranslatorMorphologyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TestDictionary bulgarian;
    bulgarian.add("cat", "cat //kæt// <n>\n1. ко́тка\ndomestic species");
    bulgarian.add("box", "box <n>\nку́тия");
    bulgarian.add("heavy", "heavy <adj>\nтежъ́к");
    bulgarian.add("go", "go <v>\nхо́дя");
    bulgarian.add("walk", "walk <v>\nвървя́");
    bulgarian.add("leave", "leave <v>\nоставям");
    bulgarian.add("leaf", "leaf <n>\nлист");
    bulgarian.add("walking", "walking <n>\nразходка");
    bulgarian.add("run", "run <v>\nбягам");
    bulgarian.add("good", "good <adj>\nдобър");
    bulgarian.add("book", "book <n>\nкни́га");
    bulgarian.add("level", "level <n>\nко́та");
    bulgarian.add("a lot", "a lot <adv>\nмного");
    bulgarian.write_plain_into(m_files.directory(), "freedict-eng-bul");
    TestDictionary russian;
    russian.add("cat", "cat /kæt/\nкошка");
    russian.write_plain_into(m_files.directory(), "freedict-eng-rus");
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
  // The test dictionaries alone: the built-in grammar words would answer
  // the common words they leave out ("and").
  Translator m_translator{m_files.directory().string(), Translator::GrammarWordLists::None};
  std::vector<std::string> m_notices;
};

}  // namespace

TEST_F(TranslatorMorphologyTest, AnEnglishFormIsTranslatedThroughItsDictionaryForm) {
  EXPECT_EQ(en_bg("cats"), "котка ⟨cat⟩") << "-s";
  EXPECT_EQ(en_bg("boxes"), "кутия ⟨box⟩") << "-es";
  EXPECT_EQ(en_bg("walked"), "вървя ⟨walk⟩") << "-ed";
  EXPECT_EQ(en_bg("leaving"), "оставям ⟨leave⟩") << "-ing";
  EXPECT_EQ(en_bg("went"), "ходя ⟨go⟩") << "irregular";
  EXPECT_EQ(en_bg("running"), "бягам ⟨run⟩") << "a form hunspell lists as a word";
}

TEST_F(TranslatorMorphologyTest, ABulgarianFormIsTranslatedThroughItsDictionaryForm) {
  EXPECT_EQ(bg_en("котките"), "cat ⟨котка⟩") << "plural with the article";
  EXPECT_EQ(bg_en("котката"), "cat ⟨котка⟩") << "singular with the article";
  EXPECT_EQ(bg_en("тежката"), "heavy ⟨тежък⟩") << "feminine adjective";
  EXPECT_EQ(bg_en("тежко"), "heavy ⟨тежък⟩") << "neuter adjective";
  EXPECT_EQ(bg_en("ходиш"), "go ⟨ходя⟩") << "second person";
  EXPECT_EQ(bg_en("ходих"), "go ⟨ходя⟩") << "past tense";
  EXPECT_EQ(bg_en("книгите"), "book ⟨книга⟩") << "a form hunspell lists as a word";
}

TEST_F(TranslatorMorphologyTest, StressMarksInTheDictionaryOrTheTextDoNotSpoilTheMatch) {
  // The dictionary writes "ко́тка" and "тежъ́к"; hunspell knows them bare.
  EXPECT_EQ(bg_en("ко́тките"), "cat ⟨котка⟩");
  EXPECT_EQ(bg_en("тежка́та"), "heavy ⟨тежък⟩");
}

TEST_F(TranslatorMorphologyTest, AWordInTheDictionaryAsWrittenIsNotReduced) {
  EXPECT_EQ(en_bg("walking"), "разходка");
  EXPECT_EQ(en_bg("cat"), "котка");
  EXPECT_EQ(bg_en("котка"), "cat");
}

TEST_F(TranslatorMorphologyTest, OfTwoReadingsTheDictionaryHoldsTheClosestWins) {
  EXPECT_EQ(en_bg("leaves"), "оставям ⟨leave⟩") << "not лист ⟨leaf⟩";
}

TEST_F(TranslatorMorphologyTest, WordsWithoutAReadingTheDictionaryHoldsStayAsWritten) {
  EXPECT_EQ(en_bg("zyzzyvas"), "zyzzyvas") << "a word hunspell does not know";
  EXPECT_EQ(en_bg("happier"), "happier") << "readings the dictionary does not hold";
  EXPECT_EQ(en_bg("unhappy"), "unhappy") << "no reading without the prefix";
  EXPECT_EQ(bg_en("масите"), "масите") << "hunspell reads маса, the dictionary has no table";
  EXPECT_EQ(bg_en("виното"), "виното") << "hunspell lists вино without its forms";
  EXPECT_EQ(bg_en("коти"), "коти") << "too short for its root to be guessed";
}

TEST_F(TranslatorMorphologyTest, PhrasesGoWholeFirstThenWordByWordWithEachWordReduced) {
  EXPECT_EQ(en_bg("a lot"), "много");
  EXPECT_EQ(en_bg("Cats, boxes and cats!"), "Котка, кутия and котка! ⟨cat, box⟩");
  EXPECT_EQ(en_bg("good cats"), "добър котка ⟨cat⟩");
  EXPECT_EQ(bg_en("Котките, тежката кутия"), "Cat, heavy box ⟨котка, тежък⟩");
}

TEST_F(TranslatorMorphologyTest, MixedLatinAndCyrillicInputComesBackWhereItCannotBeRead) {
  EXPECT_EQ(bg_en("котките cats"), "cat cats ⟨котка⟩") << "English words in Bulgarian text";
  EXPECT_EQ(en_bg("cats котките"), "котка котките ⟨cat⟩");
  EXPECT_EQ(bg_en("котkите"), "котkите") << "one word in two scripts";
}

TEST_F(TranslatorMorphologyTest, BadInputComesBackUnchanged) {
  EXPECT_EQ(bg_en("1984"), "1984");
  EXPECT_EQ(bg_en("?!…"), "?!…");
  const std::string broken = "\xD0\xBA\xFF\xFE";
  EXPECT_EQ(bg_en(broken), "к\uFFFD\uFFFD") << "malformed bytes read as U+FFFD, as before";
  std::string huge;
  for (int i = 0; i < 10000; ++i) huge += "ко";
  EXPECT_EQ(bg_en(huge + "ите"), huge + "ите");
  EXPECT_EQ(en_bg(std::string(10000, 's')), std::string(10000, 's'));
}

TEST_F(TranslatorMorphologyTest, BetweenBulgarianAndRussianTheMarkerNamesTheSourceForm) {
  EXPECT_EQ(m_translator.translate(Language::Bulgarian, Language::Russian, "котките"),
            "кошка ⟨котка⟩");
  const Translation apart =
      m_translator.translation(Language::Bulgarian, Language::Russian, "котките");
  EXPECT_EQ(apart.text, "кошка");
  EXPECT_EQ(apart.headwords, std::vector<std::string>{"котка"});
}

TEST(TranslatorWithoutMorphology, AMissingHunspellDictionaryMeansPlainLookupsAndOneNotice) {
  TestDictionary files;
  TestDictionary bulgarian;
  bulgarian.add("cat", "cat <n>\nко́тка");
  bulgarian.write_plain_into(files.directory(), "freedict-eng-bul");
  Translator translator(files.directory().string());
  translator.set_morphology_directory((files.directory() / "no-hunspell").string());
  std::vector<std::string> notices;
  translator.set_notice([&](const std::string& notice) { notices.push_back(notice); });
  EXPECT_EQ(translator.translate(Language::English, Language::Bulgarian, "cats"), "cats");
  EXPECT_EQ(translator.translate(Language::English, Language::Bulgarian, "went"), "went");
  EXPECT_EQ(translator.translate(Language::English, Language::Bulgarian, "cat"), "котка");
  EXPECT_EQ(notices.size(), 1u);
}

}  // namespace prevod
