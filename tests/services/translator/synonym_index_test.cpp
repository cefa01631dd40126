// WordNet synonyms that a translation dictionary holds, read from a small
// WordNet in its dictd form.

#include "services/translator/synonym_index.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "services/translator/dictionary_error.h"
#include "services/translator/test_dictionary.h"

namespace prevod {

namespace {

// Entries in the layout of Debian's dict-wn.
void write_wordnet(TestDictionary& wordnet) {
  wordnet.add("puma",
              "puma\n"
              "    n 1: large American feline resembling a lion [syn: {puma},\n"
              "         {catamount}, {cougar}, {mountain lion}]");
  wordnet.add("catamount",
              "catamount\n"
              "    n 1: large American feline [syn: {puma}, {catamount}]\n"
              "    2: medium-sized wildcat [syn: {lynx}, {catamount}]");
  wordnet.add("cougar", "cougar\n    n 1: large American feline [syn: {cougar}, {puma}]");
  wordnet.add("mountain lion", "mountain lion\n    n 1: large feline [syn: {mountain lion}]");
  // A flow: "rush" has too many senses to stand for it, "spate" does.
  wordnet.add("upsurge",
              "upsurge\n"
              "    n 1: a sudden forceful flow [syn: {rush}, {spate}, {upsurge}]");
  wordnet.add("rush",
              "rush\n"
              "    adj 1: not accepting reservations [syn: {rush(a)}]\n"
              "    n 1: the act of moving hurriedly [syn: {haste}, {rush}]\n"
              "    2: a sudden forceful flow [syn: {rush}, {spate}]\n"
              "    3: grasslike plants growing in wet places");
  wordnet.add("spate", "spate\n    n 1: a sudden forceful flow [syn: {rush}, {spate}]");
  // A verb whose synonym is also a noun.
  wordnet.add("enshrine",
              "enshrine\n"
              "    v 1: enclose in a shrine [syn: {enshrine}, {shrine}, {hallow}]");
  wordnet.add("shrine",
              "shrine\n"
              "    n 1: a place of worship [syn: {shrine}]\n"
              "    v 1: enclose in a shrine [syn: {enshrine}, {shrine}]");
  wordnet.add("hallow",
              "hallow\n"
              "    v 1: render holy [syn: {hallow}, {consecrate}]\n"
              "    2: praise [syn: {hallow}, {glorify}]");
  // An abbreviation among the synonyms of a place.
  wordnet.add("oregon",
              "Oregon\n    n 1: a state in northwestern United States [syn: {Oregon},\n"
              "         {OR}, {Beaver State}]");
  wordnet.add("or", "OR\n    n 1: a state [syn: {OR}]");
  wordnet.add("beaver state", "Beaver State\n    n 1: a state [syn: {Oregon}, {Beaver State}]");
  // The first senses of each part of speech come before the second ones.
  wordnet.add("fleet",
              "fleet\n"
              "    n 1: group of warships [syn: {fleet}]\n"
              "    2: a group of steamships [syn: {fleet}, {navy}]\n"
              "    adj 1: moving very fast [syn: {fleet}, {swift}]");
  wordnet.add("swift", "swift\n    adj 1: moving very fast [syn: {fleet}, {swift}]");
  wordnet.add("armada", "armada\n    n 1: group of warships [syn: {fleet}, {armada}]");
  wordnet.add("navy", "navy\n    n 1: a group of steamships [syn: {navy}]");
  wordnet.add("swiftly", "swiftly\n    adv 1: quickly [syn: {fast}, {swiftly}]");
  wordnet.add("fast", "fast\n    adj 1: quick [syn: {fast}]\n    adv 1: quickly [syn: {fast}]");
  wordnet.write_plain(std::string(SynonymIndex::kWordNet));
}

// What the translation dictionary holds.
const std::set<std::string> kKnown = {
    "cougar", "catamount",    "mountain lion", "rush", "spate", "shrine", "hallow",
    "or",     "beaver state", "armada",        "navy", "swift", "fast"};

SynonymIndex::Known known() {
  return [](const std::string& key) { return kKnown.contains(key); };
}

class SynonymIndexTest : public ::testing::Test {
 protected:
  void SetUp() override {
    write_wordnet(m_wordnet);
    m_index = SynonymIndex::read(m_wordnet.directory().string(), known());
  }

  TestDictionary m_wordnet;
  SynonymIndex m_index;
};

}  // namespace

TEST_F(SynonymIndexTest, PicksTheKnownSynonymWithTheFewestSensesOfTheFirstSense) {
  EXPECT_EQ(m_index.find("puma"), "cougar") << "catamount has two senses";
}

TEST_F(SynonymIndexTest, LeavesOutSynonymsOfManySensesAndOfAnotherPartOfSpeech) {
  EXPECT_EQ(m_index.find("upsurge"), "spate") << "rush has four senses";
  EXPECT_EQ(m_index.find("enshrine"), "hallow")
      << "shrine, as many senses and first, is also a noun";
}

TEST_F(SynonymIndexTest, LeavesOutAbbreviations) {
  EXPECT_EQ(m_index.find("oregon"), "Beaver State");
}

TEST_F(SynonymIndexTest, TriesTheFirstSenseOfEachPartOfSpeechBeforeTheSecond) {
  EXPECT_EQ(m_index.find("fleet"), "swift")
      << "the adjective's first sense before the noun's second";
}

TEST_F(SynonymIndexTest, AWordTheDictionaryHoldsOrWithoutAKnownSynonymHasNone) {
  EXPECT_EQ(m_index.find("cougar"), std::nullopt) << "the dictionary holds it";
  EXPECT_EQ(m_index.find("mountain lion"), std::nullopt);
  EXPECT_EQ(m_index.find("rush"), std::nullopt);
  EXPECT_EQ(m_index.find("lynx"), std::nullopt) << "not a headword";
  EXPECT_EQ(m_index.find(""), std::nullopt);
}

TEST(SynonymIndex, MissingWordNetIsAnErrorThatSaysSo) {
  TestDictionary empty;
  EXPECT_FALSE(SynonymIndex::installed(empty.directory().string()));
  EXPECT_THROW(SynonymIndex::read(empty.directory().string(), known()), DictionaryError);
  TestDictionary wordnet;
  wordnet.add("puma", "puma\n    n 1: a cat [syn: {puma}, {cougar}]");
  wordnet.write_plain(std::string(SynonymIndex::kWordNet));
  EXPECT_TRUE(SynonymIndex::installed(wordnet.directory().string()));
}

TEST(SynonymIndex, AnEntryWithoutSensesOrWithBrokenGroupsAddsNothing) {
  TestDictionary wordnet;
  wordnet.add("puma", "puma\n    a cat of some kind [syn: {cougar}]");
  wordnet.add("lynx", "lynx\n    n 1: a cat [syn: {cougar}");
  wordnet.add("ocelot", "ocelot\n    n 1: a cat [syn: {cougar, {catamount}]");
  wordnet.write_plain(std::string(SynonymIndex::kWordNet));
  const SynonymIndex index = SynonymIndex::read(wordnet.directory().string(), known());
  EXPECT_EQ(index.find("puma"), std::nullopt) << "no numbered sense to hold the group";
  EXPECT_EQ(index.find("lynx"), std::nullopt) << "the group never closes";
  EXPECT_EQ(index.find("ocelot"), std::nullopt) << "an item that never closes swallows the next";
  EXPECT_EQ(index.size(), 0u);
}

}  // namespace prevod
