// What the simulated desktop writes down for tests and the console (the
// synthetic keys, what the player said, what the speech engine was asked
// to say) keeps only its latest entries, so that a program running for
// days does not grow, while the entries kept stay the latest ones in order.

#include <gtest/gtest.h>

#include <string>

#include "base/simulated_loop.h"
#include "base/trace.h"
#include "desktop/klik.h"
#include "platform/keys.h"
#include "platform/sim/bounded_log.h"
#include "platform/sim/recording_speech_engine.h"
#include "support/system_fixture.h"
#include "translation/translation_window_fixture.h"

namespace prevod {

namespace {

TEST(BoundedLog, KeepsTheLatestEntriesInOrderAndCountsThemAll) {
  BoundedLog<int> log(3);
  for (int i = 1; i <= 5; ++i) log.push_back(i);
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log.front(), 3);
  EXPECT_EQ(log[1], 4);
  EXPECT_EQ(log.back(), 5);
  EXPECT_EQ(log.total(), 5u);
  log.clear();
  EXPECT_TRUE(log.empty());
  log.push_back(6);
  EXPECT_EQ(log.total(), 6u);
}

class KeyLogTest : public SystemFixture {
 protected:
  void SetUp() override { boot({}, false); }
};

TEST_F(KeyLogTest, KeepsTheLatestKeysOnly) {
  const size_t sent = SimDesktop::KeyLogCapacity + 100;
  for (size_t i = 0; i < sent; ++i) {
    KeyDown(desktop().user32(), static_cast<int32_t>('A' + i % 26));
  }
  const auto& log = desktop().key_log();
  ASSERT_EQ(log.size(), SimDesktop::KeyLogCapacity);
  EXPECT_EQ(log.total(), sent);
  EXPECT_EQ(log.front().code, 'A' + 100 % 26) << "the oldest hundred are gone";
  EXPECT_EQ(log.back().code, 'A' + (sent - 1) % 26);
}

TEST(RecordingSpeechEngineLog, KeepsTheLatestUtterancesAndEveryOneStillToBeSpoken) {
  SimulatedLoop loop;
  Trace trace;
  RecordingSpeechEngine engine(loop, trace);
  const size_t capacity = RecordingSpeechEngine::UtteranceCapacity;
  // Spoken one after the other.
  for (size_t i = 0; i < capacity + 50; ++i) {
    engine.set_Rate(0);
    EXPECT_EQ(engine.Speak("word " + std::to_string(i), SVSFlagsAsync), static_cast<int32_t>(i + 1))
        << "stream numbers go on counting";
    loop.advance(10'000);
  }
  EXPECT_EQ(engine.utterances().size(), capacity);
  EXPECT_EQ(engine.utterances().front().text, "word 50");
  EXPECT_EQ(engine.rate_writes().size(), RecordingSpeechEngine::RateWriteCapacity);

  // Queued faster than spoken: nothing waiting is dropped, and the queue is
  // spoken in order.
  for (size_t i = 0; i < capacity + 10; ++i) engine.Speak("queued " + std::to_string(i), 1);
  ASSERT_NE(engine.speaking(), nullptr);
  EXPECT_EQ(engine.speaking()->text, "queued 0");
  EXPECT_EQ(engine.utterances().front().text, "queued 0");
  EXPECT_EQ(engine.utterances().size(), capacity + 10);
  loop.advance(RecordingSpeechEngine::duration_of("queued 0"));
  EXPECT_EQ(engine.speaking()->text, "queued 1");
  EXPECT_EQ(engine.utterances().size(), capacity + 10) << "only a new Speak call trims";

  engine.Speak("", SVSFPurgeBeforeSpeak);
  EXPECT_EQ(engine.speaking(), nullptr);
  EXPECT_EQ(engine.utterances().size(), capacity);
  EXPECT_TRUE(engine.utterances().back().text.empty());
  EXPECT_TRUE(engine.utterances()[capacity - 2].purged);
  engine.Speak("after", 1);
  EXPECT_EQ(engine.speaking()->text, "after");
}

class LongSessionLogs : public TranslationWindowFixture {};

TEST_F(LongSessionLogs, StayWithinTheirCapacitiesAndEndWithTheLatestEntries) {
  start_ready();
  std::string result;
  for (int i = 0; i < 300; ++i) {
    submit(i % 2 == 0 ? "dog" : "cat");
    settle();
  }
  result = form2().Text3.Text();
  EXPECT_LE(desktop().key_log().size(), SimDesktop::KeyLogCapacity);
  EXPECT_GT(desktop().key_log().total(), SimDesktop::KeyLogCapacity) << "the log did fill";

  const auto& said = system->player_speech();
  EXPECT_EQ(said.size(), SimulatedSystem::PlayerSpeechCapacity);
  EXPECT_GT(said.total(), SimulatedSystem::PlayerSpeechCapacity);
  EXPECT_NE(said.back().text.find("cat"), std::string::npos) << "the last source read";

  ASSERT_FALSE(engine().utterances().empty());
  EXPECT_EQ(engine().utterances().back().text, result) << "the last result spoken";
}

}  // namespace

}  // namespace prevod
