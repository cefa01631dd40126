// English derived words read back to their bases, and translated through
// the first base a small book knows.

#include "services/translator/english_derivation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace prevod {

namespace {

// A book of the given English words, each translated as "<word>-bg".
PhraseTranslator::Lookup book(std::set<std::string> words) {
  return [words = std::move(words)](const std::string& key) -> std::optional<std::string> {
    if (!words.contains(key)) return std::nullopt;
    return key + "-bg";
  };
}

// Every word counts as an English word.
const english_derivation::Known kAnyWord = [](const std::string&) { return true; };

// The headword a word is translated through when the book holds `words`;
// empty when none.
std::string base_of(const std::string& word, std::set<std::string> words,
                    const english_derivation::Known& known = kAnyWord) {
  const auto found = english_derivation::translate({word}, book(std::move(words)), known);
  return found ? found->headword : std::string();
}

bool offers(const std::string& word, const std::string& base) {
  const std::vector<english_derivation::Base> bases = english_derivation::bases(word);
  return std::any_of(bases.begin(), bases.end(),
                     [&](const english_derivation::Base& b) { return b.word == base; });
}

}  // namespace

TEST(EnglishDerivation, EachSuffixFamilyLeadsToItsBase) {
  const std::map<std::string, std::string> derived = {
      {"wryness", "wry"},
      {"aridity", "arid"},
      {"purity", "pure"},
      {"fallibility", "fallible"},
      {"readability", "readable"},
      {"curiosity", "curious"},
      {"nasally", "nasal"},
      {"photographically", "photographic"},
      {"amicably", "amicable"},
      {"hobbyist", "hobby"},
      {"violinist", "violin"},
      {"heroism", "hero"},
      {"regimental", "regiment"},
      {"biological", "biology"},
      {"traumatic", "trauma"},
      {"heroic", "hero"},
      {"centralize", "central"},
      {"centralization", "centralize"},
      {"ionizer", "ionize"},
      {"exploration", "explore"},
      {"formation", "form"},
      {"depiction", "depict"},
      {"identification", "identify"},
      {"washable", "wash"},
      {"deducible", "deduce"},
      {"walker", "walk"},
      {"coordinator", "coordinate"},
      {"enjoyment", "enjoy"},
      {"playful", "play"},
      {"careless", "care"},
      {"ownership", "owner"},
      {"childhood", "child"},
      {"stardom", "star"},
      {"poisonous", "poison"},
      {"exigency", "exigent"},
      {"spoilage", "spoil"},
      {"longish", "long"},
      {"reconnect", "connect"},
  };
  for (const auto& [word, base] : derived) {
    EXPECT_EQ(base_of(word, {base}), base) << word;
  }
}

TEST(EnglishDerivation, SpellingChangesAtTheSuffixAreUndone) {
  EXPECT_EQ(base_of("happiness", {"happy"}), "happy") << "y as i";
  EXPECT_EQ(base_of("identifiable", {"identify"}), "identify") << "y as i before -able";
  EXPECT_EQ(base_of("merriment", {"merry"}), "merry") << "y as i before -ment";
  EXPECT_EQ(base_of("deducible", {"deduce"}), "deduce") << "a dropped e";
  EXPECT_EQ(base_of("tidal", {"tide"}), "tide") << "a dropped e before -al";
  EXPECT_EQ(base_of("regrettable", {"regret"}), "regret") << "a doubled consonant";
  EXPECT_EQ(base_of("bidder", {"bid"}), "bid") << "a doubled consonant before -er";
  EXPECT_EQ(base_of("reddish", {"red"}), "red") << "a doubled consonant before -ish";
  EXPECT_EQ(base_of("truly", {"true"}), "true") << "the e of -ue";
  EXPECT_EQ(base_of("fully", {"full"}), "full") << "one l of -ll";
}

TEST(EnglishDerivation, TheLikelierBaseComesFirst) {
  EXPECT_EQ(base_of("gently", {"gent", "gentle"}), "gentle");
  EXPECT_EQ(base_of("colonize", {"colon", "colony"}), "colony");
  EXPECT_EQ(base_of("colonial", {"colon", "colony"}), "colony");
  EXPECT_EQ(base_of("fallibility", {"fall", "fallible"}), "fallible");
}

TEST(EnglishDerivation, ShortAndUnlikelyBasesAreNotGuessed) {
  EXPECT_EQ(base_of("cation", {"cat"}), "") << "a learned suffix needs four letters";
  EXPECT_EQ(base_of("rebus", {"bus"}), "") << "re- needs four letters after it";
  EXPECT_EQ(base_of("humidor", {"humid"}), "") << "-or is not taken off";
  EXPECT_EQ(base_of("fundamentalist", {"fundamental"}), "") << "-ist after -al is a creed";
  EXPECT_EQ(base_of("battleship", {"battle"}), "") << "-ship after a thing is a ship";
  EXPECT_EQ(base_of("ally", {"al"}), "");
}

TEST(EnglishDerivation, NegatingPrefixesAreNeverTakenOff) {
  for (const auto& [word, base] : std::map<std::string, std::string>{{"unhappy", "happy"},
                                                                     {"unlock", "lock"},
                                                                     {"inactive", "active"},
                                                                     {"nonstop", "stop"},
                                                                     {"disconnect", "connect"},
                                                                     {"decolonize", "colonize"},
                                                                     {"misspell", "spell"}}) {
    EXPECT_FALSE(offers(word, base)) << word;
    EXPECT_EQ(base_of(word, {base}), "") << word;
  }
  // A derivation of a negated word keeps the negation.
  EXPECT_EQ(base_of("unpredictability", {"predictable", "unpredictable"}), "unpredictable");
}

TEST(EnglishDerivation, LessMeansWithoutTheBase) {
  const auto careless = english_derivation::translate({"careless"}, book({"care"}), kAnyWord);
  ASSERT_TRUE(careless);
  EXPECT_EQ(careless->translation, "без care-bg");
  EXPECT_EQ(careless->headword, "care");
  // Through a second suffix the absence stays.
  const auto carelessly = english_derivation::translate({"carelessness"}, book({"care"}), kAnyWord);
  ASSERT_TRUE(carelessly);
  EXPECT_EQ(carelessly->translation, "без care-bg");
  // A suffix after the base that is not -less does not say "without".
  const auto careful = english_derivation::translate({"careful"}, book({"care"}), kAnyWord);
  ASSERT_TRUE(careful);
  EXPECT_EQ(careful->translation, "care-bg");
}

TEST(EnglishDerivation, TwoSuffixesAreTakenOffThroughAWord) {
  EXPECT_EQ(base_of("centralization", {"central"}), "central");
  EXPECT_EQ(base_of("likeableness", {"like"}), "like");
  EXPECT_EQ(base_of("reconnection", {"connect"}), "connect");
  // Only through a stem that is a word.
  const english_derivation::Known words = [](const std::string& word) {
    return word == "centralize";
  };
  EXPECT_EQ(base_of("arguably", {"argue"}, words), "") << "as if \"arguable\" were no word";
  EXPECT_EQ(base_of("centralization", {"central"}, words), "central");
  // Nor a third: "centralizations" is read as "centralization" by its
  // inflection, not here.
  EXPECT_EQ(base_of("centralizations", {"central"}), "");
}

TEST(EnglishDerivation, InflectedFormsAreDerivedInTheirOrder) {
  const auto found =
      english_derivation::translate({"aridity's", "aridity"}, book({"arid", "aridity"}), kAnyWord);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->headword, "arid") << "the forms themselves were refused already";
  EXPECT_EQ(found->translation, "arid-bg");
}

TEST(EnglishDerivation, OtherTextsHaveNoBases) {
  EXPECT_TRUE(english_derivation::bases("").empty());
  EXPECT_TRUE(english_derivation::bases("Happiness").empty()) << "lower case only";
  EXPECT_TRUE(english_derivation::bases("щастливост").empty());
  EXPECT_TRUE(english_derivation::bases("wry-ness").empty());
  EXPECT_TRUE(english_derivation::bases(std::string(10000, 'a') + "ness").empty());
  EXPECT_FALSE(english_derivation::translate({}, book({"care"}), kAnyWord));
}

TEST(EnglishDerivation, AWordThatManyRulesFitIsTriedABoundedNumberOfTimes) {
  int lookups = 0;
  const PhraseTranslator::Lookup counting = [&lookups](const std::string&) {
    ++lookups;
    return std::optional<std::string>();
  };
  // A hundred forms of four bases each, were they all tried.
  std::vector<std::string> forms;
  for (char first = 'a'; first < 'e'; ++first) {
    for (char second = 'a'; second <= 'y'; ++second) {
      forms.push_back(std::string("st") + first + second + "ization");
    }
  }
  EXPECT_FALSE(english_derivation::translate(forms, counting, kAnyWord));
  EXPECT_GT(lookups, 0);
  EXPECT_LE(lookups, 256);
}

}  // namespace prevod
