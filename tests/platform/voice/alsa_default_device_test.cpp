// Speech through ALSA's "default" device, the one a desktop routes to
// PipeWire or PulseAudio: the local engine's Bulgarian reaches it as real
// sound, and a default device that cannot be opened means silence, one
// trace line and no hang.

#include "support/alsa_default_device.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/trace.h"
#include "platform/voice/espeak_engine_factory.h"
#include "platform/voice/espeak_speech_engine.h"
#include "voice_test_support.h"

namespace prevod {

namespace {

using voice_test::kGenerous;
using voice_test::read_wav;
using voice_test::ScratchDirectory;

constexpr const char* kNoDevice = "speech: no sound device, speaking silently";

struct TraceLines {
  TraceLines() {
    trace.set_enabled(true);
    trace.set_sink([this](const std::string& line) { lines.push_back(line); });
  }
  long count(const std::string& line) const { return std::count(lines.begin(), lines.end(), line); }
  Trace trace;
  std::vector<std::string> lines;
};

EspeakSpeechEngine& espeak(const std::shared_ptr<SpeechEngine>& engine) {
  return dynamic_cast<EspeakSpeechEngine&>(*engine);
}

TEST(AlsaDefaultDevice, TheLocalEngineSpeaksBulgarianIntoIt) {
  ScratchDirectory dir;
  const auto wav_path = dir.path() / "default.wav";
  AlsaDefaultDevice device = AlsaDefaultDevice::to_file(dir.path(), wav_path);
  TraceLines t;
  EspeakEngineFactory factory(EspeakEngineFactory::alsa_sinks(), t.trace);
  auto engine = factory.CreateObject("sapi.spvoice");
  engine->Speak("Добър ден, как сте?", SVSFlagsAsync);
  ASSERT_TRUE(espeak(engine).speaker().wait_until_idle(kGenerous));

  EXPECT_EQ(t.count(kNoDevice), 0);
  ASSERT_EQ(espeak(engine).utterances().size(), 1u);
  EXPECT_EQ(espeak(engine).utterances()[0].state(), "spoken");
  const auto wav = read_wav(wav_path);
  EXPECT_TRUE(wav.riff);
  EXPECT_EQ(wav.channels, 1);
  EXPECT_EQ(wav.bits, 16);
  EXPECT_EQ(wav.sample_rate, static_cast<uint32_t>(EspeakSynth::acquire()->sample_rate()));
  // Well over half a second of sound, and not silence.
  EXPECT_GT(wav.samples.size(), wav.sample_rate / 2);
  EXPECT_TRUE(std::any_of(wav.samples.begin(), wav.samples.end(),
                          [](int16_t s) { return s > 1000 || s < -1000; }));
}

TEST(AlsaDefaultDevice, ThatCannotBeOpenedMeansSilenceAndOneTraceLine) {
  ScratchDirectory dir;
  AlsaDefaultDevice device = AlsaDefaultDevice::unopenable(dir.path());
  TraceLines t;
  EspeakEngineFactory factory(EspeakEngineFactory::alsa_sinks(), t.trace);
  auto first = factory.CreateObject("sapi.spvoice");
  auto second = factory.CreateObject("sapi.spvoice");
  first->Speak("Тихо.", SVSFlagsAsync);
  second->Speak("Пак тихо.", SVSFlagsAsync);
  first->Speak("И още.", SVSFlagsAsync);
  // Never a hang: both go quiet well within the limit.
  ASSERT_TRUE(espeak(first).speaker().wait_until_idle(kGenerous));
  ASSERT_TRUE(espeak(second).speaker().wait_until_idle(kGenerous));

  EXPECT_EQ(t.count(kNoDevice), 1);
  EXPECT_EQ(std::count_if(
                t.lines.begin(), t.lines.end(),
                [](const std::string& line) { return line.find("device") != std::string::npos; }),
            1);
  for (const UtteranceRecord& said : espeak(first).utterances()) EXPECT_EQ(said.state(), "spoken");
}

}  // namespace

}  // namespace prevod
