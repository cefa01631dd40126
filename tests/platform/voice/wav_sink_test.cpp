#include "platform/voice/wav_sink.h"

#include <gtest/gtest.h>

#include <vector>

#include "base/runtime_error.h"
#include "voice_test_support.h"

namespace prevod {

using voice_test::read_wav;
using voice_test::ScratchDirectory;

namespace {

TEST(WavSink, AFreshFileIsAValidEmptyWav) {
  ScratchDirectory dir;
  const auto path = dir.path() / "empty.wav";
  WavSink sink(path);
  const auto wav = read_wav(path);
  EXPECT_TRUE(wav.riff);
  EXPECT_EQ(wav.file_size, 44u);
  EXPECT_EQ(wav.data_size, 0u);
  EXPECT_EQ(wav.riff_size, 36u);
}

TEST(WavSink, StoresSamplesLittleEndianAndFixesTheHeaderOnClose) {
  ScratchDirectory dir;
  const auto path = dir.path() / "speech.wav";
  {
    WavSink sink(path);
    sink.open(16000);
    const std::vector<int16_t> samples = {0, 1, -1, 32767, -32768};
    sink.write(samples);
    sink.close();
    const auto wav = read_wav(path);
    EXPECT_TRUE(wav.riff);
    EXPECT_EQ(wav.format, 1);
    EXPECT_EQ(wav.channels, 1);
    EXPECT_EQ(wav.sample_rate, 16000u);
    EXPECT_EQ(wav.byte_rate, 32000u);
    EXPECT_EQ(wav.block_align, 2);
    EXPECT_EQ(wav.bits, 16);
    EXPECT_EQ(wav.data_size, 10u);
    EXPECT_EQ(wav.riff_size, 46u);
    EXPECT_EQ(wav.samples, samples);
  }
}

TEST(WavSink, AppendsLaterStreamsAtTheSameRateAndFixesTheHeaderOnDestruction) {
  ScratchDirectory dir;
  const auto path = dir.path() / "two.wav";
  {
    WavSink sink(path);
    sink.open(22050);
    sink.write(std::vector<int16_t>{1, 2});
    sink.close();
    sink.open(22050);
    sink.write(std::vector<int16_t>{3});
  }
  const auto wav = read_wav(path);
  EXPECT_EQ(wav.data_size, 6u);
  EXPECT_EQ(wav.samples, (std::vector<int16_t>{1, 2, 3}));
}

TEST(WavSink, RefusesASecondRateOnceSoundIsStored) {
  ScratchDirectory dir;
  WavSink sink(dir.path() / "rate.wav");
  sink.open(22050);
  sink.write(std::vector<int16_t>{5});
  EXPECT_THROW(sink.open(16000), RuntimeError);
  EXPECT_EQ(sink.samples(), 1u);
}

TEST(WavSink, AFileThatCannotBeCreatedThrows) {
  ScratchDirectory dir;
  EXPECT_THROW(WavSink(dir.path() / "missing" / "x.wav"), RuntimeError);
}

}  // namespace

}  // namespace prevod
