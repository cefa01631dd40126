#include "platform/voice/espeak_speech_engine.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <limits>

#include "base/runtime_error.h"
#include "base/trace.h"
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

struct Engine {
  explicit Engine(std::unique_ptr<AudioSink> sink = std::make_unique<NullSink>())
      : engine(EspeakSynth::acquire(), std::move(sink), "bg") {
    engine.set_observer(log.observer());
  }
  EventLog log;
  EspeakSpeechEngine engine;
};

struct HeldEngine {
  HeldEngine() : engine(std::make_unique<GatedSink>(gate)) {}
  ~HeldEngine() { gate->release(); }
  std::shared_ptr<GateState> gate = std::make_shared<GateState>();
  Engine engine;
};

TEST(EspeakSpeechEngineRate, ReceivesTheNearestWholeNumber) {
  Engine e;
  const std::pair<double, int32_t> cases[] = {
      {47.0 / 10 - 5, 0}, {-0.3, 0},    {0.4, 0},   {0.6, 1}, {-0.6, -1},
      {10.4, 10},         {-10.4, -10}, {9.99, 10}, {3.0, 3}, {-7.2, -7}};
  for (const auto& [written, received] : cases) {
    e.engine.set_Rate(written);
    EXPECT_EQ(e.engine.Rate(), received) << written;
  }
}

TEST(EspeakSpeechEngineRate, TakesHalvesToTheEvenNeighbour) {
  Engine e;
  const std::pair<double, int32_t> cases[] = {{0.5, 0},   {1.5, 2},   {2.5, 2},    {-0.5, 0},
                                              {-2.5, -2}, {10.5, 10}, {-10.5, -10}};
  for (const auto& [written, received] : cases) {
    e.engine.set_Rate(written);
    EXPECT_EQ(e.engine.Rate(), received) << written;
  }
}

TEST(EspeakSpeechEngineRate, RefusesValuesOutsideTheScaleAndKeepsTheOldRate) {
  Engine e;
  e.engine.set_Rate(4);
  const double refused[] = {10.6,
                            -10.6,
                            11,
                            -11,
                            11.5,
                            1e300,
                            std::numeric_limits<double>::quiet_NaN(),
                            std::numeric_limits<double>::infinity()};
  for (const double rate : refused) {
    EXPECT_THROW(e.engine.set_Rate(rate), RuntimeError) << rate;
    EXPECT_EQ(e.engine.Rate(), 4);
  }
  EXPECT_EQ(e.engine.speaker().words_per_minute(), Speaker::words_per_minute_for_rate(4));
}

TEST(EspeakSpeechEngineRate, StartsAtNormalSpeedAndSetsTheSpeakersSpeed) {
  Engine e;
  EXPECT_EQ(e.engine.Rate(), 0);
  EXPECT_EQ(e.engine.speaker().words_per_minute(), 175);
  e.engine.set_Rate(10);
  EXPECT_EQ(e.engine.speaker().words_per_minute(), 350);
  e.engine.set_Rate(-0.3);
  EXPECT_EQ(e.engine.speaker().words_per_minute(), 175);
}

TEST(EspeakSpeechEngineSpeak, NumbersEveryCallsStream) {
  Engine e;
  EXPECT_EQ(e.engine.Speak("Едно.", SVSFlagsAsync), 1);
  EXPECT_EQ(e.engine.Speak("", SVSFPurgeBeforeSpeak), 2);
  EXPECT_EQ(e.engine.Speak("Три.", SVSFlagsAsync), 3);
}

TEST(EspeakSpeechEngineSpeak, AsyncCallsAreBothSpokenInOrder) {
  Engine e;
  e.engine.Speak("Първо.", SVSFlagsAsync);
  e.engine.Speak("Второ.", SVSFlagsAsync);
  ASSERT_TRUE(e.engine.speaker().wait_until_idle(kGenerous));
  EXPECT_EQ(e.log.events(), (std::vector<Heard>{{Event::Started, "Първо."},
                                                {Event::Finished, "Първо."},
                                                {Event::Started, "Второ."},
                                                {Event::Finished, "Второ."}}));
}

TEST(EspeakSpeechEngineSpeak, ASecondTextWaitsBehindTheFirstWithoutCuttingItOff) {
  HeldEngine h;
  h.engine.engine.Speak("Първо, задържано.", SVSFlagsAsync);
  ASSERT_TRUE(h.gate->wait_for_writes(1));
  h.engine.engine.Speak("Второ.", SVSFlagsAsync);
  EXPECT_TRUE(h.engine.engine.speaker().busy());
  h.gate->release();
  ASSERT_TRUE(h.engine.engine.speaker().wait_until_idle(kGenerous));
  EXPECT_EQ(h.engine.log.events(), (std::vector<Heard>{{Event::Started, "Първо, задържано."},
                                                       {Event::Finished, "Първо, задържано."},
                                                       {Event::Started, "Второ."},
                                                       {Event::Finished, "Второ."}}));
}

TEST(EspeakSpeechEngineSpeak, EmptyTextWithPurgeStopsCurrentAndQueuedSpeech) {
  HeldEngine h;
  h.engine.engine.Speak("Първо, задържано.", SVSFlagsAsync);
  ASSERT_TRUE(h.gate->wait_for_writes(1));
  h.engine.engine.Speak("Второ.", SVSFlagsAsync);
  h.engine.engine.Speak("", SVSFPurgeBeforeSpeak);
  h.gate->release();
  ASSERT_TRUE(h.engine.engine.speaker().wait_until_idle(kGenerous));
  EXPECT_EQ(h.engine.log.events(), (std::vector<Heard>{{Event::Started, "Първо, задържано."},
                                                       {Event::Stopped, "Първо, задържано."}}));
}

TEST(EspeakSpeechEngineSpeak, TextWithPurgeReplacesWhatWasBeingSaid) {
  HeldEngine h;
  h.engine.engine.Speak("Първо, задържано.", SVSFlagsAsync);
  ASSERT_TRUE(h.gate->wait_for_writes(1));
  h.engine.engine.Speak("Второ.", SVSFlagsAsync);
  h.engine.engine.Speak("Трето.", SVSFPurgeBeforeSpeak | SVSFlagsAsync);
  h.gate->release();
  ASSERT_TRUE(h.engine.engine.speaker().wait_until_idle(kGenerous));
  EXPECT_EQ(h.engine.log.events(), (std::vector<Heard>{{Event::Started, "Първо, задържано."},
                                                       {Event::Stopped, "Първо, задържано."},
                                                       {Event::Started, "Трето."},
                                                       {Event::Finished, "Трето."}}));
}

TEST(EspeakSpeechEngineSpeak, WithoutTheAsyncFlagItStillOnlyQueues) {
  HeldEngine h;
  h.engine.engine.Speak("Задържано.", 0);
  ASSERT_TRUE(h.gate->wait_for_writes(1));
  // The call returned while the sink still holds the text.
  EXPECT_TRUE(h.engine.engine.speaker().busy());
}

TEST(EspeakSpeechEngineTrace, TracesRateAndSpeakCalls) {
  Trace trace;
  std::vector<std::string> lines;
  trace.set_enabled(true);
  trace.set_sink([&](const std::string& line) { lines.push_back(line); });
  EspeakSpeechEngine engine(EspeakSynth::acquire(), std::make_unique<NullSink>(), "bg", &trace);
  engine.set_Rate(-0.3);
  engine.Speak("Ред\r\nвтори", SVSFlagsAsync);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "speech: Rate = 0");
  EXPECT_EQ(lines[1], "speech: Speak \"Ред  втори\" flags 1 -> stream 1");
}

// The record reads as the console shows it: text, flags, rate, state.
std::vector<std::string> states(const EspeakSpeechEngine& engine) {
  std::vector<std::string> out;
  for (const UtteranceRecord& said : engine.utterances()) {
    out.push_back(said.text + " " + std::to_string(said.flags) + " " + std::to_string(said.rate) +
                  " " + std::string(said.state()));
  }
  return out;
}

TEST(EspeakSpeechEngineRecord, KeepsEachTextWithItsFlagsRateAndTimes) {
  Engine e;
  // Read on the speaker's worker as well.
  std::atomic<int64_t> clock = 500;
  e.engine.set_clock([&clock] { return clock.load(); });
  e.engine.set_Rate(4);
  e.engine.Speak("Първо.", SVSFlagsAsync);
  clock = 700;
  e.engine.set_Rate(-2);
  e.engine.Speak("Второ.", 0);
  ASSERT_TRUE(e.engine.speaker().wait_until_idle(kGenerous));
  EXPECT_EQ(states(e.engine),
            (std::vector<std::string>{"Първо. 1 4 spoken", "Второ. 0 -2 spoken"}));
  const std::vector<UtteranceRecord> said = e.engine.utterances();
  EXPECT_EQ(said[0].queued_at, 500);
  EXPECT_EQ(said[1].queued_at, 700);
  EXPECT_EQ(said[1].started_at, 700);
  EXPECT_EQ(said[1].ended_at, 700);
}

TEST(EspeakSpeechEngineRecord, APurgeMarksTheTextItCutsOffAndThoseItDrops) {
  HeldEngine h;
  EspeakSpeechEngine& engine = h.engine.engine;
  engine.Speak("Задържано.", SVSFlagsAsync);
  ASSERT_TRUE(h.gate->wait_for_writes(1));
  engine.Speak("Чака.", SVSFlagsAsync);
  EXPECT_EQ(states(engine),
            (std::vector<std::string>{"Задържано. 1 0 speaking", "Чака. 1 0 queued"}));
  // The same text again: the news of the one cut off must not reach it.
  engine.Speak("Задържано.", SVSFPurgeBeforeSpeak);
  engine.Speak("", SVSFPurgeBeforeSpeak | SVSFlagsAsync);
  engine.Speak("Задържано.", SVSFlagsAsync);
  h.gate->release();
  ASSERT_TRUE(engine.speaker().wait_until_idle(kGenerous));
  EXPECT_EQ(states(engine), (std::vector<std::string>{"Задържано. 1 0 purged", "Чака. 1 0 purged",
                                                      "Задържано. 2 0 purged", " 3 0 spoken",
                                                      "Задържано. 1 0 spoken"}));
}

TEST(EspeakSpeechEngineRecord, KeepsTheLatestTextsAndEveryTextNotYetOver) {
  HeldEngine h;
  EspeakSpeechEngine& engine = h.engine.engine;
  engine.Speak("Задържано.", SVSFlagsAsync);
  ASSERT_TRUE(h.gate->wait_for_writes(1));
  for (size_t i = 0; i < EspeakSpeechEngine::RecordCapacity + 10; ++i) {
    engine.Speak("", SVSFlagsAsync);
  }
  const std::vector<UtteranceRecord> said = engine.utterances();
  ASSERT_EQ(said.size(), EspeakSpeechEngine::RecordCapacity);
  EXPECT_EQ(said.front().text, "Задържано.") << "the text being spoken stays";
  EXPECT_EQ(said.front().state(), "speaking");
  h.gate->release();
  ASSERT_TRUE(engine.speaker().wait_until_idle(kGenerous));
  EXPECT_EQ(engine.utterances().front().state(), "spoken");
}

}  // namespace

}  // namespace prevod
