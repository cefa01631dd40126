#include "platform/voice/espeak_synth.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <future>
#include <vector>

#include "base/runtime_error.h"
#include "voice_test_support.h"

namespace prevod {

using voice_test::ScratchDirectory;

namespace {

bool has_sound(const std::vector<int16_t>& samples) {
  return std::any_of(samples.begin(), samples.end(), [](int16_t s) { return s != 0; });
}

struct JobResult {
  EspeakSynth::Outcome outcome = EspeakSynth::Outcome::Failed;
  int pieces = 0;
};

JobResult run_job(EspeakSynth& synth, EspeakSynth::Job job) {
  auto result = std::make_shared<JobResult>();
  std::promise<void> done;
  auto consumer = std::move(job.on_samples);
  job.on_samples = [result, consumer](std::span<const int16_t> piece) {
    ++result->pieces;
    return consumer ? consumer(piece) : true;
  };
  job.on_done = [result, &done](EspeakSynth::Outcome outcome) {
    result->outcome = outcome;
    done.set_value();
  };
  synth.submit(std::move(job));
  EXPECT_EQ(done.get_future().wait_for(voice_test::kGenerous), std::future_status::ready);
  return *result;
}

TEST(EspeakSynth, IsSharedByEveryoneWhoAcquiresIt) {
  auto first = EspeakSynth::acquire();
  auto second = EspeakSynth::acquire();
  EXPECT_EQ(first, second);
  EXPECT_GT(first->sample_rate(), 0);
}

TEST(EspeakSynth, SynthesisesABulgarianSentence) {
  auto synth = EspeakSynth::acquire();
  const auto voice = synth->resolve_voice("bg");
  ASSERT_TRUE(voice);
  const auto samples = synth->synthesize("Добър ден.", *voice, 175);
  // More than a fifth of a second of sound, not silence.
  EXPECT_GT(samples.size(), static_cast<size_t>(synth->sample_rate() / 5));
  EXPECT_TRUE(has_sound(samples));
}

TEST(EspeakSynth, AFasterRateGivesShorterSound) {
  auto synth = EspeakSynth::acquire();
  const auto voice = *synth->resolve_voice("en-us");
  const std::string text = "The quick brown fox jumps over the lazy dog.";
  const auto slow = synth->synthesize(text, voice, 88);
  const auto fast = synth->synthesize(text, voice, 350);
  EXPECT_GT(slow.size(), fast.size() * 2);
}

TEST(EspeakSynth, ResolvesLanguagesNamesAndIdentifiersToInstalledVoices) {
  auto synth = EspeakSynth::acquire();
  for (const char* name : {"bg", "BG", "Bulgarian", "en-us", "ru", "uk", "en", "en-gb"}) {
    EXPECT_TRUE(synth->resolve_voice(name)) << name;
  }
  EXPECT_EQ(synth->resolve_voice("bg"), synth->resolve_voice("Bulgarian"));
  EXPECT_EQ(synth->resolve_voice("bg"), synth->resolve_voice(*synth->resolve_voice("bg")));
  EXPECT_NE(synth->resolve_voice("en-us"), synth->resolve_voice("ru"));
}

TEST(EspeakSynth, FallsBackFromAnUninstalledDialectToItsLanguage) {
  auto synth = EspeakSynth::acquire();
  EXPECT_EQ(synth->resolve_voice("bg-xx-nowhere"), synth->resolve_voice("bg"));
  EXPECT_FALSE(synth->resolve_voice("qq-zz"));
  EXPECT_FALSE(synth->resolve_voice(""));
}

TEST(EspeakSynth, AConsumerCanAbandonATextAfterItsFirstPiece) {
  auto synth = EspeakSynth::acquire();
  EspeakSynth::Job job;
  job.text = "A rather long sentence that would give many pieces of sound if it were left to run.";
  job.voice = *synth->resolve_voice("en-us");
  job.on_samples = [](std::span<const int16_t>) { return false; };
  const JobResult result = run_job(*synth, std::move(job));
  EXPECT_EQ(result.outcome, EspeakSynth::Outcome::Abandoned);
  EXPECT_EQ(result.pieces, 1);
}

TEST(EspeakSynth, AJobNoLongerWantedIsSkipped) {
  auto synth = EspeakSynth::acquire();
  EspeakSynth::Job job;
  job.text = "Skipped.";
  job.voice = *synth->resolve_voice("en-us");
  job.wanted = [] { return false; };
  const JobResult result = run_job(*synth, std::move(job));
  EXPECT_EQ(result.outcome, EspeakSynth::Outcome::Abandoned);
  EXPECT_EQ(result.pieces, 0);
}

TEST(EspeakSynth, AnUnknownVoiceFailsTheJobAndTheNextJobStillSpeaks) {
  auto synth = EspeakSynth::acquire();
  EspeakSynth::Job job;
  job.text = "Nothing.";
  job.voice = "no/such-voice";
  EXPECT_EQ(run_job(*synth, std::move(job)).outcome, EspeakSynth::Outcome::Failed);
  EXPECT_TRUE(has_sound(synth->synthesize("Hello.", *synth->resolve_voice("en-us"), 175)));
}

TEST(EspeakSynth, AbandonedSynthesisLeavesTheNextTextWhole) {
  auto synth = EspeakSynth::acquire();
  const auto voice = *synth->resolve_voice("bg");
  const size_t before = synth->synthesize("Здравей.", voice, 175).size();
  EspeakSynth::Job job;
  job.text = "Едно дълго изречение, което бива прекъснато след първото парче звук.";
  job.voice = voice;
  job.on_samples = [](std::span<const int16_t>) { return false; };
  run_job(*synth, std::move(job));
  // Nothing of the abandoned text comes out with the next one. (espeak-ng
  // varies its sound slightly from run to run, so lengths are compared.)
  const size_t after = synth->synthesize("Здравей.", voice, 175).size();
  EXPECT_LT(after, before + before / 10);
  EXPECT_GT(after, before - before / 10);
}

TEST(EspeakSynth, OddTextGivesNoCrash) {
  auto synth = EspeakSynth::acquire();
  const auto voice = *synth->resolve_voice("bg");
  const std::string invalid_utf8 = "\xD0\x94\xFF\xFE\xC3 \x80 край";
  const std::string controls = std::string("a\0b\x01\x07\x1B[0m\t\r\n", 12);
  for (const std::string& text :
       {invalid_utf8, controls, std::string("<speak><b>не</b></speak> & &amp;"), std::string(" "),
        std::string(2000, '.')}) {
    synth->synthesize(text, voice, 175);
  }
  EXPECT_TRUE(has_sound(synth->synthesize("Край.", voice, 175)));
}

TEST(EspeakSynth, AnEmptyDataDirectoryFailsCreation) {
  ScratchDirectory empty;
  EXPECT_THROW(EspeakSynth::acquire(empty.path().string()), RuntimeError);
}

TEST(EspeakSynth, AMissingDataDirectoryFailsCreationRatherThanFallingBack) {
  ScratchDirectory dir;
  EXPECT_THROW(EspeakSynth::acquire((dir.path() / "missing").string()), RuntimeError);
  // The failures leave the process's synthesiser working.
  auto synth = EspeakSynth::acquire();
  EXPECT_TRUE(has_sound(synth->synthesize("Yes.", *synth->resolve_voice("en"), 175)));
}

}  // namespace

}  // namespace prevod
