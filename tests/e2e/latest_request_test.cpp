// Requests that overlap: a request made while an earlier one's read or
// readings are still pending ends with the latest request's result shown and
// spoken, the translate button's source reading follows the direction of the
// text it really submits, and a reading whose result has been replaced
// neither touches the clipboard nor reads.

#include <gtest/gtest.h>

#include <string>

#include "platform/keys.h"
#include "translation/translation_window_fixture.h"

namespace prevod {

namespace {

class LatestRequest : public TranslationWindowFixture {
 protected:
  void SetUp() override { start_ready(); }

  // Whether the local engine was asked to say `text` from `since` on.
  bool engine_said(const std::string& text, int64_t since) {
    for (const auto& u : engine().utterances()) {
      if (u.queued_at >= since && u.text == text) return true;
    }
    return false;
  }
  // Whether the player said anything containing `text` from `since` on,
  // in any voice.
  bool player_said_any(const std::string& text, int64_t since) const {
    for (const auto& said : system->player_speech()) {
      if (said.at >= since && !said.voice.empty() && said.text.find(text) != std::string::npos)
        return true;
    }
    return false;
  }
};

TEST_F(LatestRequest, ARequestMadeWhileTheReadIsPendingShowsAndSpeaksTheLatestResult) {
  Form2& f2 = form2();
  const std::string dog = translation_of("en|bg| dog  ");
  const std::string cat = translation_of("en|bg| cat  ");
  ASSERT_FALSE(dog.empty());
  ASSERT_FALSE(cat.empty());
  ASSERT_NE(dog, cat);

  submit("dog");
  const int64_t first = now();
  advance(1900);
  submit("cat");
  const int64_t latest = now();

  // The earlier request's read is given up: the one read comes 2 s after
  // the latest request, when the page shows its result.
  advance(first + 2000 - now());
  EXPECT_EQ(f2.Text3.Text(), "") << "nothing is read 2 s after the superseded request";
  advance(latest + 1999 - now());
  EXPECT_EQ(f2.Text3.Text(), "");
  advance(1);
  EXPECT_EQ(f2.Text3.Text(), cat);
  EXPECT_FALSE(f2.Timer2.Enabled()) << "one read";

  settle();
  EXPECT_EQ(f2.Text3.Text(), cat) << "and it stays";
  EXPECT_TRUE(engine_said(cat, latest)) << "the latest result is what is spoken";
  EXPECT_FALSE(engine_said(dog, first));
}

TEST_F(LatestRequest, QuickRequestsAreReadOnceTwoSecondsAfterTheLast) {
  Form2& f2 = form2();
  submit("dog");
  advance(1000);
  submit("cat");
  advance(800);
  submit("house");
  const int64_t latest = now();
  advance(1999);
  EXPECT_EQ(f2.Text3.Text(), "");
  advance(1);
  EXPECT_EQ(now(), latest + 2000);
  EXPECT_EQ(f2.Text3.Text(), translation_of("en|bg| house  "));
}

// The translate button submits three spaces before the text itself; the
// source reading must follow the text's own direction.
struct ButtonRow {
  const char* name;
  bool russian;          // Option2 selected
  const char* source;    // in Text1
  const char* fragment;  // the real request
  bool source_by_engine;
  bool source_by_reader;  // in English US
  const char* result_voice;
};

const ButtonRow ButtonTable[] = {
    {"EnglishToBulgarian", false, "dog", "en|bg| dog  ", false, true, nullptr},
    {"BulgarianToEnglish", false, "котка", "bg|en| котка  ", true, false, "English US"},
    {"EnglishToRussian", true, "dog", "en|ru| dog  ", false, true, "Russian"},
    {"RussianToEnglish", true, "собака", "ru|en| собака  ", false, false, "English US"},
};

class TranslateButton : public LatestRequest, public ::testing::WithParamInterface<ButtonRow> {};

TEST_P(TranslateButton, ReadsTheSourceAsItsOwnDirectionSays) {
  const ButtonRow& row = GetParam();
  Form2& f2 = form2();
  if (row.russian) {
    choose_russian();
    set_bulgarian_option(true);
    settle();
  }
  ASSERT_EQ(f2.Check2.Value(), 1);
  ASSERT_EQ(f2.Check3.Value(), 1);
  click(f2.Text1);
  key(vk::A, false, true);
  type(row.source);
  const int64_t t0 = now();
  click(f2.Label10);
  EXPECT_TRUE(ends_with(last_request(), std::string("#") + row.fragment)) << last_request();
  EXPECT_EQ(f2.Timer4.Enabled(), row.source_by_reader);
  EXPECT_EQ(engine_said(f2.Text4.Text(), t0), row.source_by_engine);

  settle();
  const std::string result = translation_of(row.fragment);
  ASSERT_FALSE(result.empty());
  ASSERT_NE(cyrillic(result), cyrillic(row.source)) << "a real translation: " << result;
  EXPECT_EQ(f2.Text3.Text(), result);
  if (row.source_by_reader) {
    EXPECT_TRUE(player_said("English US", row.source, t0)) << system->describe_player_speech();
  } else {
    EXPECT_FALSE(player_said_any(row.source, t0))
        << "the source is not read by the voice reader: " << system->describe_player_speech();
  }
  if (row.result_voice != nullptr) {
    EXPECT_TRUE(run_until([&] { return player_said(row.result_voice, result, t0); }, 8000))
        << system->describe_player_speech();
  }
}

TEST_P(TranslateButton, ThePictureUnderTheButtonDoesTheSame) {
  const ButtonRow& row = GetParam();
  Form2& f2 = form2();
  if (row.russian) choose_russian();
  act([&] { f2.Text1.set_Text(row.source); });
  click(f2.Picture16);
  EXPECT_TRUE(ends_with(last_request(), std::string("#") + row.fragment)) << last_request();
  EXPECT_EQ(f2.Timer4.Enabled(), row.source_by_reader && f2.Check2.Value() == 1);
}

INSTANTIATE_TEST_SUITE_P(Directions, TranslateButton, ::testing::ValuesIn(ButtonTable),
                         [](const ::testing::TestParamInfo<ButtonRow>& info) {
                           return std::string(info.param.name);
                         });

TEST_F(LatestRequest, AReadingWhoseResultWasReplacedLeavesTheClipboardAndReadsNothing) {
  Form2& f2 = form2();
  submit("котка");
  advance(2000);
  ASSERT_TRUE(f2.Timer9.Enabled()) << "the English result waits for its reading";
  const int64_t reading_due = f2.Timer9.next_tick();

  advance(500);
  submit("dog");
  const int64_t second = now();
  ASSERT_EQ(f2.Text3.Text(), "") << "Enter empties the result box";
  // Let the new request's own source reading (Timer4, then the speech
  // window's speak sequence) run out before the old reading falls due.
  advance(reading_due - 1 - now());
  ASSERT_EQ(clipboard(), " dog  ");
  const int16_t skip_before = f2.IgnoreClipboardOnce;

  advance(1);
  EXPECT_FALSE(f2.Timer9.Enabled());
  EXPECT_EQ(clipboard(), " dog  ") << "the clipboard keeps the new source";
  EXPECT_EQ(f2.IgnoreClipboardOnce, skip_before) << "nothing of ours went onto the clipboard";
  EXPECT_FALSE(form1().Timer6.Enabled()) << "nothing is handed to the voice reader";

  // The new request's own result is read and spoken as usual.
  advance(second + 2000 - now());
  EXPECT_EQ(f2.Text3.Text(), translation_of("en|bg| dog  "));
}

TEST_F(LatestRequest, ALongReadingOutlivedByTheNextResultDoesNotReadThatResult) {
  Form2& f2 = form2();
  // Twenty words keep the English result's reading waiting for 1500 +
  // (Len - 10) * 70 ms, longer than the next request takes.
  std::string source;
  for (int i = 0; i < 20; ++i) source += "котка ";
  submit(source);
  advance(2000);
  ASSERT_TRUE(f2.Timer9.Enabled());
  ASSERT_FALSE(cyrillic(f2.Text3.Text()));
  const int64_t reading_due = f2.Timer9.next_tick();
  ASSERT_GT(reading_due, now() + 3000);

  submit("dog");
  advance(2000);
  const std::string bulgarian = translation_of("en|bg| dog  ");
  ASSERT_EQ(f2.Text3.Text(), bulgarian);
  ASSERT_TRUE(f2.Timer9.Enabled()) << "still pending from the earlier result";
  const int64_t asked = now();
  advance(reading_due - now());
  EXPECT_FALSE(form1().Timer8.Enabled()) << "the player is not switched to Russian";
  settle();
  EXPECT_FALSE(player_said("Russian", bulgarian, asked)) << system->describe_player_speech();
}

TEST_F(LatestRequest, AReadingWhoseResultStandsStillReadsIt) {
  Form2& f2 = form2();
  submit("котка");
  advance(2000);
  const std::string result = f2.Text3.Text();
  ASSERT_TRUE(f2.Timer9.Enabled());
  advance(f2.Timer9.Interval());
  EXPECT_EQ(clipboard(), result);
  EXPECT_TRUE(form1().Timer6.Enabled());
}

}  // namespace

}  // namespace prevod
