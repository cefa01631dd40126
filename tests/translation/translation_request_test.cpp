// The request Prevedi builds: the direction from the Cyrillic check, the
// language option, the text sent as it stands, the clipboard and the
// speech of the source, and the language options submitting again.

#include <gtest/gtest.h>

#include <string>

#include "translation/translation_window_fixture.h"

namespace prevod {

namespace {

class TranslationRequestTest : public TranslationWindowFixture {
 protected:
  void SetUp() override { start_ready(); }
};

TEST_F(TranslationRequestTest, OneCyrillicLetterAmongEnglishWordsGoesTheCyrillicWay) {
  submit("my котка is grey");
  EXPECT_TRUE(ends_with(last_request(), "/?hl=bg&tab=wT#bg|en| my котка is grey  "))
      << last_request();
}

TEST_F(TranslationRequestTest, ATextWhoseOnlyCyrillicLettersAreYoGoesTheEnglishWay) {
  size_t said = utterance_count();
  submit("ёЁ");
  EXPECT_TRUE(ends_with(last_request(), "#en|bg| ёЁ  ")) << last_request();
  EXPECT_EQ(utterance_count(), said) << "not spoken by the speech engine";
  EXPECT_TRUE(form2().Timer4.Enabled());
}

TEST_F(TranslationRequestTest, BarsHashesAndSpacesAreSentUnescapedInsideTheFragment) {
  submit("a|b #c");
  EXPECT_TRUE(ends_with(last_request(), "/?hl=bg&tab=wT#en|bg| a|b #c  ")) << last_request();
  EXPECT_EQ(clipboard(), " a|b #c  ");

  submit("   ");
  EXPECT_TRUE(ends_with(last_request(), "#en|bg|      "))
      << "only spaces are submitted like any text";
}

TEST_F(TranslationRequestTest, WithRussianChosenACyrillicSourceIsSentAsRussianAndNotSpoken) {
  choose_russian();
  set_bulgarian_option(true);
  ASSERT_EQ(form2().Check3.Value(), 1);
  size_t said = utterance_count();
  submit("кошка");
  EXPECT_TRUE(ends_with(last_request(), "#ru|en| кошка  ")) << last_request();
  EXPECT_EQ(utterance_count(), said);

  submit("cat");
  EXPECT_TRUE(ends_with(last_request(), "#en|ru| cat  ")) << last_request();
}

TEST_F(TranslationRequestTest, ChoosingALanguageSubmitsTheInputAgain) {
  Form2& f2 = form2();
  act([&] { f2.Text1.set_Text("cat"); });
  size_t sent = requests().size();

  choose_russian();
  EXPECT_EQ(f2.Check3.Value(), 0) << "the Bulgarian speech goes off with Russian";
  EXPECT_FALSE(f2.Picture19.Visible());
  EXPECT_TRUE(f2.Picture22.Visible());
  auto all = requests();
  ASSERT_EQ(all.size(), sent + 2);
  EXPECT_TRUE(ends_with(all[sent], "#en|ru|   "));
  EXPECT_TRUE(ends_with(all[sent + 1], "#en|ru| cat  "));

  act([&] { f2.Option1.set_Value(true); });
  EXPECT_FALSE(f2.Option2.Value());
  all = requests();
  ASSERT_EQ(all.size(), sent + 4);
  EXPECT_TRUE(ends_with(all[sent + 3], "#en|bg| cat  "));
  EXPECT_EQ(f2.Check3.Value(), 0) << "Bulgarian does not switch its speech back on";
}

TEST_F(TranslationRequestTest, ARequestInFlightIsReplacedAndReadOnce) {
  Form2& f2 = form2();
  submit("cat");
  advance(1000);
  submit("dog");
  int64_t second = now();
  ASSERT_TRUE(run_until([&] { return !f2.Text3.Text().empty(); }, 3000));
  EXPECT_EQ(now(), second + 2000) << "the read comes two seconds after the latest request";
  EXPECT_EQ(f2.Text3.Text(), translation_of("en|bg| dog  "));
  EXPECT_FALSE(f2.Timer2.Enabled()) << "one read for both";
}

TEST_F(TranslationRequestTest, TheSourceIsOnTheClipboardAfterEveryRequest) {
  submit("котка");
  EXPECT_EQ(clipboard(), " котка  ");
  EXPECT_EQ(form2().IgnoreClipboardOnce, 1);
  EXPECT_EQ(form2().Text1ClickSeen, 0);
}

TEST_F(TranslationRequestTest, AHeldClipboardDoesNotStopTheRequest) {
  desktop().sim_clipboard().set_held(true);
  size_t said = utterance_count();
  submit("котка");
  EXPECT_TRUE(ends_with(last_request(), "#bg|en| котка  "));
  EXPECT_EQ(utterance_count(), said + 1) << "the source is still spoken";
  EXPECT_TRUE(form2().Timer2.Enabled());
  desktop().sim_clipboard().set_held(false);
}

}  // namespace

}  // namespace prevod
