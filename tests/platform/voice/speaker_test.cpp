#include "platform/voice/speaker.h"

#include <gtest/gtest.h>

#include <thread>

#include "base/runtime_error.h"
#include "platform/voice/null_sink.h"
#include "voice_test_support.h"

namespace prevod {

using voice_test::EventLog;
using voice_test::GatedSink;
using voice_test::GateState;
using voice_test::Heard;
using voice_test::kGenerous;
using Event = Speaker::Event;

namespace {

struct NullSpeaker {
  NullSpeaker(const std::string& voice = "en-us") {
    auto owned = std::make_unique<NullSink>();
    sink = owned.get();
    speaker = std::make_unique<Speaker>(EspeakSynth::acquire(), std::move(owned), voice);
    speaker->set_observer(log.observer());
  }
  EventLog log;
  NullSink* sink = nullptr;
  std::unique_ptr<Speaker> speaker;
};

struct GatedSpeaker {
  GatedSpeaker() {
    speaker = std::make_unique<Speaker>(EspeakSynth::acquire(), std::make_unique<GatedSink>(gate),
                                        "en-us");
    speaker->set_observer(log.observer());
  }
  ~GatedSpeaker() { gate->release(); }
  EventLog log;
  std::shared_ptr<GateState> gate = std::make_shared<GateState>();
  std::unique_ptr<Speaker> speaker;
};

TEST(SpeakerQueue, SpeaksQueuedTextsWholeAndInOrder) {
  NullSpeaker s;
  s.speaker->speak("One.");
  s.speaker->speak("Two.");
  s.speaker->speak("Three.");
  ASSERT_TRUE(s.speaker->wait_until_idle(kGenerous));
  EXPECT_EQ(s.log.events(), (std::vector<Heard>{{Event::Started, "One."},
                                                {Event::Finished, "One."},
                                                {Event::Started, "Two."},
                                                {Event::Finished, "Two."},
                                                {Event::Started, "Three."},
                                                {Event::Finished, "Three."}}));
  EXPECT_GT(s.sink->samples(), 0u);
  EXPECT_EQ(s.sink->sample_rate(), EspeakSynth::acquire()->sample_rate());
  EXPECT_FALSE(s.speaker->busy());
}

TEST(SpeakerQueue, IsBusyFromTheMomentATextIsQueued) {
  GatedSpeaker s;
  EXPECT_FALSE(s.speaker->busy());
  s.speaker->speak("Busy.");
  EXPECT_TRUE(s.speaker->busy());
  s.gate->release();
  ASSERT_TRUE(s.speaker->wait_until_idle(kGenerous));
  EXPECT_FALSE(s.speaker->busy());
}

TEST(SpeakerPurge, CutsOffTheSpokenTextAndDropsTheQueuedOnes) {
  GatedSpeaker s;
  s.speaker->speak("First text, held in the sink.");
  ASSERT_TRUE(s.gate->wait_for_writes(1));
  s.speaker->speak("Second.");
  s.speaker->speak("Third.");
  s.speaker->purge();
  s.gate->release();
  s.speaker->speak("After.");
  ASSERT_TRUE(s.speaker->wait_until_idle(kGenerous));
  EXPECT_EQ(s.log.events(), (std::vector<Heard>{{Event::Started, "First text, held in the sink."},
                                                {Event::Stopped, "First text, held in the sink."},
                                                {Event::Started, "After."},
                                                {Event::Finished, "After."}}));
  std::lock_guard lock(s.gate->mutex);
  EXPECT_EQ(s.gate->stops, 1);
  // The cut text stopped at the piece it was playing.
  EXPECT_EQ(s.gate->drains, 1);
}

TEST(SpeakerPurge, OnAnIdleSpeakerChangesNothing) {
  NullSpeaker s;
  s.speaker->purge();
  s.speaker->speak("Still speaks.");
  ASSERT_TRUE(s.speaker->wait_until_idle(kGenerous));
  EXPECT_EQ(s.log.events().back(), (Heard{Event::Finished, "Still speaks."}));
}

TEST(SpeakerPurge, DestroyingASpeakerInTheMiddleOfATextEndsEveryTextItStarted) {
  auto gate = std::make_shared<GateState>();
  EventLog log;
  auto speaker =
      std::make_unique<Speaker>(EspeakSynth::acquire(), std::make_unique<GatedSink>(gate), "en-us");
  speaker->set_observer(log.observer());
  speaker->speak("Held in the sink while the speaker goes away.");
  speaker->speak("Queued behind it.");
  ASSERT_TRUE(gate->wait_for_writes(1));
  std::thread destroyer([&] { speaker.reset(); });
  gate->release();
  destroyer.join();
  const auto events = log.events();
  ASSERT_FALSE(events.empty());
  ASSERT_EQ(events.size() % 2, 0u);
  for (size_t i = 0; i < events.size(); i += 2) {
    EXPECT_EQ(events[i].first, Event::Started);
    EXPECT_NE(events[i + 1].first, Event::Started);
  }
}

TEST(SpeakerVoice, AcceptsInstalledVoicesAndRefusesOthers) {
  NullSpeaker s("bg");
  EXPECT_EQ(s.speaker->voice(), "bg");
  s.speaker->set_voice("ru");
  EXPECT_EQ(s.speaker->voice(), "ru");
  EXPECT_THROW(s.speaker->set_voice("qq-zz"), RuntimeError);
  EXPECT_EQ(s.speaker->voice(), "ru");
  EXPECT_THROW(Speaker(EspeakSynth::acquire(), std::make_unique<NullSink>(), "qq"), RuntimeError);
}

TEST(SpeakerVoice, TwoSpeakersSpeakTheirOwnTextsInTheirOwnVoices) {
  NullSpeaker english("en-us");
  NullSpeaker bulgarian("bg");
  english.speaker->speak("Good morning.");
  bulgarian.speaker->speak("Добро утро.");
  ASSERT_TRUE(english.speaker->wait_until_idle(kGenerous));
  ASSERT_TRUE(bulgarian.speaker->wait_until_idle(kGenerous));
  EXPECT_EQ(english.log.events().back(), (Heard{Event::Finished, "Good morning."}));
  EXPECT_EQ(bulgarian.log.events().back(), (Heard{Event::Finished, "Добро утро."}));
  EXPECT_GT(english.sink->samples(), 0u);
  EXPECT_GT(bulgarian.sink->samples(), 0u);
}

TEST(SpeakerRate, MapsTheAutomationScaleToWordsPerMinute) {
  EXPECT_EQ(Speaker::words_per_minute_for_rate(0), 175);
  EXPECT_EQ(Speaker::words_per_minute_for_rate(-10), 88);
  EXPECT_EQ(Speaker::words_per_minute_for_rate(10), 350);
  for (int rate = -10; rate < 10; ++rate) {
    EXPECT_LT(Speaker::words_per_minute_for_rate(rate),
              Speaker::words_per_minute_for_rate(rate + 1));
  }
}

TEST(SpeakerRate, RefusesRatesOutsideTheScaleAndKeepsTheOldOne) {
  NullSpeaker s;
  s.speaker->set_rate(5);
  const int before = s.speaker->words_per_minute();
  EXPECT_THROW(s.speaker->set_rate(11), RuntimeError);
  EXPECT_THROW(s.speaker->set_rate(-11), RuntimeError);
  EXPECT_EQ(s.speaker->words_per_minute(), before);
}

TEST(SpeakerRate, ATextQueuedAfterARateChangeIsSpokenFaster) {
  NullSpeaker slow;
  NullSpeaker fast;
  slow.speaker->set_rate(-10);
  fast.speaker->set_rate(10);
  slow.speaker->speak("Speed changes the length of the sound.");
  fast.speaker->speak("Speed changes the length of the sound.");
  ASSERT_TRUE(slow.speaker->wait_until_idle(kGenerous));
  ASSERT_TRUE(fast.speaker->wait_until_idle(kGenerous));
  EXPECT_GT(slow.sink->samples(), fast.sink->samples() * 2);
}

}  // namespace

}  // namespace prevod
