// The translation window end to end on the simulated desktop: the reveal and
// the warm-up, typed, Cyrillic and copied requests, the speech that follows
// a translation, the result's speech delay, the working box's limits, the
// panels and close controls, the local speech engine and the read buttons.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "base/headword_marker.h"
#include "base/text.h"
#include "platform/keys.h"
#include "translation/recording_site.h"
#include "translation/translation_window_fixture.h"

namespace prevod {

namespace {

using TranslationWindowTest = TranslationWindowFixture;

// ---------------------------------------------------------------------------
// Reveal and warm-up.

class TranslationWindowStartup : public TranslationWindowTest {};

TEST_F(TranslationWindowStartup, RevealsCentredAtCompactHeightAndTranslatesHelloThreeSecondsLater) {
  start();
  ASSERT_TRUE(run_until([&] { return form2().Timer0.Enabled(); }, 30000));
  EXPECT_EQ(shared().VoiceReaderReady, 1);
  Form2& f2 = form2();
  EXPECT_TRUE(f2.image1.Visible());

  advance(1999);
  EXPECT_TRUE(f2.image1.Visible()) << "Timer0 runs 2000 ms after it is enabled";
  advance(1);
  EXPECT_FALSE(f2.image1.Visible());
  EXPECT_FALSE(f2.Timer0.Enabled());
  EXPECT_EQ(f2.Height(), CompactHeight);
  EXPECT_EQ(form1().Height(), 3400);
  EXPECT_EQ(f2.Left(), ScreenWidthTwips / 2 - 7305 / 2.0f);
  EXPECT_EQ(f2.Top(), ScreenHeightTwips / 2 - CompactHeight / 2)
      << "centred with the compact height";
  EXPECT_TRUE(f2.Picture16.Visible());
  EXPECT_TRUE(f2.Picture10.Visible());
  EXPECT_EQ(f2.WebBrowser3.Left(), -f2.WebBrowser3.Width());
  EXPECT_TRUE(f2.Timer1.Enabled());

  // The three Tabs and the Enter leave the home page for the translation page.
  advance(200);
  EXPECT_NE(f2.WebBrowser3.LocationURL().find("tab=wT"), std::string::npos)
      << f2.WebBrowser3.LocationURL();

  advance(2800);
  EXPECT_EQ(f2.Text1.Text(), "Hello!");
  EXPECT_TRUE(f2.Text1.Visible());
  EXPECT_EQ(f2.Text4.Text(), " Hello!  ");
  EXPECT_EQ(form1().Left(), f2.Left());
  EXPECT_EQ(form1().Top(), f2.Top());
  EXPECT_TRUE(ends_with(last_request(), "#en|bg| Hello!  ")) << last_request();

  advance(2000);
  std::string expected = translation_of("en|bg| Hello!  ");
  EXPECT_TRUE(cyrillic(expected)) << expected;
  EXPECT_EQ(f2.Text3.Text(), expected);
  EXPECT_TRUE(f2.Text3.Visible());
  EXPECT_FALSE(f2.Timer10.Enabled()) << "the first read stops the progress bar";
}

TEST_F(TranslationWindowStartup, WithoutAHomeDocumentTheRevealWaitsUntilThePageCanBeQueried) {
  SimulatedSystem::Options options;
  options.config.TranslationHome = "http://slowhome.localhost/";
  boot(options, false);
  auto slow = std::make_shared<RecordingSite>(TranslatorSite::home_page_html(), 40000);
  system->sites.add("slowhome.localhost", slow);
  watch_navigations();
  system->start();
  system->loop.run_pending();

  ASSERT_TRUE(run_until([&] { return form2().Timer0.Enabled(); }, 30000));
  ASSERT_LT(now(), 38000) << "the voice reader is ready before the home page";
  advance(2000);
  EXPECT_TRUE(form2().Timer0.Enabled()) << "still waiting for a document";
  EXPECT_TRUE(form2().image1.Visible());
  EXPECT_FALSE(form2().Timer1.Enabled()) << "no warm-up before the page can be queried";

  ASSERT_TRUE(run_until([&] { return !form2().image1.Visible(); }, 60000));
  EXPECT_GE(now(), 40000) << "revealed only once the home page is in place";
  EXPECT_FALSE(form2().Timer0.Enabled());
  EXPECT_TRUE(form2().Timer1.Enabled());
  EXPECT_EQ(form2().Height(), CompactHeight);

  advance(3000 + 2000 + 100);
  EXPECT_EQ(form2().Text3.Text(), translation_of("en|bg| Hello!  "))
      << "the warm-up translates once revealed";
}

TEST_F(TranslationWindowStartup, EveryGbarDivIsFocusedAndClickedInDocumentOrder) {
  SimulatedSystem::Options options;
  options.config.TranslationHome = "http://gbars.localhost/";
  boot(options, false);
  auto gbars = std::make_shared<RecordingSite>(
      "<html><body>"
      "<a href=\"#first\"><div id=\"gbar\">one</div></a>"
      "<a href=\"#upper\"><div id=\"GBAR\">not this one: the id is compared exactly</div></a>"
      "<a href=\"#second\"><div id=\"gbar\">two</div></a>"
      "<a href=\"#t1\">1</a> <a href=\"#t2\">2</a> <a href=\"#t3\">3</a> <a href=\"#t4\">4</a>"
      "</body></html>",
      50);
  system->sites.add("gbars.localhost", gbars);
  watch_navigations();
  system->start();
  system->loop.run_pending();

  ASSERT_TRUE(run_until([&] { return !form2().image1.Visible(); }, 30000));
  advance(100);
  // Both bars clicked in order; the Tabs then start from the second bar, so
  // the Enter follows the third link after it.
  EXPECT_EQ(gbars->fragments, (std::vector<std::string>{"first", "second", "t3"}));
}

// ---------------------------------------------------------------------------
// Typed requests.

class TranslationWindowRequest : public TranslationWindowTest {};

TEST_F(TranslationWindowRequest, TypedHelloGoesToTheVoiceReaderAndComesBackInBulgarian) {
  start_ready();
  Form2& f2 = form2();
  act([&] { f2.Text3.set_Text("old result"); });
  desktop().clear_key_log();
  size_t sent = requests().size();

  submit("Hello!");
  int64_t t0 = now();
  EXPECT_EQ(f2.Text3.Text(), "") << "Text3 empties at once";
  EXPECT_EQ(f2.Text4.Text(), " Hello!  ");
  EXPECT_EQ(requests().size(), sent + 1);
  EXPECT_TRUE(ends_with(last_request(), "/?hl=bg&tab=wT#en|bg| Hello!  ")) << last_request();
  EXPECT_EQ(last_request().rfind(system->config.TranslationBase, 0), 0u);
  EXPECT_EQ(clipboard(), " Hello!  ");
  EXPECT_EQ(f2.IgnoreClipboardOnce, 1);
  // The Enter is not consumed: the box breaks the line, then End is pressed.
  EXPECT_EQ(f2.Text1.Text(), "Hello!\r\n");
  const auto& keys = desktop().key_log();
  ASSERT_GE(keys.size(), 2u);
  EXPECT_EQ(keys[keys.size() - 2].code, vk::END);
  EXPECT_EQ(keys[keys.size() - 2].flags & KEYEVENTF_KEYUP, 0u);
  EXPECT_EQ(keys.back().code, vk::END);
  EXPECT_NE(keys.back().flags & KEYEVENTF_KEYUP, 0u);

  advance(299);
  EXPECT_FALSE(form1().Timer6.Enabled());
  advance(1);
  EXPECT_TRUE(form1().Timer6.Enabled()) << "Timer4 hands the English source to the voice reader";

  advance(2000 - 300 - 1);
  EXPECT_EQ(f2.Text3.Text(), "");
  advance(1);
  EXPECT_EQ(now(), t0 + 2000);
  std::string expected = translation_of("en|bg| Hello!  ");
  EXPECT_EQ(f2.Text3.Text(), expected);
  EXPECT_TRUE(f2.Timer8.Enabled());
  EXPECT_EQ(f2.Timer8.Interval(), 1430) << "1500 + (9 - 10) * 70";
  EXPECT_EQ(f2.Timer8.next_tick(), now() + 1430);
  EXPECT_FALSE(f2.Timer9.Enabled()) << "a Bulgarian result is not read by the voice reader";

  size_t said = utterance_count();
  advance(1430);
  ASSERT_EQ(utterance_count(), said + 1);
  EXPECT_EQ(engine().utterances().back().text, expected);
}

TEST_F(TranslationWindowRequest,
       CyrillicSourceIsSpokenAtOnceAndItsEnglishResultGoesToTheVoiceReader) {
  start_ready();
  Form2& f2 = form2();
  size_t said = utterance_count();

  submit("котка");
  int64_t t0 = now();
  EXPECT_TRUE(ends_with(last_request(), "/?hl=bg&tab=wT#bg|en| котка  ")) << last_request();
  ASSERT_EQ(utterance_count(), said + 1);
  EXPECT_EQ(engine().utterances().back().text, " котка  ");
  EXPECT_EQ(engine().utterances().back().queued_at, t0);
  EXPECT_FALSE(f2.Timer4.Enabled()) << "a Cyrillic source is not handed to the voice reader";

  advance(2000);
  std::string expected = translation_of("bg|en| котка  ");
  ASSERT_FALSE(expected.empty());
  EXPECT_FALSE(cyrillic(expected)) << expected;
  EXPECT_EQ(f2.Text3.Text(), expected);
  // Len(" котка  ") = 8: 1500 + (8 - 10) * 70.
  EXPECT_TRUE(f2.Timer9.Enabled());
  EXPECT_EQ(f2.Timer9.Interval(), 1360);
  EXPECT_TRUE(f2.Timer8.Enabled()) << "the Bulgarian reading does not look at the direction";

  advance(1359);
  EXPECT_FALSE(form1().Timer6.Enabled());
  advance(1);
  EXPECT_EQ(clipboard(), expected) << "Timer9 puts the result on the clipboard";
  EXPECT_EQ(f2.IgnoreClipboardOnce, 1);
  EXPECT_TRUE(form1().Timer6.Enabled()) << "Command7_Click has the voice reader read it";
  EXPECT_EQ(form1().Timer6.Interval(), 100) << "the reader is already English";
  EXPECT_FALSE(form1().Timer8.Enabled());
  EXPECT_EQ(utterance_count(), said + 1) << "Timer8 found no Cyrillic in the English result";

  ASSERT_TRUE(run_until(
      [&] {
        for (const auto& spoken : system->player_speech()) {
          if (spoken.at > t0 && spoken.text.find(expected) != std::string::npos) return true;
        }
        return false;
      },
      5000))
      << system->describe_player_speech();
}

TEST_F(TranslationWindowRequest, AnInflectedWordIsTranslatedThroughItsDictionaryForm) {
  start_ready();
  Form2& f2 = form2();
  submit("котките");
  advance(2000);
  EXPECT_EQ(f2.Text3.Text(), "cat ⟨котка⟩");
  settle();
  submit("cats");
  advance(2000);
  EXPECT_EQ(f2.Text3.Text(), "котка ⟨cat⟩");
  settle();
  submit("aridity");
  advance(2000);
  EXPECT_EQ(f2.Text3.Text(), translation_of("en|bg| arid  ") + " ⟨arid⟩");
}

TEST_F(TranslationWindowRequest, WithoutHunspellDictionariesWordsAreLookedUpAsWrittenAndTraced) {
  SimulatedSystem::Options options;
  options.config.HunspellDirectory = "/nonexistent/hunspell";
  start_ready(options);
  std::vector<std::string> notices;
  system->trace.set_sink([&](const std::string& line) {
    if (line.find("hunspell") != std::string::npos) notices.push_back(line);
  });
  submit("cats");
  advance(2000);
  EXPECT_EQ(form2().Text3.Text(), "cats");
  settle();
  submit("dogs");
  advance(2000);
  EXPECT_EQ(form2().Text3.Text(), "dogs");
  submit("cat");
  advance(2000);
  EXPECT_EQ(form2().Text3.Text(), translation_of("en|bg| cat  "));
  EXPECT_EQ(notices.size(), 1u) << "one line, not one per word";
}

TEST_F(TranslationWindowRequest, TheWorkingBoxKeepsASpaceAndTheFirst248CharactersOfALongText) {
  start_ready();
  Form2& f2 = form2();
  std::string long_text;
  for (int i = 0; i < 300; ++i) long_text += static_cast<char>('a' + i % 26);
  act([&] { f2.Text1.set_Text(long_text); });
  click(f2.Picture16);
  EXPECT_EQ(f2.Text4.Text(), " " + long_text.substr(0, 248));
  EXPECT_EQ(f2.Text1.Text(), long_text.substr(0, 249));
  EXPECT_TRUE(ends_with(last_request(), "|" + f2.Text4.Text()));
}

TEST_F(TranslationWindowRequest, TheTranslateButtonFirstSubmitsThreeSpacesThenTheInput) {
  start_ready();
  Form2& f2 = form2();
  act([&] { f2.Text1.set_Text("Hello!"); });
  size_t sent = requests().size();
  click(f2.Picture16);
  auto all = requests();
  ASSERT_EQ(all.size(), sent + 2);
  EXPECT_TRUE(ends_with(all[sent], "#en|bg|   ")) << all[sent];
  EXPECT_TRUE(ends_with(all[sent + 1], "#en|bg| Hello!  ")) << all[sent + 1];

  act([&] { f2.Text4.set_Text(""); });
  EXPECT_EQ(f2.Text4.Text(), "   ") << "an emptied working box submits three spaces";
  EXPECT_TRUE(ends_with(last_request(), "#en|bg|   "));
  EXPECT_EQ(requests().size(), sent + 3);
}

TEST_F(TranslationWindowRequest, EnterTwiceSendsTwoRequests) {
  start_ready();
  Form2& f2 = form2();
  size_t sent = requests().size();
  submit("Hello!");
  key(vk::RETURN);
  auto all = requests();
  ASSERT_EQ(all.size(), sent + 2);
  EXPECT_TRUE(ends_with(all[sent], "#en|bg| Hello!  "));
  // The first Enter's line break has become a space.
  EXPECT_TRUE(ends_with(all[sent + 1], "#en|bg| Hello!   ")) << all[sent + 1];
  EXPECT_EQ(f2.Text1.Text(), "Hello! \r\n");
}

TEST_F(TranslationWindowRequest, TheFirstClickAfterARequestSelectsAllAndTheSecondDoesNot) {
  start_ready();
  Form2& f2 = form2();
  act([&] { f2.Text1.set_Text("Hello!"); });
  click(f2.Picture16);
  desktop().clear_key_log();

  click(f2.Text1);
  const auto& keys = desktop().key_log();
  ASSERT_EQ(keys.size(), 4u);
  EXPECT_EQ(keys[0].code, vk::CONTROL);
  EXPECT_EQ(keys[1].code, vk::A);
  EXPECT_EQ(keys[2].code, vk::A);
  EXPECT_NE(keys[2].flags & KEYEVENTF_KEYUP, 0u);
  EXPECT_EQ(keys[3].code, vk::CONTROL);
  EXPECT_EQ(f2.Text1.SelLength(), text::length(f2.Text1.Text()));
  EXPECT_EQ(f2.Text1ClickSeen, 1);

  click(f2.Text1);
  EXPECT_EQ(desktop().key_log().size(), 4u) << "the second click selects nothing";
}

TEST_F(TranslationWindowRequest, TimerTwoIsArmedOnlyOnceTheBrowserIsNoLongerBusy) {
  start_ready();
  Form2& f2 = form2();
  // Back to the home page, so that the next request is a full page load.
  act([&] { f2.WebBrowser3.Navigate(system->config.TranslationHome); });
  advance(1000);
  ASSERT_FALSE(f2.WebBrowser3.Busy());

  submit("Hello!");
  int64_t t0 = now();
  EXPECT_TRUE(f2.WebBrowser3.Busy());
  EXPECT_FALSE(f2.Timer2.Enabled());
  ASSERT_TRUE(run_until([&] { return f2.Timer2.Enabled(); }, 1000));
  EXPECT_FALSE(f2.WebBrowser3.Busy());
  int64_t armed = now();
  EXPECT_GT(armed, t0);
  advance(2000);
  EXPECT_EQ(f2.Text3.Text(), translation_of("en|bg| Hello!  "));
}

TEST_F(TranslationWindowRequest, ANavigationThatNeverFinishesIsGivenUpAndTheNextRequestWorks) {
  start_ready();
  Form2& f2 = form2();
  auto stalled =
      std::make_shared<RecordingSite>(TranslatorSite::translation_page_html(), 10LL * 3600 * 1000);
  system->sites.add("stalled.localhost", stalled);
  std::string working_base = system->config.TranslationBase;
  system->config.TranslationBase = "http://stalled.localhost";

  submit("Hello!");
  EXPECT_TRUE(f2.WebBrowser3.Busy());
  advance(Form2::NavigationWaitLimitMs - 20);
  EXPECT_FALSE(f2.Timer2.Enabled());
  advance(Form2::NavigationWaitLimitMs);
  EXPECT_TRUE(f2.WebBrowser3.Busy());
  EXPECT_FALSE(f2.Timer2.Enabled()) << "given up, not armed";
  EXPECT_EQ(f2.Text3.Text(), "");

  system->config.TranslationBase = working_base;
  submit("Hello!");
  ASSERT_TRUE(run_until([&] { return f2.Timer2.Enabled(); }, 1000));
  advance(2000);
  EXPECT_EQ(f2.Text3.Text(), translation_of("en|bg| Hello!  "));
}

TEST_F(TranslationWindowRequest, ClosingTheWindowWhileARequestWaitsForThePageEndsTheWait) {
  start_ready();
  auto stalled =
      std::make_shared<RecordingSite>(TranslatorSite::translation_page_html(), 10LL * 3600 * 1000);
  system->sites.add("stalled.localhost", stalled);
  system->config.TranslationBase = "http://stalled.localhost";
  submit("Hello!");
  ASSERT_TRUE(form2().WebBrowser3.Busy());

  // The hint window goes with the translation window, and the program ends
  // at once. Nothing of the wait may outlive its window: what is left
  // scheduled is the burial of the unloaded windows and the stalled page's
  // load, which goes with the browser at that burial.
  act([&] { system->app.Form3().Show(); });
  act([&] { form2().Unload(); });
  EXPECT_EQ(system->app.Form2_if_loaded(), nullptr);
  EXPECT_EQ(system->app.Form3_if_loaded(), nullptr);
  EXPECT_TRUE(system->app.ended());
  EXPECT_EQ(system->loop.scheduled(), 2u) << "the burial and the page's load, no wait";
  EXPECT_EQ(system->loop.next_deadline(), now());
}

// ---------------------------------------------------------------------------
// The clipboard watcher.

class TranslationWindowClipboard : public TranslationWindowTest {
 protected:
  // Switches the capture option on and lets the watcher's first tick
  // record the clipboard as seen.
  void watch_clipboard() {
    click(form2().Picture17);
    ASSERT_EQ(form2().Check1.Value(), 1);
    ASSERT_TRUE(form2().Timer5.Enabled());
    advance(300);
    ASSERT_EQ(form2().IgnoreClipboardOnce, 0);
  }
  void copy(const std::string& text) { desktop().sim_clipboard().put(text); }
};

TEST_F(TranslationWindowClipboard, ACopiedTextIsTranslatedOnce) {
  start_ready();
  watch_clipboard();
  Form2& f2 = form2();
  size_t sent = requests().size();

  copy("house");
  advance(300);
  ASSERT_EQ(requests().size(), sent + 1);
  EXPECT_EQ(f2.Text1.Text(), "house");
  EXPECT_EQ(f2.Text4.Text(), " house  ");
  EXPECT_TRUE(ends_with(last_request(), "#en|bg| house  "));
  EXPECT_EQ(clipboard(), " house  ");

  // The same text copied again before the watcher looks: nothing new.
  copy("house");
  advance(3000);
  EXPECT_EQ(requests().size(), sent + 1);
  EXPECT_EQ(f2.Text3.Text(), translation_of("en|bg| house  "));

  // Another text and then the first again: both are translated.
  copy("cat");
  advance(3000);
  copy("house");
  advance(300);
  auto all = requests();
  ASSERT_EQ(all.size(), sent + 3);
  EXPECT_TRUE(ends_with(all[sent + 1], "#en|bg| cat  "));
  EXPECT_TRUE(ends_with(all[sent + 2], "#en|bg| house  "));
}

TEST_F(TranslationWindowClipboard, AHiddenWindowComesBackForACopiedText) {
  start_ready();
  watch_clipboard();
  click(form2().Picture11);
  ASSERT_FALSE(form2().Visible());
  copy("house");
  advance(300);
  EXPECT_TRUE(form2().Visible());
  EXPECT_TRUE(desktop().topmost(form2().hWnd()));
}

TEST_F(TranslationWindowClipboard, ACopiedLineBreakJoinsTheLinesWithoutASpace) {
  start_ready();
  watch_clipboard();
  copy("sun\r\nflower");
  advance(300);
  EXPECT_EQ(form2().Text1.Text(), "sunflower");
  EXPECT_EQ(form2().Text4.Text(), " sunflower  ");
  advance(3000);
  copy("a\nb");
  advance(300);
  EXPECT_EQ(form2().Text1.Text(), "ab");
}

TEST_F(TranslationWindowClipboard, AHeldClipboardLosesNeitherTheSkipNorACopiedText) {
  start_ready();
  watch_clipboard();
  Form2& f2 = form2();

  // Our own request's text on the clipboard: the skip waits for a read that
  // succeeds, and our text is never taken as new.
  submit("Hello!");
  size_t sent = requests().size();
  desktop().sim_clipboard().set_held(true);
  advance(900);
  EXPECT_EQ(f2.IgnoreClipboardOnce, 1);
  desktop().sim_clipboard().set_held(false);
  advance(300);
  EXPECT_EQ(f2.IgnoreClipboardOnce, 0);
  advance(3000);
  EXPECT_EQ(requests().size(), sent);

  // A text copied by another program that then holds the clipboard is
  // translated once the clipboard is free.
  copy("house");
  desktop().sim_clipboard().set_held(true);
  advance(900);
  EXPECT_EQ(requests().size(), sent);
  desktop().sim_clipboard().set_held(false);
  advance(300);
  ASSERT_EQ(requests().size(), sent + 1);
  EXPECT_TRUE(ends_with(last_request(), "#en|bg| house  "));
}

TEST_F(TranslationWindowClipboard, AHeldClipboardAtTheResultsReadingDoesNotSwallowTheNextCopy) {
  start_ready();
  watch_clipboard();
  Form2& f2 = form2();
  submit("котка");
  advance(2000);
  ASSERT_TRUE(f2.Timer9.Enabled());
  advance(f2.Timer9.Interval() - 1);
  // Another program holds the clipboard when Timer9 wants to write it.
  desktop().sim_clipboard().set_held(true);
  advance(1);
  EXPECT_FALSE(f2.Timer9.Enabled());
  desktop().sim_clipboard().set_held(false);
  size_t sent = requests().size();
  copy("house");
  advance(300);
  ASSERT_EQ(requests().size(), sent + 1) << "nothing of ours is on the clipboard to skip";
  EXPECT_TRUE(ends_with(last_request(), "#en|bg| house  "));
}

// ---------------------------------------------------------------------------
// What is spoken after a translation.

struct SpeechRow {
  const char* name;
  bool russian;          // Option2 selected
  const char* source;    // typed into Text1
  const char* fragment;  // the request's fragment
  int check2;
  int check3;
  bool source_by_engine;  // CheteneBulgar1 speaks the source at once
  bool source_by_reader;  // Timer4 hands it to the voice reader
  int timer8;             // the interval Timer8 is armed with, -1 for none
  int timer9;             // the interval Timer9 is armed with, -1 for none
};

// v = 70; Len(" cat  ") = Len(" dog  ") = 6 gives 1220, Len(" cats  ") =
// Len(" dogs  ") = 7 gives 1290, Len(" котка  ") = 8 gives 1360,
// Len(" собака  ") = Len(" собаки  ") = 9 gives 1430, Len(" котките  ") =
// Len(" aridity  ") = 10 gives 1500. The rows named "...Form..." send a
// word the dictionary holds only in another form (an inflected or derived
// word): its result names the dictionary form in a marker, which is
// neither spoken nor copied nor judged for its script.
const SpeechRow SpeechTable[] = {
    {"EnglishToBulgarianBothOn", false, "cat", "en|bg| cat  ", 1, 1, false, true, 1220, -1},
    {"EnglishToBulgarianOnlyBulgarian", false, "cat", "en|bg| cat  ", 0, 1, false, false, 100, -1},
    {"EnglishToBulgarianOnlyEnglish", false, "cat", "en|bg| cat  ", 1, 0, false, true, -1, -1},
    {"EnglishToRussianBothOn", true, "dog", "en|ru| dog  ", 1, 1, false, true, -1, 1220},
    {"EnglishToRussianOnlyRussian", true, "dog", "en|ru| dog  ", 0, 1, false, false, -1, 100},
    {"EnglishToRussianOnlyEnglish", true, "dog", "en|ru| dog  ", 1, 0, false, true, -1, -1},
    {"BulgarianToEnglishBothOn", false, "котка", "bg|en| котка  ", 1, 1, true, false, 1360, 1360},
    {"BulgarianToEnglishOnlyEnglish", false, "котка", "bg|en| котка  ", 1, 0, false, false, -1,
     100},
    {"BulgarianToEnglishOnlyBulgarian", false, "котка", "bg|en| котка  ", 0, 1, true, false, 100,
     -1},
    {"RussianToEnglishBothOn", true, "собака", "ru|en| собака  ", 1, 1, false, false, -1, 1430},
    {"RussianToEnglishOnlyEnglish", true, "собака", "ru|en| собака  ", 1, 0, false, false, -1, 100},
    {"RussianToEnglishOnlyRussian", true, "собака", "ru|en| собака  ", 0, 1, false, false, -1, -1},
    {"EnglishFormToBulgarian", false, "cats", "en|bg| cats  ", 1, 1, false, true, 1290, -1},
    {"BulgarianFormToEnglish", false, "котките", "bg|en| котките  ", 1, 1, true, false, 1500, 1500},
    {"EnglishFormToRussian", true, "dogs", "en|ru| dogs  ", 1, 1, false, true, -1, 1290},
    {"RussianFormToEnglish", true, "собаки", "ru|en| собаки  ", 1, 1, false, false, -1, 1430},
    {"EnglishDerivedFormToBulgarian", false, "aridity", "en|bg| aridity  ", 1, 1, false, true, 1500,
     -1},
};

class TranslationWindowSpeechTable : public TranslationWindowTest,
                                     public ::testing::WithParamInterface<SpeechRow> {};

TEST_P(TranslationWindowSpeechTable, SpeaksTheSourceAndTheResultAsTheOptionsSay) {
  const SpeechRow& row = GetParam();
  start_ready();
  Form2& f2 = form2();
  if (row.russian) {
    act([&] { f2.Option2.set_Value(true); });
    EXPECT_EQ(f2.Check3.Value(), 0) << "choosing Russian switches the Bulgarian speech off";
    EXPECT_TRUE(f2.Picture22.Visible());
    settle();
  }
  set_english_option(row.check2 == 1);
  set_bulgarian_option(row.check3 == 1);
  ASSERT_EQ(f2.Check2.Value(), row.check2);
  ASSERT_EQ(f2.Check3.Value(), row.check3);
  size_t said = utterance_count();

  submit(row.source);
  EXPECT_TRUE(ends_with(last_request(), std::string("#") + row.fragment)) << last_request();
  EXPECT_EQ(utterance_count() - said, row.source_by_engine ? 1u : 0u);
  if (row.source_by_engine) {
    EXPECT_EQ(engine().utterances().back().text, f2.Text4.Text());
  }
  EXPECT_EQ(f2.Timer4.Enabled(), row.source_by_reader);

  advance(2000);
  std::string result = translation_of(row.fragment);
  // What is spoken and copied: the translation without its marker.
  const std::string spoken = headword_marker::translation_part(result);
  ASSERT_FALSE(spoken.empty());
  ASSERT_EQ(cyrillic(spoken), std::string(row.fragment).rfind("en|", 0) == 0)
      << "a real translation: " << result;
  ASSERT_EQ(std::string(row.name).find("Form") != std::string::npos, spoken != result)
      << "an inflected word is translated through its dictionary form: " << result;
  EXPECT_EQ(f2.Text3.Text(), result);
  EXPECT_EQ(f2.Timer8.Enabled(), row.timer8 >= 0);
  if (row.timer8 >= 0) {
    EXPECT_EQ(f2.Timer8.Interval(), row.timer8);
  }
  EXPECT_EQ(f2.Timer9.Enabled(), row.timer9 >= 0);
  if (row.timer9 >= 0) {
    EXPECT_EQ(f2.Timer9.Interval(), row.timer9);
  }

  // The result is spoken when its timer fires.
  said = utterance_count();
  int64_t read_at = now();
  if (row.timer9 >= 0) {
    advance(row.timer9);
    EXPECT_EQ(clipboard(), spoken);
    EXPECT_TRUE(form1().Timer6.Enabled());
  }
  if (row.timer8 >= 0) {
    advance(std::max(0, row.timer8 - std::max(row.timer9, 0)));
    bool by_engine = cyrillic(spoken);
    ASSERT_EQ(utterance_count() - said, by_engine ? 1u : 0u);
    if (by_engine) {
      EXPECT_EQ(engine().utterances().back().text, spoken);
    }
  }
  advance(3000);
  EXPECT_EQ(utterance_count() - said, row.timer8 >= 0 && cyrillic(spoken) ? 1u : 0u);

  // The voice reader says what was handed to it, in the voice of its script.
  if (row.source_by_reader) {
    EXPECT_TRUE(player_said("English US", row.source, read_at - 2000))
        << system->describe_player_speech();
  }
  if (row.timer9 >= 0) {
    const char* voice = cyrillic(spoken) ? "Russian" : "English US";
    EXPECT_TRUE(run_until([&] { return player_said(voice, spoken, read_at); }, 8000))
        << system->describe_player_speech();
  }
  // Nobody reads the marker out.
  for (const auto& utterance : engine().utterances()) {
    EXPECT_EQ(utterance.text.find("⟨"), std::string::npos) << utterance.text;
  }
  for (const auto& said_by_player : system->player_speech()) {
    EXPECT_EQ(said_by_player.text.find("⟨"), std::string::npos) << said_by_player.text;
  }
}

INSTANTIATE_TEST_SUITE_P(TranslationWindowDirections, TranslationWindowSpeechTable,
                         ::testing::ValuesIn(SpeechTable),
                         [](const ::testing::TestParamInfo<SpeechRow>& info) {
                           return std::string(info.param.name);
                         });

class TranslationWindowSpeechDelay : public TranslationWindowTest {
 protected:
  // Submits a source with the reading interval v and returns the interval
  // Timer8 is armed with.
  int32_t timer8_after(const std::string& source, const std::string& v) {
    act([&] { form1().Text6.set_Text(v); });
    submit(source);
    advance(2000);
    EXPECT_TRUE(form2().Timer8.Enabled());
    return form2().Timer8.Interval();
  }
};

// What the reading interval box takes is tested with the box itself
// (reading_interval_test.cpp).

TEST_F(TranslationWindowSpeechDelay,
       ADelayOutsideTheTimersRangeKeepsTheOldIntervalAndTheTimerEnabled) {
  start_ready();
  // The warm-up armed Timer8 with 1430.
  ASSERT_EQ(form2().Timer8.Interval(), 1430);
  // " Hi  " has 5 characters: 1500 - 5 * 1000 is negative.
  EXPECT_EQ(timer8_after("Hi", "1000"), 1430);
  size_t said = utterance_count();
  advance(1430);
  ASSERT_EQ(utterance_count(), said + 1) << "fires with the interval it kept";
  settle();

  // " goodness  " has 11 characters: 1500 + 70000 is beyond 65535.
  EXPECT_EQ(timer8_after("goodness", "70000"), 1430);
  said = utterance_count();
  advance(1430);
  EXPECT_EQ(utterance_count(), said + 1);
}

// ---------------------------------------------------------------------------
// Panels and close controls.

class TranslationWindowPanels : public TranslationWindowTest {};

TEST_F(TranslationWindowPanels, TheSettingsButtonTogglesBetweenCompactAndExpanded) {
  start_ready();
  Form2& f2 = form2();
  ASSERT_EQ(f2.Height(), CompactHeight);
  act([&] { form1().set_Width(7280); });
  act([&] { f2.Picture2.set_Visible(false); });
  click(f2.Picture10);
  EXPECT_EQ(f2.Height(), 5700);
  EXPECT_EQ(form1().Height(), 5700);
  EXPECT_EQ(form1().Width(), 10600) << "opening widens the speech window";
  EXPECT_TRUE(f2.Picture2.Visible());
  click(f2.Label5);
  EXPECT_EQ(f2.Height(), CompactHeight);
  EXPECT_EQ(form1().Height(), 3400);

  // Expanded, then a request: the panel closes first.
  click(f2.Picture10);
  ASSERT_EQ(f2.Height(), 5700);
  submit("cat");
  EXPECT_EQ(f2.Height(), CompactHeight);
  EXPECT_EQ(form1().Height(), 3400);
}

TEST_F(TranslationWindowPanels, TheClosingBranchHalvesWhateverHeightTheSpeechWindowHas) {
  start_ready();
  Form2& f2 = form2();
  act([&] { f2.set_Height(4000); });
  ASSERT_EQ(form1().Height(), 3400);
  click(f2.Picture10);
  EXPECT_EQ(form1().Height(), 2250);
  EXPECT_EQ(f2.Height(), CompactHeight);
  click(f2.Picture7);
  EXPECT_EQ(form1().Height(), 3400);
}

TEST_F(TranslationWindowPanels, TheHeaderCloseLabelEndsTheProgramAndRemovesTheTrayIcon) {
  start_ready();
  ASSERT_EQ(desktop().tray().icons().size(), 1u);
  std::string held = clipboard();
  click(form2().Picture1);
  EXPECT_EQ(clipboard(), held) << "nothing is written to the clipboard at the end";
  EXPECT_TRUE(system->app.ended());
  EXPECT_EQ(system->app.Form1_if_loaded(), nullptr);
  EXPECT_EQ(system->app.Form2_if_loaded(), nullptr);
  EXPECT_TRUE(desktop().tray().icons().empty());
  advance(10000);
  EXPECT_TRUE(system->app.ended());
}

TEST_F(TranslationWindowPanels, TheCoverCloseButtonEndsTheProgramAndLeavesTheTrayIcon) {
  start();
  advance(1500);
  ASSERT_TRUE(form2().Visible());
  ASSERT_TRUE(form2().image1.Visible());
  click(form2().Picture3);
  EXPECT_TRUE(system->app.ended());
  EXPECT_EQ(desktop().tray().icons().size(), 1u);
  advance(30000);
  EXPECT_TRUE(system->app.ended());
}

TEST_F(TranslationWindowPanels, TheHideLabelSendsBothWindowsAwayAndTheTrayBringsThemBack) {
  start_ready();
  Form2& f2 = form2();
  click(f2.Picture17);
  click(f2.Picture11);
  EXPECT_FALSE(f2.Visible());
  EXPECT_EQ(form1().Left(), -form1().Width());
  advance(5000);
  EXPECT_FALSE(f2.Visible());
  EXPECT_TRUE(f2.Timer5.Enabled()) << "the watchers go on running";
  EXPECT_TRUE(f2.Timer1111.Enabled());

  act([&] { desktop().click_tray(513); });
  EXPECT_TRUE(f2.Visible());
  EXPECT_EQ(form1().Left(), f2.Left());
  EXPECT_EQ(form1().Top(), f2.Top());
}

TEST_F(TranslationWindowPanels, WithoutATrayHostTheHideLabelHidesNothing) {
  SimulatedSystem::Options options;
  options.tray = false;
  start_ready(options);
  Form2& f2 = form2();
  ASSERT_TRUE(f2.Visible());
  float left = form1().Left();
  click(f2.Picture11);
  EXPECT_TRUE(f2.Visible()) << "no icon could bring it back";
  EXPECT_EQ(form1().Left(), left);
}

// ---------------------------------------------------------------------------
// The local speech engine.

class TranslationWindowLocalSpeech : public TranslationWindowTest {
 protected:
  void speak_result(const std::string& text) {
    act([&] {
      form2().Text3.set_Text(text);
      form2().CheteneBulgar2();
    });
  }
};

TEST_F(TranslationWindowLocalSpeech, TextWithoutCyrillicIsNotSpokenAndTheRateIsLeftAlone) {
  start_ready();
  engine().set_Rate(4);
  size_t writes = engine().rate_writes().size();
  size_t said = utterance_count();
  speak_result("cat ёЁ і");
  EXPECT_EQ(engine().rate_writes().size(), writes);
  EXPECT_EQ(engine().Rate(), 4);
  EXPECT_EQ(utterance_count(), said);
}

TEST_F(TranslationWindowLocalSpeech, ALineBreakBecomesTwoSpacesAndTheRateGoesBackToNormal) {
  start_ready();
  engine().set_Rate(4);
  speak_result("котка\r\nкуче and dog");
  ASSERT_FALSE(engine().rate_writes().empty());
  EXPECT_DOUBLE_EQ(engine().rate_writes().back(), 47.0 / 10 - 5);
  EXPECT_EQ(engine().Rate(), 0);
  const auto& spoken = engine().utterances().back();
  EXPECT_EQ(spoken.text, "котка  куче and dog");
  EXPECT_EQ(spoken.flags, 1);
  EXPECT_EQ(spoken.rate, 0);
}

TEST_F(TranslationWindowLocalSpeech, ASecondTextIsQueuedBehindTheOneBeingSpoken) {
  start_ready();
  size_t first = utterance_count();
  speak_result("котка");
  speak_result("куче");
  ASSERT_EQ(utterance_count(), first + 2);
  advance(60000);
  const auto& a = engine().utterances()[first];
  const auto& b = engine().utterances()[first + 1];
  EXPECT_FALSE(a.purged);
  EXPECT_GE(a.ended_at, a.started_at);
  EXPECT_GE(b.started_at, a.ended_at) << "the first is not cut off";
}

TEST_F(TranslationWindowLocalSpeech, WithoutASpeechEngineTheProgramWorksInSilence) {
  SimulatedSystem::Options options;
  options.speech_engine = false;
  start_ready(options);
  Form2& f2 = form2();
  EXPECT_EQ(f2.tts, nullptr);
  EXPECT_EQ(system->speech_engine(), nullptr);
  EXPECT_EQ(f2.Text3.Text(), translation_of("en|bg| Hello!  "));

  submit("котка");
  advance(2000);
  EXPECT_EQ(f2.Text3.Text(), translation_of("bg|en| котка  "));
  speak_result("котка");
  settle();
  submit("cat");
  advance(2000 + 1220);
  EXPECT_EQ(f2.Text3.Text(), translation_of("en|bg| cat  "));
  EXPECT_FALSE(f2.Timer8.Enabled()) << "Timer8 ran and spoke nothing";
}

// ---------------------------------------------------------------------------
// The read buttons and the top strip.

class TranslationWindowReadButtons : public TranslationWindowTest {
 protected:
  void command7(const std::string& result, int16_t english_voice) {
    act([&] {
      form2().Text3.set_Text(result);
      shared().EnglishVoiceActive = english_voice;
      form2().Command7_Click();
    });
  }
};

TEST_F(TranslationWindowReadButtons, Command7SwitchesTheReaderOnlyWhenTheScriptDoesNotMatch) {
  start_ready();
  Form1& f1 = form1();

  command7("котка", 1);
  EXPECT_TRUE(f1.Timer8.Enabled()) << "Cyrillic while the reader is English";
  EXPECT_TRUE(f1.Timer6.Enabled());
  EXPECT_EQ(f1.Timer6.Interval(), 2000);
  settle();

  command7("cat", 0);
  EXPECT_TRUE(f1.Timer8.Enabled()) << "Latin while the reader is Russian";
  EXPECT_EQ(f1.Timer6.Interval(), 2000);
  settle();

  command7("", 0);
  EXPECT_TRUE(f1.Timer8.Enabled()) << "an empty result counts as Latin";
  EXPECT_EQ(f1.Timer6.Interval(), 2000);
  settle();

  command7("котка", 0);
  EXPECT_FALSE(f1.Timer8.Enabled());
  EXPECT_TRUE(f1.Timer6.Enabled());
  EXPECT_EQ(f1.Timer6.Interval(), 100);
  settle();

  command7("cat", 1);
  EXPECT_FALSE(f1.Timer8.Enabled());
  EXPECT_TRUE(f1.Timer6.Enabled());
  EXPECT_EQ(f1.Timer6.Interval(), 100);
}

TEST_F(TranslationWindowReadButtons, Command7RunsItsOwnCyrillicCheckOfTheResult) {
  start_ready();
  act([&] {
    CheckCyrillic(shared(), "котка");
    form2().Text3.set_Text("cat");
    shared().EnglishVoiceActive = 1;
    form2().Command7_Click();
  });
  EXPECT_EQ(shared().CyrillicScore.number(), 0);
  EXPECT_FALSE(form1().Timer8.Enabled());
}

TEST_F(TranslationWindowReadButtons,
       Command7MovesAPendingReadingToTwoSecondsWhenTheReaderMustSwitch) {
  start_ready();
  Form1& f1 = form1();
  act([&] { form2().Command1_Click(); });
  ASSERT_TRUE(f1.Timer6.Enabled());
  int64_t due = f1.Timer6.next_tick();
  advance(50);
  command7("cat", 1);
  EXPECT_EQ(f1.Timer6.next_tick(), due) << "no switch: the pending reading keeps its schedule";
  command7("котка", 1);
  EXPECT_EQ(f1.Timer6.next_tick(), now() + 2000) << "the new interval restarts the count";
}

TEST_F(TranslationWindowReadButtons, Label100WidensTheSpeechWindowAndShowsThePatch) {
  start_ready();
  Form2& f2 = form2();
  act([&] {
    shared().Form1Collapsed = 1;
    form1().set_Width(7280);
    f2.Picture2.set_Visible(false);
  });
  click(f2.Label100);
  EXPECT_EQ(shared().Form1Collapsed, 0);
  EXPECT_EQ(form1().Width(), 10600);
  EXPECT_TRUE(f2.Picture2.Visible());

  click(f2.Label100);
  EXPECT_EQ(form1().Width(), 10600);
  EXPECT_TRUE(f2.Picture2.Visible());
}

TEST_F(TranslationWindowReadButtons, EachOptionLabelActsLikeThePictureItLiesOn) {
  start_ready();
  Form2& f2 = form2();
  struct Row {
    Control& on_picture;
    Control& on_label;
    Control& off_picture;
    Control& off_label;
    CheckBox& option;
  };
  Row rows[] = {{f2.Picture18, f2.Label14, f2.Picture23, f2.Label13, f2.Check2},
                {f2.Picture19, f2.Label16, f2.Picture22, f2.Label15, f2.Check3}};
  for (Row& row : rows) {
    ASSERT_EQ(row.option.Value(), 1);
    ASSERT_TRUE(row.on_picture.Visible());
    click(row.on_label);
    EXPECT_EQ(row.option.Value(), 0);
    EXPECT_FALSE(row.on_picture.Visible());
    EXPECT_TRUE(row.off_picture.Visible());
    click(row.off_label);
    EXPECT_EQ(row.option.Value(), 1);
    EXPECT_TRUE(row.on_picture.Visible());
    EXPECT_FALSE(row.off_picture.Visible());
    click(row.on_picture);
    EXPECT_EQ(row.option.Value(), 0);
    click(row.off_picture);
    EXPECT_EQ(row.option.Value(), 1);
  }
}

TEST_F(TranslationWindowReadButtons, Command1OnlyArmsTheSpeechWindowsReading) {
  start_ready();
  act([&] { form1().Timer6.set_Interval(2000); });
  act([&] { form2().Command1_Click(); });
  EXPECT_TRUE(form1().Timer6.Enabled());
  EXPECT_EQ(form1().Timer6.Interval(), 2000) << "Command1 leaves the interval alone";
  EXPECT_FALSE(form1().Timer8.Enabled());
}

}  // namespace

}  // namespace prevod
