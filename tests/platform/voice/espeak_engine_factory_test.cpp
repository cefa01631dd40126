#include "platform/voice/espeak_engine_factory.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "base/runtime_error.h"
#include "base/trace.h"
#include "platform/voice/alsa_sink.h"
#include "platform/voice/espeak_speech_engine.h"
#include "voice_test_support.h"

namespace prevod {

using voice_test::kGenerous;
using voice_test::read_wav;
using voice_test::ScratchDirectory;

namespace {

struct TraceLines {
  TraceLines() {
    trace.set_sink([this](const std::string& line) { lines.push_back(line); });
  }
  long count(const std::string& line) const { return std::count(lines.begin(), lines.end(), line); }
  Trace trace;
  std::vector<std::string> lines;
};

constexpr const char* kNoDevice = "speech: no sound device, speaking silently";

EspeakEngineFactory::SinkFactory missing_device_sinks() {
  return [] { return std::make_unique<AlsaSink>("prevod_no_such_device"); };
}

TEST(EspeakEngineFactory, CreatesTheEngineForSapiSpVoiceInAnyCase) {
  TraceLines t;
  EspeakEngineFactory factory(EspeakEngineFactory::null_sinks(), t.trace);
  for (const char* progid : {"sapi.spvoice", "SAPI.SpVoice", "Sapi.SPVOICE"}) {
    auto engine = factory.CreateObject(progid);
    ASSERT_NE(engine, nullptr);
    EXPECT_EQ(engine->Rate(), 0);
  }
}

TEST(EspeakEngineFactory, RefusesOtherIdentifiers) {
  TraceLines t;
  EspeakEngineFactory factory(EspeakEngineFactory::null_sinks(), t.trace);
  for (const char* progid : {"", "sapi", "sapi.spvoice.1", "sapi.spvoicex", "word.application"}) {
    EXPECT_THROW(factory.CreateObject(progid), RuntimeError) << progid;
  }
}

TEST(EspeakEngineFactory, FailsWithoutTheEspeakData) {
  TraceLines t;
  ScratchDirectory empty;
  EspeakEngineFactory factory(EspeakEngineFactory::null_sinks(), t.trace, "bg",
                              empty.path().string());
  EXPECT_THROW(factory.CreateObject("sapi.spvoice"), RuntimeError);
}

TEST(EspeakEngineFactory, FailsWhenItsVoiceIsNotInstalled) {
  TraceLines t;
  EspeakEngineFactory factory(EspeakEngineFactory::null_sinks(), t.trace, "qq-zz");
  EXPECT_THROW(factory.CreateObject("sapi.spvoice"), RuntimeError);
}

TEST(EspeakEngineFactory, WithoutASoundDeviceSpeaksSilentlyAndSaysSoOnce) {
  TraceLines t;
  t.trace.set_enabled(true);
  EspeakEngineFactory factory(missing_device_sinks(), t.trace);
  auto first = factory.CreateObject("sapi.spvoice");
  auto second = factory.CreateObject("sapi.spvoice");
  first->Speak("Тихо.", SVSFlagsAsync);
  auto& engine = dynamic_cast<EspeakSpeechEngine&>(*first);
  EXPECT_TRUE(engine.speaker().wait_until_idle(kGenerous));
  EXPECT_EQ(t.count(kNoDevice), 1);
}

TEST(EspeakEngineFactory, TellsOfTheMissingDeviceOnlyWhileTracing) {
  TraceLines t;
  EspeakEngineFactory factory(missing_device_sinks(), t.trace);
  factory.CreateObject("sapi.spvoice");
  t.trace.set_enabled(true);
  factory.CreateObject("sapi.spvoice");
  EXPECT_EQ(t.count(kNoDevice), 1);
}

TEST(EspeakEngineFactory, SpeaksABulgarianSentenceIntoAWavFile) {
  TraceLines t;
  ScratchDirectory dir;
  const auto path = dir.path() / "bulgarian.wav";
  EspeakEngineFactory factory(EspeakEngineFactory::wav_sinks(path), t.trace);
  auto engine = factory.CreateObject("sapi.spvoice");
  engine->set_Rate(-0.3);
  engine->Speak("Добър ден, как сте?", SVSFlagsAsync);
  ASSERT_TRUE(dynamic_cast<EspeakSpeechEngine&>(*engine).speaker().wait_until_idle(kGenerous));

  const auto wav = read_wav(path);
  EXPECT_TRUE(wav.riff);
  EXPECT_EQ(wav.format, 1);
  EXPECT_EQ(wav.channels, 1);
  EXPECT_EQ(wav.bits, 16);
  EXPECT_EQ(wav.sample_rate, static_cast<uint32_t>(EspeakSynth::acquire()->sample_rate()));
  EXPECT_EQ(wav.data_size, wav.file_size - 44);
  EXPECT_EQ(wav.riff_size, wav.file_size - 8);
  // Well over half a second of sound, and not silence.
  EXPECT_GT(wav.samples.size(), wav.sample_rate / 2);
  EXPECT_TRUE(std::any_of(wav.samples.begin(), wav.samples.end(),
                          [](int16_t s) { return s > 1000 || s < -1000; }));
}

}  // namespace

}  // namespace prevod
