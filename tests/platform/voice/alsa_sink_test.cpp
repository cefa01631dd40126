#include "platform/voice/alsa_sink.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

TEST(AlsaSink, AMissingDeviceFoundWhileOpeningIsAlsoReportedOnce) {
  int reports = 0;
  AlsaSink sink(kNoSuchDevice, [&](const std::string&) { ++reports; });
  sink.open(22050);
  sink.write(std::vector<int16_t>(100, 0));
  sink.close();
  sink.open(22050);
  EXPECT_TRUE(sink.device_missing());
  EXPECT_EQ(reports, 1);
}

}  // namespace
