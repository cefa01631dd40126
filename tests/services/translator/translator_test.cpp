#include "services/translator/translator.h"

#include <gtest/gtest.h>

#include "services/translator/dictionary.h"
#include "services/translator/dictionary_error.h"
#include "services/translator/test_dictionary.h"

namespace prevod {

namespace {

// Entries in the shape of the FreeDict English-Bulgarian dictionary.
void add_english_bulgarian(TestDictionary& dictionary) {
  dictionary.add("adams apple",
                 "Adam's apple /ˈædəmz ˈæpəl/ <n>\nадамова ябълка\nthyroid cartilage");
  dictionary.add("a lot", "a lot //ə lɒt// <adv>\nмно́го\na large amount");
  dictionary.add("big", "big //bɪɡ// <adj>\n1. голя́м\nlarge\n2. голя́м, едър\nadult");
  dictionary.add("cat",
                 "cat //kæt// <n>\n1. ко́те, ко́тка, котка\ndomestic species\n2. ко́тка\n"
                 "member of the family Felidae");
  dictionary.add("cat", "cat //kæt// <v>\nбия с камшик\nflog");
  dictionary.add("fine", "fine //faɪn// <adj>\nдобъ́р, хубав\nof good quality");
  dictionary.add("good", "good //ɡʊd// <adj>\n1. добъ́р, добър\nethical\n2. ху́бав\npleasant");
  dictionary.add("hello",
                 "hello //həˈləʊ// <interjection>\n1. здра́сти, здраве́й\ngreeting\n2. а́ло\n"
                 "when answering the telephone");
  dictionary.add("how are you", "how are you /haʊ ɑː juː/ <phrase>\nкак си?\ngreeting");
  dictionary.add("kitten", "kitten //ˈkɪtn̩// <n>\nко́те\nyoung cat");
  dictionary.add("puss", "puss <n>\nко́тка\ncat");
}

// Entries in the shape of the FreeDict English-Russian dictionary.
void add_english_russian(TestDictionary& dictionary) {
  dictionary.add("cat", "cat /kæt/\nкошка");
  dictionary.add("dog", "dog /dɔg/\nсобака");
  dictionary.add("hedgehog", "hedgehog /ˈhɛdʒhɒɡ/\nёж");
  dictionary.add("someone", "someone /ˈsʌmwʌn/\n1. кто‐то\n2. некто");
}

enum class Form { Plain, Dictzip };

class TranslatorTest : public ::testing::TestWithParam<Form> {
 protected:
  void SetUp() override {
    add_english_bulgarian(m_bulgarian);
    add_english_russian(m_russian);
    write(m_bulgarian, "freedict-eng-bul");
    write(m_russian, "freedict-eng-rus");
  }

  void write(const TestDictionary& source, const std::string& name) {
    if (GetParam() == Form::Plain) {
      source.write_plain_into(m_files.directory(), name);
    } else {
      // Small chunks, so entries straddle chunk boundaries.
      source.write_dictzip_into(m_files.directory(), name, 48);
    }
  }

  std::string en_bg(std::string_view text) {
    return m_translator.translate(Language::English, Language::Bulgarian, text);
  }
  std::string bg_en(std::string_view text) {
    return m_translator.translate(Language::Bulgarian, Language::English, text);
  }

  TestDictionary m_files;
  TestDictionary m_bulgarian;
  TestDictionary m_russian;
  // The test dictionaries alone: the built-in grammar words would answer
  // the common words they leave out ("and").
  Translator m_translator{m_files.directory().string(), Translator::GrammarWordLists::None};
};

INSTANTIATE_TEST_SUITE_P(BothForms, TranslatorTest, ::testing::Values(Form::Plain, Form::Dictzip),
                         [](const auto& info) {
                           return info.param == Form::Plain ? "Plain" : "Dictzip";
                         });

}  // namespace

TEST_P(TranslatorTest, TranslatesAnEnglishWordWithoutItsStressMarks) {
  EXPECT_EQ(en_bg("cat"), "котка");
  EXPECT_EQ(en_bg("big"), "голям");
}

TEST_P(TranslatorTest, TranslatesTheTextAsTheProgramSendsIt) {
  EXPECT_EQ(en_bg(" Hello!  "), "Здрасти!");
}

TEST_P(TranslatorTest, TranslatesAPhraseWholeBeforeWordByWord) {
  EXPECT_EQ(en_bg("How are you?"), "Как си?");
  EXPECT_EQ(en_bg("a lot"), "много");
  EXPECT_EQ(en_bg("an Adam's apple"), "an адамова ябълка");
  EXPECT_EQ(en_bg("Adam's apple"), "Адамова ябълка");
}

TEST_P(TranslatorTest, TranslatesWordByWordKeepingUnknownWords) {
  EXPECT_EQ(en_bg("good cat"), "добър котка");
  EXPECT_EQ(en_bg("Hello, zyzzyva cat!"), "Здрасти, zyzzyva котка!");
  EXPECT_EQ(en_bg("zyzzyva"), "zyzzyva");
}

TEST_P(TranslatorTest, NormalisesCaseAndPunctuationOfTheSource) {
  EXPECT_EQ(en_bg("CAT"), "Котка");
  EXPECT_EQ(en_bg("«cat»"), "«котка»");
}

TEST_P(TranslatorTest, TranslatesBulgarianBackToTheMostPlausibleHeadword) {
  EXPECT_EQ(bg_en("котка"), "cat");
  EXPECT_EQ(bg_en("коте"), "kitten");
  EXPECT_EQ(bg_en("добър"), "good");
  EXPECT_EQ(bg_en("голям"), "big");
  EXPECT_EQ(bg_en("адамова ябълка"), "Adam's apple");
}

TEST_P(TranslatorTest, NormalisesCaseStressAndPunctuationOfACyrillicSource) {
  EXPECT_EQ(bg_en("Котка!"), "Cat!");
  EXPECT_EQ(bg_en("КО́ТКА"), "Cat");
  EXPECT_EQ(bg_en("ко́тка"), "cat");
  EXPECT_EQ(bg_en(" Как си?  "), "How are you?");
  EXPECT_EQ(bg_en("голям котка, ябълка"), "big cat, ябълка");
}

TEST_P(TranslatorTest, TranslatesRussianBothWays) {
  EXPECT_EQ(m_translator.translate(Language::English, Language::Russian, "dog"), "собака");
  EXPECT_EQ(m_translator.translate(Language::English, Language::Russian, "someone"), "кто-то");
  EXPECT_EQ(m_translator.translate(Language::Russian, Language::English, "Собака"), "Dog");
  EXPECT_EQ(m_translator.translate(Language::Russian, Language::English, "еж"), "hedgehog");
  EXPECT_EQ(m_translator.translate(Language::Russian, Language::English, "кто-то"), "someone");
}

TEST_P(TranslatorTest, GoesBetweenBulgarianAndRussianThroughEnglish) {
  EXPECT_EQ(m_translator.translate(Language::Bulgarian, Language::Russian, "котка"), "кошка");
}

TEST_P(TranslatorTest, LeavesATextInTheTargetLanguageAsItIs) {
  EXPECT_EQ(m_translator.translate(Language::English, Language::English, "  Hello   cat "),
            "Hello cat");
}

TEST(TranslatorDictionaries, LoadOnFirstUseNotWhenTheTranslatorIsMade) {
  TestDictionary files;
  Translator translator(files.directory().string());
  TestDictionary bulgarian;
  add_english_bulgarian(bulgarian);
  bulgarian.write_plain_into(files.directory(), "freedict-eng-bul");
  EXPECT_EQ(translator.translate(Language::English, Language::Bulgarian, "cat"), "котка");
}

TEST(TranslatorDictionaries, AMissingDictionaryIsNamedAndTheOtherStillWorks) {
  TestDictionary files;
  TestDictionary russian;
  add_english_russian(russian);
  russian.write_plain("freedict-eng-rus");
  russian.write_plain_into(files.directory(), "freedict-eng-rus");
  Translator translator(files.directory().string());
  for (Language source : {Language::English, Language::Bulgarian}) {
    const Language target = source == Language::English ? Language::Bulgarian : Language::English;
    try {
      translator.translate(source, target, "cat");
      ADD_FAILURE() << "no error";
    } catch (const DictionaryError& error) {
      EXPECT_EQ(error.dictionary(), "freedict-eng-bul");
      EXPECT_EQ(error.kind(), DictionaryError::Kind::Unavailable);
    }
  }
  EXPECT_EQ(translator.translate(Language::English, Language::Russian, "dog"), "собака");
}

TEST(TranslatorDictionaries, ADamagedEntryFailsItsOwnLookupOnly) {
  TestDictionary files;
  TestDictionary bulgarian;
  add_english_bulgarian(bulgarian);
  // "big" points beyond the end of the text.
  std::string index = bulgarian.index();
  index += "zebra\tBAAAA\tBA\n";
  TestDictionary::write_file(files.path("freedict-eng-bul.index"), index);
  TestDictionary::write_file(files.path("freedict-eng-bul.dict"), bulgarian.text());
  Dictionary dictionary(files.directory().string(), "freedict-eng-bul");
  try {
    dictionary.translate("zebra");
    ADD_FAILURE() << "no error";
  } catch (const DictionaryError& error) {
    EXPECT_EQ(error.kind(), DictionaryError::Kind::Damaged);
    EXPECT_EQ(error.dictionary(), "freedict-eng-bul");
  }
  EXPECT_EQ(dictionary.translate("cat"), "котка");
  EXPECT_EQ(dictionary.translate_back("котка"), "cat");
}

TEST(TranslatorDictionaries, AnIndexOfBadLinesMakesTheDictionaryUnavailable) {
  TestDictionary files;
  TestDictionary::write_file(files.path("freedict-eng-bul.index"), "cat\t!!\t??\ndog\n");
  TestDictionary::write_file(files.path("freedict-eng-bul.dict"), "cat\nкотка\n");
  Dictionary dictionary(files.directory().string(), "freedict-eng-bul");
  EXPECT_THROW(dictionary.translate("cat"), DictionaryError);
  // The failure is remembered rather than read again for every word.
  TestDictionary::write_file(files.path("freedict-eng-bul.index"), "cat\tA\tL\n");
  EXPECT_THROW(dictionary.translate("cat"), DictionaryError);
}

TEST(TranslatorDictionaries, ATruncatedDictzipFileMakesTheReverseDirectionUnavailable) {
  TestDictionary files;
  TestDictionary bulgarian;
  add_english_bulgarian(bulgarian);
  const std::string packed = TestDictionary::dictzip(bulgarian.text(), 48);
  TestDictionary::write_file(files.path("freedict-eng-bul.index"), bulgarian.index());
  TestDictionary::write_file(files.path("freedict-eng-bul.dict.dz"),
                             packed.substr(0, packed.size() * 2 / 3));
  Dictionary dictionary(files.directory().string(), "freedict-eng-bul");
  EXPECT_EQ(dictionary.translate("adams apple"), "адамова ябълка");
  EXPECT_THROW(dictionary.translate("puss"), DictionaryError);
  EXPECT_THROW(dictionary.translate_back("котка"), DictionaryError);
  EXPECT_THROW(dictionary.translate_back("котка"), DictionaryError);
}

}  // namespace prevod
