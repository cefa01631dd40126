#include <gtest/gtest.h>

#include <filesystem>

#include "base/utf8.h"
#include "services/translator/lookup_text.h"
#include "services/translator/translator.h"

namespace prevod {

namespace {

bool installed(std::string_view name) {
  const std::filesystem::path directory(Translator::kDefaultDirectory);
  return std::filesystem::exists(directory / (std::string(name) + ".index"));
}

bool has_cyrillic(std::string_view text) {
  for (char32_t c : utf8::decode(text)) {
    if (lookup_text::is_cyrillic(c)) return true;
  }
  return false;
}

}  // namespace

// The Debian packages dict-freedict-eng-bul and dict-freedict-eng-rus, where
// they are installed.
TEST(RealDictionaries, TranslateBetweenEnglishAndBulgarian) {
  if (!installed(Translator::kBulgarianDictionary)) GTEST_SKIP() << "no freedict-eng-bul";
  Translator translator;
  const std::string hello = translator.translate(Language::English, Language::Bulgarian, "hello");
  EXPECT_TRUE(has_cyrillic(hello)) << hello;
  EXPECT_EQ(translator.translate(Language::Bulgarian, Language::English, "котка"), "cat");
  EXPECT_EQ(translator.translate(Language::English, Language::Bulgarian, "cat"), "котка");
}

TEST(RealDictionaries, TranslateBetweenEnglishAndRussian) {
  if (!installed(Translator::kRussianDictionary)) GTEST_SKIP() << "no freedict-eng-rus";
  Translator translator;
  EXPECT_EQ(translator.translate(Language::English, Language::Russian, "dog"), "собака");
  EXPECT_EQ(translator.translate(Language::Russian, Language::English, "собака"), "dog");
}

}  // namespace prevod
