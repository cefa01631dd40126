#include "services/voicereader/speaker_player_voice.h"

#include <gtest/gtest.h>

#include <memory>

#include "base/runtime_error.h"
#include "platform/voice/espeak_synth.h"
#include "platform/voice/null_sink.h"
#include "platform/voice/speaker.h"
#include "services/voicereader/voice_entry.h"

namespace prevod {

namespace {

const VoiceEntry& entry(std::string_view name) {
  return player_voices()[find_voice_by_name(name)];
}

TEST(SpeakerPlayerVoiceCandidates, StartWithTheEntrysOwnLanguageAndEndInEnglish) {
  for (const VoiceEntry& voice : player_voices()) {
    auto candidates = SpeakerPlayerVoice::voice_candidates(voice);
    ASSERT_FALSE(candidates.empty());
    EXPECT_EQ(candidates.front(), voice.language);
    EXPECT_EQ(candidates.back(), "en");
  }
  auto ukrainian = SpeakerPlayerVoice::voice_candidates(entry("Ukrainian"));
  EXPECT_EQ(ukrainian[1], "ru");
  EXPECT_EQ(SpeakerPlayerVoice::voice_candidates(entry("English US")),
            (std::vector<std::string>{"en-us", "en"}));
}

class SpeakerPlayerVoiceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    try {
      synth = EspeakSynth::acquire();
    } catch (const RuntimeError& error) {
      GTEST_SKIP() << "no espeak-ng data: " << error.what();
    }
    auto speaker = std::make_unique<Speaker>(synth, std::make_unique<NullSink>());
    voice = std::make_unique<SpeakerPlayerVoice>(std::move(speaker));
  }

  std::shared_ptr<EspeakSynth> synth;
  std::unique_ptr<SpeakerPlayerVoice> voice;
};

TEST_F(SpeakerPlayerVoiceTest, SpeaksEnglishUsAndRussianWithTheirOwnVoices) {
  voice->speak("", entry("English US"));
  EXPECT_EQ(voice->speaker().voice(), "en-us");
  voice->speak("", entry("Russian"));
  EXPECT_EQ(voice->speaker().voice(), "ru");
}

TEST_F(SpeakerPlayerVoiceTest, EveryEntryFindsAnInstalledVoice) {
  for (const VoiceEntry& e : player_voices()) {
    EXPECT_NO_THROW(voice->speak("", e)) << e.name;
    EXPECT_FALSE(voice->speaker().voice().empty()) << e.name;
  }
}

TEST_F(SpeakerPlayerVoiceTest, GoingAwayWhileSpeakingIsClean) {
  // A replaced player stops and drops its voice in the middle of a text.
  voice->speak("Hello there, this is a longer text to speak.", entry("English UK"));
  voice->speak("A second text restarts the speech.", entry("English UK"));
  voice->stop();
  voice.reset();
  SUCCEED();
}

}  // namespace

}  // namespace prevod
