#include "services/voicereader/voice_entry.h"

#include <gtest/gtest.h>

namespace prevod {

namespace {

TEST(VoiceEntries, ListEighteenVoicesWithEnglishUsSixthAndRussianFifthFromTheBottom) {
  auto voices = player_voices();
  ASSERT_EQ(voices.size(), 18u);
  EXPECT_EQ(voices.front().name, "Arabic");
  EXPECT_EQ(voices[5].name, "English US");
  EXPECT_EQ(voices[voices.size() - 5].name, "Russian");
  EXPECT_EQ(voices.back().name, "Ukrainian");
}

TEST(VoiceEntries, AreFoundByLanguageCodeWithoutRegardToCaseOrSeparator) {
  EXPECT_EQ(find_voice_by_language("en-gb"), 6);
  EXPECT_EQ(find_voice_by_language("EN_US"), 5);
  EXPECT_EQ(find_voice_by_language("ru"), 13);
  EXPECT_EQ(find_voice_by_language("en"), -1);
  EXPECT_EQ(find_voice_by_language(""), -1);
  EXPECT_EQ(find_voice_by_name("Russian"), 13);
  EXPECT_EQ(find_voice_by_name("russian"), -1);
}

}  // namespace

}  // namespace prevod
