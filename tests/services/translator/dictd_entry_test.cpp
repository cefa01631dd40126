#include "services/translator/dictd_entry.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace prevod {

using ::testing::ElementsAre;

TEST(DictdEntry, ReadsNumberedSensesAndLeavesTheGlossesOut) {
  const DictdEntry entry = DictdEntry::parse(
      "cat //kat// //kæt// <n>\n"
      "1. ко́те, ко́тка, кота́к\n"
      "domestic species\n"
      "2. ко́тка, котка\n"
      "member of the family Felidae\n");
  EXPECT_EQ(entry.headword(), "cat");
  ASSERT_EQ(entry.senses().size(), 2u);
  EXPECT_THAT(entry.senses()[0], ElementsAre("ко́те", "ко́тка", "кота́к"));
  EXPECT_THAT(entry.senses()[1], ElementsAre("ко́тка", "котка"));
  EXPECT_EQ(entry.sense_count(), 2);
  EXPECT_EQ(entry.translation_count(), 5);
}

TEST(DictdEntry, ReadsTheLineAfterTheHeadwordAsTheOnlySense) {
  const DictdEntry bulgarian = DictdEntry::parse("cat //kæt// <v>\nбия с камшик\nflog\n");
  ASSERT_EQ(bulgarian.senses().size(), 1u);
  EXPECT_THAT(bulgarian.senses()[0], ElementsAre("бия с камшик"));
  const DictdEntry russian = DictdEntry::parse("dog /dɔg/\nсобака\n");
  EXPECT_EQ(russian.headword(), "dog");
  ASSERT_EQ(russian.senses().size(), 1u);
  EXPECT_THAT(russian.senses()[0], ElementsAre("собака"));
}

TEST(DictdEntry, ReadsNumberedSensesWithoutGlosses) {
  const DictdEntry entry = DictdEntry::parse("a /ə/\n1. в, на\n2. кто‐то\n");
  ASSERT_EQ(entry.senses().size(), 2u);
  EXPECT_THAT(entry.senses()[0], ElementsAre("в", "на"));
  EXPECT_THAT(entry.senses()[1], ElementsAre("кто‐то"));
}

TEST(DictdEntry, CountsSensesThatShareATranslationLine) {
  const DictdEntry water = DictdEntry::parse(
      "water //ˈwɔːtə// <n>\n"
      "вода 2.\n"
      "clear liquid H₂O\n"
      " 3.\n"
      "one of the basic elements\n"
      " 4.\n"
      "urine\n");
  ASSERT_EQ(water.senses().size(), 1u);
  EXPECT_THAT(water.senses()[0], ElementsAre("вода"));
  EXPECT_EQ(water.sense_count(), 4);

  const DictdEntry get = DictdEntry::parse(
      "get //ɡɛt// <v>\n1. схващам\nto understand\n2. хващам 2.\nto become ill with\n 3.\nto "
      "take\n");
  ASSERT_EQ(get.senses().size(), 2u);
  EXPECT_THAT(get.senses()[1], ElementsAre("хващам"));
  EXPECT_EQ(get.sense_count(), 4);
}

TEST(DictdEntry, CleansWikiLinksAndParentheticalsOutOfTranslations) {
  const DictdEntry entry = DictdEntry::parse(
      "altitude <n>\n"
      "1. [[надморски|надмо́рска]] [[височина́]]\n"
      "height\n"
      "2. отказвам (се от), [[откажа]]\n"
      "give up\n"
      "3. (и / но) не на последно място; (последно, но не по важност)\n"
      "last\n"
      "4. (само бележка)\n"
      "nothing left\n"
      "5. отворена (скоба, нова\n"
      "unbalanced\n");
  ASSERT_EQ(entry.senses().size(), 4u);
  EXPECT_THAT(entry.senses()[0], ElementsAre("надмо́рска височина́"));
  EXPECT_THAT(entry.senses()[1], ElementsAre("отказвам", "откажа"));
  EXPECT_THAT(entry.senses()[2], ElementsAre("не на последно място"));
  EXPECT_THAT(entry.senses()[3], ElementsAre("отворена скоба", "нова"));
  EXPECT_EQ(entry.sense_count(), 5);
}

TEST(DictdEntry, TakesTheHeadwordAsWrittenBeforePronunciationAndPartOfSpeech) {
  EXPECT_EQ(DictdEntry::parse("Adam's apple /ədɑːmzæpl/\nадамово яблоко\n").headword(),
            "Adam's apple");
  EXPECT_EQ(DictdEntry::parse("ASEAN //ˈæ.si.æn// <pn>\nАСЕА́Н\n").headword(), "ASEAN");
  EXPECT_EQ(DictdEntry::parse("and/or <conj>\nи/или\n").headword(), "and/or");
  EXPECT_EQ(DictdEntry::parse("bare\n").headword(), "bare");
}

TEST(DictdEntry, AnEntryWithoutTranslationsHasNoSenses) {
  EXPECT_TRUE(DictdEntry::parse("").senses().empty());
  EXPECT_TRUE(DictdEntry::parse("lonely /ˈləʊnli/ <adj>\n").senses().empty());
  EXPECT_TRUE(DictdEntry::parse("odd <n>\n\n   \n").senses().empty());
}

TEST(DictdEntryBestTranslation, PrefersTheFirstSenseWordThatRecursMost) {
  const std::vector<DictdEntry> cat = {
      DictdEntry::parse("cat <n>\n1. ко́те, ко́тка, котка\ndomestic\n2. ко́тка\nfelid\n"),
      DictdEntry::parse("cat <v>\nбия с камшик\nflog\n")};
  EXPECT_EQ(DictdEntry::best_translation(cat), "котка");
}

TEST(DictdEntryBestTranslation, TakesTheFirstWordOfTheFirstSenseWhenNothingRecurs) {
  const std::vector<DictdEntry> hello = {
      DictdEntry::parse("hello <interjection>\n1. здра́сти, здраве́й\ngreeting\n2. а́ло\nphone\n")};
  EXPECT_EQ(DictdEntry::best_translation(hello), "здрасти");
}

TEST(DictdEntryBestTranslation, PrefersTheEntryWithMoreSensesOnATie) {
  const std::vector<DictdEntry> water = {
      DictdEntry::parse("water <v>\n1. пикая\nurinate\n2. поливам\npour\n"),
      DictdEntry::parse("water <n>\nвода 2.\nliquid\n 3.\nelement\n 4.\nbody\n")};
  EXPECT_EQ(DictdEntry::best_translation(water), "вода");
}

TEST(DictdEntryBestTranslation, NothingWhenNoEntryHasATranslation) {
  EXPECT_FALSE(DictdEntry::best_translation({}));
  EXPECT_FALSE(DictdEntry::best_translation({DictdEntry::parse("lonely <adj>\n")}));
}

}  // namespace prevod
