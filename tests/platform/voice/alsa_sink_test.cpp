#include "platform/voice/alsa_sink.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/voice/speaker.h"
#include "voice_test_support.h"

namespace prevod {

namespace {

// A device name no ALSA configuration defines: the sink must treat it as a
// missing sound device.
constexpr const char* kNoSuchDevice = "prevod_no_such_device";

TEST(AlsaSink, AMissingDeviceIsReportedOnceAndThenDiscardsSound) {
  std::vector<std::string> reports;
  AlsaSink sink(kNoSuchDevice, [&](const std::string& why) { reports.push_back(why); });
  EXPECT_FALSE(sink.probe());
  EXPECT_TRUE(sink.device_missing());
  sink.open(22050);
  // A minute of sound would block a real device; a missing one takes it at once.
  const std::vector<int16_t> minute(22050 * 60, 1000);
  sink.write(minute);
  sink.drain();
  sink.stop();
  sink.close();
  EXPECT_FALSE(sink.probe());
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_NE(reports[0].find(kNoSuchDevice), std::string::npos);
}

// ALSA's own "null" device takes sound like a real one and plays it at once,
// so the stream handling runs without a sound card.
constexpr const char* kAlsaNullDevice = "null";

TEST(AlsaSink, PlaysAStreamAgainAfterADrainAStopAndAClose) {
  int reports = 0;
  AlsaSink sink(kAlsaNullDevice, [&](const std::string&) { ++reports; });
  ASSERT_TRUE(sink.probe());
  const std::vector<int16_t> second(22050, 1000);
  sink.open(22050);
  sink.write(second);
  sink.drain();
  sink.write(second);
  sink.stop();
  sink.write(second);
  sink.close();
  sink.open(16000);
  sink.write(second);
  sink.drain();
  sink.close();
  EXPECT_FALSE(sink.device_missing());
  EXPECT_EQ(reports, 0);
}

TEST(AlsaSink, CarriesASpeakersTextsAndPurges) {
  Speaker speaker(EspeakSynth::acquire(), std::make_unique<AlsaSink>(kAlsaNullDevice), "bg");
  voice_test::EventLog log;
  speaker.set_observer(log.observer());
  speaker.speak("Едно.");
  speaker.speak("Две.");
  ASSERT_TRUE(speaker.wait_until_idle(voice_test::kGenerous));
  speaker.speak("Три.");
  speaker.purge();
  speaker.speak("Четири.");
  ASSERT_TRUE(speaker.wait_until_idle(voice_test::kGenerous));
  const auto events = log.events();
  ASSERT_GE(events.size(), 6u);
  EXPECT_EQ(events.back(), (voice_test::Heard{Speaker::Event::Finished, "Четири."}));
}

}  // namespace

}  // namespace prevod
