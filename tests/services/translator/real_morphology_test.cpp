// Translation through dictionary forms with the Debian packages: the
// FreeDict dictionaries and the hunspell dictionaries hunspell-bg,
// hunspell-en-us and hunspell-ru, where they are installed. Each inflected
// word must be translated as its dictionary form is, and name that form.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "services/translator/morphology.h"
#include "services/translator/synonym_index.h"
#include "services/translator/translator.h"

namespace prevod {

namespace {

bool installed(Language language, std::string_view dictd) {
  const std::filesystem::path hunspell(Morphology::kDefaultDirectory);
  const std::filesystem::path dictionaries(Translator::kDefaultDirectory);
  return std::filesystem::exists(hunspell /
                                 (std::string(Morphology::dictionary_name(language)) + ".dic")) &&
         std::filesystem::exists(dictionaries / (std::string(dictd) + ".index"));
}

struct Form {
  const char* word;
  const char* headword;
  const char* what;
};

void expect_through_headword(Translator& translator, Language source, Language target,
                             const std::vector<Form>& forms) {
  for (const Form& form : forms) {
    const Translation reduced = translator.translation(source, target, form.word);
    const Translation direct = translator.translation(source, target, form.headword);
    EXPECT_EQ(reduced.headwords, std::vector<std::string>{form.headword})
        << form.word << " (" << form.what << ") gave " << reduced.text;
    EXPECT_EQ(reduced.text, direct.text) << form.word << " (" << form.what << ")";
    EXPECT_NE(reduced.text, form.word) << form.word << " (" << form.what << ")";
  }
}

}  // namespace

TEST(RealMorphology, BulgarianFormsInEnglish) {
  if (!installed(Language::Bulgarian, Translator::kBulgarianDictionary)) {
    GTEST_SKIP() << "no hunspell-bg or freedict-eng-bul";
  }
  Translator translator;
  expect_through_headword(translator, Language::Bulgarian, Language::English,
                          {{"котките", "котка", "plural with the article"},
                           {"котката", "котка", "singular with the article"},
                           {"виното", "вино", "neuter with the article"},
                           {"градът", "град", "masculine with the full article"},
                           {"книгите", "книга", "plural"},
                           {"тежката", "тежък", "feminine adjective with the article"},
                           {"хубава", "хубав", "feminine adjective"},
                           {"хубави", "хубав", "plural adjective"},
                           {"ходиш", "ходя", "second person"},
                           {"ходих", "ходя", "first person past"},
                           {"вървяха", "вървя", "third person plural past"},
                           {"пишеш", "пиша", "second person"}});
  EXPECT_EQ(translator.translate(Language::Bulgarian, Language::English, "котките"), "cat ⟨котка⟩");
}

TEST(RealMorphology, BulgarianNounsWithTheirArticleAndIrregularForms) {
  if (!installed(Language::Bulgarian, Translator::kBulgarianDictionary)) {
    GTEST_SKIP() << "no hunspell-bg or freedict-eng-bul";
  }
  Translator translator;
  // hunspell-bg reads "устата" only as the adjective "устат" ("pert").
  expect_through_headword(translator, Language::Bulgarian, Language::English,
                          {{"устата", "уста", "noun with the article"},
                           {"живота", "живот", "masculine with the short article"},
                           {"очите", "око", "irregular plural with the article"},
                           {"ръце", "ръка", "irregular plural"},
                           {"види", "видя", "perfective verb"}});
  EXPECT_EQ(translator.translate(Language::Bulgarian, Language::English, "устата"), "mouth ⟨уста⟩");
}

TEST(RealMorphology, GrammarWordsAndNames) {
  if (!installed(Language::Bulgarian, Translator::kBulgarianDictionary) ||
      !installed(Language::English, Translator::kBulgarianDictionary)) {
    GTEST_SKIP() << "no hunspell-bg, hunspell-en-us or freedict-eng-bul";
  }
  Translator translator;
  auto bg_en = [&](std::string_view text) {
    return translator.translate(Language::Bulgarian, Language::English, text);
  };
  auto en_bg = [&](std::string_view text) {
    return translator.translate(Language::English, Language::Bulgarian, text);
  };
  EXPECT_EQ(bg_en("е"), "is");
  EXPECT_EQ(bg_en("ги"), "them");
  EXPECT_EQ(bg_en("беше"), "was");
  EXPECT_EQ(bg_en("каза"), "say ⟨кажа⟩");
  EXPECT_EQ(en_bg("is"), "е") << "not a plural of \"i\"";
  EXPECT_EQ(en_bg("does"), "прави") << "not a plural of \"doe\"";
  EXPECT_EQ(bg_en("Вазов"), "Vazov ⟨Вазов (име)⟩");
  EXPECT_EQ(bg_en("Петко"), "Petko ⟨Петко (име)⟩") << "no form of \"петък\"";
  EXPECT_EQ(en_bg("Abbott"), "Абот ⟨Abbott (име)⟩");
  EXPECT_EQ(en_bg("Cats"), "Котка ⟨cat⟩") << "a common word starting a sentence";
}

TEST(RealMorphology, EnglishWordsThroughWordNetSynonyms) {
  if (!installed(Language::English, Translator::kBulgarianDictionary) ||
      !SynonymIndex::installed(std::string(Translator::kDefaultDirectory))) {
    GTEST_SKIP() << "no hunspell-en-us, freedict-eng-bul or dict-wn";
  }
  Translator translator;
  EXPECT_EQ(translator.translate(Language::English, Language::Bulgarian, "haemorrhage's"),
            "кръвоизлив ⟨≈ bleeding⟩");
}

TEST(RealMorphology, EnglishFormsInBulgarian) {
  if (!installed(Language::English, Translator::kBulgarianDictionary)) {
    GTEST_SKIP() << "no hunspell-en-us or freedict-eng-bul";
  }
  Translator translator;
  expect_through_headword(translator, Language::English, Language::Bulgarian,
                          {{"cats", "cat", "-s"},
                           {"cat's", "cat", "possessive"},
                           {"boxes", "box", "-es"},
                           {"walked", "walk", "-ed"},
                           {"studied", "study", "-ied"},
                           {"stopped", "stop", "doubled consonant"},
                           {"went", "go", "irregular past"},
                           {"ran", "run", "irregular past"},
                           {"mice", "mouse", "irregular plural"},
                           {"children", "child", "irregular plural"}});
  EXPECT_EQ(translator.translate(Language::English, Language::Bulgarian, "cats"), "котка ⟨cat⟩");
}

TEST(RealMorphology, RussianFormsBothWays) {
  if (!installed(Language::Russian, Translator::kRussianDictionary)) {
    GTEST_SKIP() << "no hunspell-ru or freedict-eng-rus";
  }
  Translator translator;
  expect_through_headword(translator, Language::Russian, Language::English,
                          {{"собаки", "собака", "plural"}});
  expect_through_headword(translator, Language::English, Language::Russian,
                          {{"dogs", "dog", "-s"}});
}

}  // namespace prevod
