// The speech window end to end on the simulated desktop: the start-up
// timeline from the first tick to the warm-up's speech, the counting of the
// voice reader page's downloads, reading through the player (read-2 with a
// language switch, the speak sequence and its check, repeat and stop), the
// ordering of clipboard reads and keystrokes, the reading interval, and a
// desktop without a speech engine.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/page/site.h"
#include "services/voicereader/player_directory.h"
#include "services/voicereader/voice_reader_player.h"
#include "services/voicereader/voice_reader_site.h"
#include "support/system_fixture.h"

namespace prevod {

namespace {

// The voice reader's demo page served under another host, with the number
// of finished downloads and the load time chosen by the test.
class ReshapedDemoSite : public Site {
 public:
  ReshapedDemoSite(int downloads, int64_t load_time_ms)
      : m_downloads(downloads), m_load_time(load_time_ms) {}
  PageLoad load(const std::string&) override {
    PageLoad page;
    page.html = VoiceReaderSite::page_html();
    page.downloads = m_downloads;
    page.load_time_ms = m_load_time;
    return page;
  }

 private:
  int m_downloads;
  int64_t m_load_time;
};

class SpeechWindowTest : public SystemFixture {
 protected:
  // Moves the clock to an absolute time since the start.
  void at(int64_t ms) {
    ASSERT_GE(ms, now());
    advance(ms - now());
  }
  // Starts the program on a copy of the demo page with its own download
  // count and load time.
  void boot_with_demo(int downloads, int64_t load_time_ms = 50) {
    SimulatedSystem::Options options;
    options.config.VoiceReaderAddress = "http://demo.localhost/onlineservices/voice_reader";
    boot(options, false);
    system->sites.add("demo.localhost",
                      std::make_shared<ReshapedDemoSite>(downloads, load_time_ms));
    system->start();
    system->loop.run_pending();
  }
  // Runs the start-up through and lets the warm-up's speech end.
  void ready() {
    boot_to_ready();
    advance(8000);
  }
  // Puts a text on the clipboard as another program would.
  void copy(const std::string& text) { desktop().sim_clipboard().put(text); }

  const BoundedLog<SimulatedSystem::PlayerSpeech>& said() { return system->player_speech(); }
  // What the player said from a moment on, stops left out.
  std::vector<SimulatedSystem::PlayerSpeech> said_since(int64_t from) {
    std::vector<SimulatedSystem::PlayerSpeech> out;
    for (const auto& speech : said()) {
      if (speech.at >= from && !speech.voice.empty()) out.push_back(speech);
    }
    return out;
  }
  RecordingSpeechEngine& engine() { return *system->speech_engine(); }
};

// ---------------------------------------------------------------------------
// Start-up.

using SpeechWindowStartup = SpeechWindowTest;

TEST_F(SpeechWindowStartup, EachMilestoneFallsOnItsTimersInterval) {
  Form1& f1 = form1();
  // Form_Load: parked off-screen, loading the page, Form2 untouched.
  EXPECT_EQ(f1.Left(), -10600);
  EXPECT_EQ(system->app.Form2_if_loaded(), nullptr);

  // The first tick of Form1's Timer10 creates Form2, hidden.
  at(49);
  EXPECT_EQ(system->app.Form2_if_loaded(), nullptr);
  at(50);
  ASSERT_NE(system->app.Form2_if_loaded(), nullptr);
  Form2& f2 = form2();
  EXPECT_FALSE(f2.Visible());
  EXPECT_EQ(f1.DownloadCount, 1) << "the page itself";
  EXPECT_FALSE(f1.Picture1.Visible()) << "the first download does not reshape";

  // The second download reshapes the page and arms the start-up selection.
  at(100);
  EXPECT_EQ(f1.DownloadCount, 2);
  EXPECT_TRUE(f1.Picture1.Visible());
  EXPECT_TRUE(f1.Picture2.Visible());
  EXPECT_EQ(f1.WebBrowser1.Left(), 0);
  EXPECT_TRUE(f1.TimerEn.Enabled());
  ASSERT_NE(system->player(), nullptr);
  EXPECT_EQ(system->player()->shown_voice(), "English UK") << "the markup's own language";

  // Form2 stays hidden for about one second, then shows its cover.
  at(1049);
  EXPECT_FALSE(f2.Visible());
  at(1050);
  EXPECT_TRUE(f2.Visible());
  EXPECT_TRUE(f2.image1.Visible());
  const float track = f2.Image3.Width();
  EXPECT_FLOAT_EQ(f2.Image2.Width(), track / 15 * 1);

  // 1500 ms after the reshaping: the start-up selection.
  at(1599);
  EXPECT_FALSE(f1.Timer2.Enabled());
  at(1600);
  EXPECT_FALSE(f1.TimerEn.Enabled());
  EXPECT_TRUE(f1.Timer2.Enabled());
  EXPECT_EQ(shared().VoiceReaderReady, 0);

  // 500 ms later the first completion: Timer11, not yet Form2's Timer0.
  at(2099);
  EXPECT_EQ(shared().VoiceReaderReady, 0);
  at(2100);
  EXPECT_EQ(shared().VoiceReaderReady, 1);
  EXPECT_EQ(shared().EnglishVoiceActive, 1);
  EXPECT_EQ(f1.EnglishSelectCount, 1);
  EXPECT_TRUE(f1.Timer11.Enabled());
  EXPECT_FALSE(f2.Timer0.Enabled());
  EXPECT_EQ(system->player()->shown_voice(), "English UK")
      << "the start-up selection changes nothing";
  EXPECT_FLOAT_EQ(f2.Image2.Width(), track / 15 * 2);

  // 1000 ms later the English selection, completing after 2 x 500 ms.
  at(3100);
  EXPECT_FALSE(f1.Timer11.Enabled());
  EXPECT_TRUE(f1.Timer3.Enabled());
  at(3600);
  EXPECT_TRUE(f1.Timer2.Enabled());
  EXPECT_FALSE(f2.Timer0.Enabled());
  at(4100);
  EXPECT_EQ(f1.EnglishSelectCount, 2);
  EXPECT_TRUE(f2.Timer0.Enabled());
  EXPECT_EQ(system->player()->shown_voice(), "English US");

  // 2000 ms later the reveal.
  at(6099);
  EXPECT_TRUE(f2.image1.Visible());
  at(6100);
  EXPECT_FALSE(f2.image1.Visible());
  EXPECT_TRUE(f2.Timer1.Enabled());
  EXPECT_FLOAT_EQ(f2.Image2.Width(), track / 15 * 6);

  // 3000 ms later the warm-up request.
  at(9099);
  EXPECT_EQ(f2.Text4.Text(), "");
  at(9100);
  EXPECT_EQ(f2.Text4.Text(), " Hello!  ");
  EXPECT_TRUE(f2.Timer2.Enabled());
  EXPECT_EQ(f1.Left(), f2.Left()) << "the speech window stands behind the translation window";

  // 2000 ms later the result; the progress bar stops for good.
  at(11099);
  EXPECT_TRUE(f2.Timer10.Enabled());
  at(11100);
  EXPECT_FALSE(f2.Timer10.Enabled());
  EXPECT_FLOAT_EQ(f2.Image2.Width(), track / 15 * 11);
  EXPECT_EQ(f2.Text3.Text(), "Здрасти!");

  // The English source went to the player 300 + 100 ms after the request,
  // in English US; the Bulgarian result goes to the engine 1430 ms after
  // the result: (9 - 10) x 70 + 1500 for " Hello!  ".
  at(20000);
  auto player = said_since(0);
  ASSERT_GE(player.size(), 1u);
  EXPECT_EQ(player[0].at, 9500);
  EXPECT_EQ(player[0].voice, "English US");
  EXPECT_EQ(player[0].text, " Hello!  ");
  ASSERT_EQ(engine().utterances().size(), 1u);
  EXPECT_EQ(engine().utterances()[0].text, "Здрасти!");
  EXPECT_EQ(engine().utterances()[0].queued_at, 11100 + 1430);
  EXPECT_EQ(system->player()->shown_voice(), "English US");
}

TEST_F(SpeechWindowStartup, ASlowPageKeepsTheBarShortOfTheTrackUntilTheFirstResult) {
  // The page takes 16 s: the bar passes its fifteenth tick before the
  // voice reader is ready, then stays 120 twips short until the result.
  boot_with_demo(2, 16000);
  at(50);
  const float track = form2().Image3.Width();
  for (int n = 1; n <= 14; ++n) {
    at(50 + 1000 * n);
    EXPECT_FLOAT_EQ(form2().Image2.Width(), track / 15 * n) << "tick " << n;
  }
  at(50 + 15000);
  EXPECT_FLOAT_EQ(form2().Image2.Width(), track - 120);
  EXPECT_TRUE(form2().image1.Visible());
  ASSERT_TRUE(run_until([&] { return !form2().Timer10.Enabled(); }, 30000));
  EXPECT_FLOAT_EQ(form2().Image2.Width(), track - 120);
  EXPECT_EQ(form2().Text3.Text(), "Здрасти!");
}

TEST_F(SpeechWindowStartup, WithoutASpeechEngineTheProgramStartsAndTranslatesAllTheSame) {
  SimulatedSystem::Options options;
  options.speech_engine = false;
  boot(options);
  ready();
  EXPECT_EQ(form2().tts, nullptr);
  EXPECT_EQ(system->speech_engine(), nullptr);
  EXPECT_EQ(form2().Text3.Text(), "Здрасти!");
  EXPECT_EQ(said_since(0).at(0).text, " Hello!  ") << "the player speaks without the engine";

  // A later request and the stop button go through in silence.
  act([&] {
    form2().Text1.set_Text("Good morning");
    form2().Text4.set_Text("Good morning");
  });
  advance(2100);
  EXPECT_FALSE(form2().Text3.Text().empty());
  click(form1().Image2);
  EXPECT_EQ(form2().Text3.Text(), " ");
  EXPECT_FALSE(system->app.ended());
}

// ---------------------------------------------------------------------------
// Downloads of the voice reader page.

using SpeechWindowDownloads = SpeechWindowTest;

TEST_F(SpeechWindowDownloads, APageThatReportsOneDownloadIsNeverReshaped) {
  boot_with_demo(1);
  advance(20000);
  EXPECT_EQ(form1().DownloadCount, 1);
  EXPECT_FALSE(form1().Picture1.Visible());
  EXPECT_EQ(form1().WebBrowser1.Left(), -840);
  EXPECT_EQ(system->players->created(), 1) << "only the page's own player";
  EXPECT_EQ(shared().VoiceReaderReady, 0);
  EXPECT_FALSE(form2().Timer0.Enabled());
  EXPECT_TRUE(form2().image1.Visible()) << "the cover stays";
}

TEST_F(SpeechWindowDownloads, APageThatReportsFiveIsReshapedOnceOnTheSecond) {
  boot_with_demo(5);
  at(100);
  EXPECT_EQ(form1().DownloadCount, 2);
  EXPECT_EQ(system->players->created(), 2) << "the page's player, then the fresh one";
  VoiceReaderPlayer* fresh = system->player();
  at(300);
  EXPECT_EQ(form1().DownloadCount, 5);
  EXPECT_EQ(system->players->created(), 2);
  EXPECT_EQ(system->player(), fresh);
  ASSERT_TRUE(run_until([&] { return form1().EnglishSelectCount == 2; }, 10000));
  advance(5000);
  EXPECT_EQ(form1().EnglishSelectCount, 2) << "no second start-up chain";
  EXPECT_EQ(system->player()->shown_voice(), "English US");
}

// ---------------------------------------------------------------------------
// Reading through the player.

class SpeechWindowReading : public SpeechWindowTest {
 protected:
  void SetUp() override {
    boot();
    ready();
  }
};

TEST_F(SpeechWindowReading, ReadTwoOfACyrillicResultSwitchesToRussianAndReadsAfterTwoSeconds) {
  ASSERT_EQ(shared().EnglishVoiceActive, 1);
  const int64_t start = now();
  act([&] {
    form2().Text3.set_Text("Добро утро");
    copy("Добро утро");
    form2().Command7_Click();
  });
  EXPECT_TRUE(form1().Timer8.Enabled());
  EXPECT_EQ(form1().Timer6.Interval(), 2000);

  // The switch starts 100 ms later and ends 2 x 500 ms after that.
  at(start + 100);
  EXPECT_TRUE(form1().Timer4.Enabled()) << "the Russian chain";
  at(start + 1099);
  EXPECT_EQ(shared().EnglishVoiceActive, 1);
  at(start + 1100);
  EXPECT_EQ(shared().EnglishVoiceActive, 0);
  EXPECT_EQ(system->player()->shown_voice(), "Russian");

  at(start + 1999);
  EXPECT_TRUE(said_since(start).empty());
  at(start + 2000);
  EXPECT_EQ(form1().Timer6.Interval(), 100);
  EXPECT_FALSE(form1().Timer6.Enabled());
  auto spoken = said_since(start);
  ASSERT_FALSE(spoken.empty());
  EXPECT_EQ(spoken[0].at, start + 2000);
  EXPECT_EQ(spoken[0].voice, "Russian");
  EXPECT_EQ(spoken[0].text, "Добро утро");
}

TEST_F(SpeechWindowReading, TwoQuickReadTwoRequestsOfCyrillicTextsEndInRussian) {
  // The second request comes while the first one's switch is under way and
  // the flag still says English.
  const int64_t start = now();
  act([&] {
    form2().Text3.set_Text("котка");
    copy("котка");
    form2().Command7_Click();
  });
  at(start + 500);
  act([&] {
    form2().Text3.set_Text("куче");
    copy("куче");
    form2().Command7_Click();
  });
  advance(5000);
  EXPECT_EQ(shared().EnglishVoiceActive, 0);
  EXPECT_EQ(system->player()->shown_voice(), "Russian");
  auto spoken = said_since(start);
  ASSERT_FALSE(spoken.empty());
  for (const auto& speech : spoken) {
    EXPECT_EQ(speech.voice, "Russian") << speech.at << " " << speech.text;
    EXPECT_EQ(speech.text, "куче");
  }
}

TEST_F(SpeechWindowReading, ALanguageButtonPressedDuringASwitchIsCarriedOutAfterIt) {
  const int64_t start = now();
  click(form1().Label7);  // Russian
  at(start + 200);
  click(form1().Label8);  // then English, before the Russian chain ends
  advance(3000);
  EXPECT_EQ(shared().EnglishVoiceActive, 1);
  EXPECT_EQ(system->player()->shown_voice(), "English US");
  EXPECT_TRUE(said_since(start).empty()) << "no button of the player was pressed by accident";
}

TEST_F(SpeechWindowReading, AReadingAskedForDuringASwitchWaitsForItsEnd) {
  const int64_t start = now();
  click(form1().Label7);  // the Russian chain ends 1000 ms later
  copy("привет");
  at(start + 300);
  act([&] { form2().Command1_Click(); });
  at(start + 999);
  EXPECT_TRUE(said_since(start).empty()) << "not between the chain's steps";
  advance(1000);
  auto spoken = said_since(start);
  ASSERT_FALSE(spoken.empty());
  EXPECT_GE(spoken[0].at, start + 1000) << "after the chain's last keys";
  EXPECT_LE(spoken[0].at, start + 1100);
  EXPECT_EQ(spoken[0].voice, "Russian");
  EXPECT_EQ(spoken[0].text, "привет");
  EXPECT_EQ(form1().Timer6.Interval(), 100);
  EXPECT_FALSE(form1().Timer6.Enabled());
}

TEST_F(SpeechWindowReading, ALanguageButtonPressedDuringASpeakCheckWaitsForTheCheck) {
  copy("Text A");
  const int64_t start = now();
  act([&] { form1().Picture1_Click(); });
  at(start + 50);
  click(form1().Label7);
  EXPECT_FALSE(form1().Timer4.Enabled()) << "waiting for the check";
  advance(2000);
  EXPECT_EQ(form1().SpeakRetryCount, 0);
  EXPECT_EQ(shared().EnglishVoiceActive, 0);
  EXPECT_EQ(system->player()->shown_voice(), "Russian");
  auto spoken = said_since(start);
  ASSERT_EQ(spoken.size(), 2u) << "the request and its repeat, nothing pressed by the chain";
  for (const auto& speech : spoken) EXPECT_EQ(speech.voice, "English US");
}

TEST_F(SpeechWindowReading, ARestartDuringASwitchSetsTheFreshPlayerUpAfterIt) {
  click(form1().Label7);
  advance(200);
  click(form1().Label6);  // restart while the Russian chain runs
  advance(6000);
  EXPECT_EQ(shared().EnglishVoiceActive, 1);
  EXPECT_EQ(system->player()->shown_voice(), "English US");
  EXPECT_FALSE(form2().Timer0.Enabled());
}

TEST_F(SpeechWindowReading, ReadTwoOfALatinTextWhileEnglishReadsAfterAHundredMilliseconds) {
  const int64_t start = now();
  act([&] {
    form2().Text3.set_Text("Good morning");
    copy("Good morning");
    form2().Command7_Click();
  });
  EXPECT_FALSE(form1().Timer8.Enabled());
  EXPECT_EQ(form1().Timer6.Interval(), 100);
  at(start + 100);
  auto spoken = said_since(start);
  ASSERT_FALSE(spoken.empty());
  EXPECT_EQ(spoken[0].voice, "English US");
  EXPECT_EQ(spoken[0].text, "Good morning");
  EXPECT_EQ(shared().EnglishVoiceActive, 1);
}

TEST_F(SpeechWindowReading, ARequestRunsTheSpeakSequenceTwiceAndEndsWithTheCountAtZero) {
  copy("Text A");
  const int64_t start = now();
  const size_t keys_before = desktop().key_log().size();
  act([&] { form1().Picture1_Click(); });
  EXPECT_EQ(shared().SavedClipboardText, "Text A");
  EXPECT_EQ(form1().SpeakText, "Text A");
  // Three Shift+Tab, Ctrl+A, Delete, Ctrl+V, Tab, Enter, Tab, Tab, Enter:
  // a chord is four key events, a single key two.
  EXPECT_EQ(desktop().key_log().size() - keys_before, 3u * 4 + 4 + 2 + 4 + 5 * 2);
  EXPECT_TRUE(form1().Timer1.Enabled());

  // The first check reads A before its own copy lands and runs it again.
  at(start + 100);
  EXPECT_EQ(form1().PlayerText, "Text A");
  EXPECT_EQ(form1().SpeakRetryCount, 1);
  EXPECT_TRUE(form1().Timer1.Enabled());
  // The second check reads A again and ends the chain.
  at(start + 200);
  EXPECT_EQ(form1().SpeakRetryCount, 0);
  EXPECT_FALSE(form1().Timer1.Enabled());
  advance(1000);

  auto spoken = said_since(start);
  ASSERT_EQ(spoken.size(), 2u);
  EXPECT_EQ(spoken[0].at, start);
  EXPECT_EQ(spoken[1].at, start + 100);
  for (const auto& speech : spoken) {
    EXPECT_EQ(speech.text, "Text A");
    EXPECT_EQ(speech.voice, "English US");
  }
  EXPECT_EQ(system->player()->field().text(), "Text A");
}

TEST_F(SpeechWindowReading, ACountLeftAtOneMakesTheNextEqualCheckEndAtOnce) {
  copy("Text A");
  const int64_t start = now();
  act([&] { form1().Picture1_Click(); });
  at(start + 150);
  copy("Text B");  // another program copies between the two checks
  at(start + 200);
  EXPECT_EQ(form1().PlayerText, "Text B");
  EXPECT_EQ(form1().SpeakRetryCount, 1) << "the texts differ: the count keeps its value";
  advance(1000);

  copy("Text C");
  const int64_t next = now();
  act([&] { form1().Picture1_Click(); });
  at(next + 100);
  EXPECT_EQ(form1().SpeakRetryCount, 0);
  EXPECT_FALSE(form1().Timer1.Enabled());
  advance(1000);
  auto spoken = said_since(next);
  ASSERT_EQ(spoken.size(), 1u) << "no repeat";
  EXPECT_EQ(spoken[0].text, "Text C");
}

TEST_F(SpeechWindowReading, ClipboardReadsInAHandlerSeeTheClipboardBeforeItsOwnKeystrokes) {
  // The player's field holds the warm-up text; the clipboard a new one.
  ASSERT_EQ(system->player()->field().text(), " Hello!  ");
  copy("Fresh text");
  act([&] {
    form1().Command6_Click();
    // Still inside the handler's event: nothing has reached the player.
    EXPECT_EQ(system->player()->field().text(), " Hello!  ");
  });
  EXPECT_EQ(shared().SavedClipboardText, form1().SpeakText);
  EXPECT_EQ(form1().SpeakText, "Fresh text");
  EXPECT_EQ(system->player()->field().text(), "Fresh text")
      << "the keys land once the handler is done";

  // The check's read comes before its own Ctrl+C: with the clipboard
  // changed meanwhile it sees that change, not the field.
  copy("Changed meanwhile");
  advance(100);
  EXPECT_EQ(form1().PlayerText, "Changed meanwhile");
  EXPECT_EQ(clipboard(), "Fresh text") << "then the copy keystroke took the field";
}

TEST_F(SpeechWindowReading, TheRepeatButtonSpeaksTheLastRequestAfterTheClipboardChanged) {
  copy("Text A");
  act([&] { form1().Picture1_Click(); });
  advance(1000);
  copy("Text B");
  const int64_t start = now();
  click(form1().image1);
  EXPECT_EQ(clipboard(), "Text A");
  advance(1000);
  auto spoken = said_since(start);
  ASSERT_FALSE(spoken.empty());
  for (const auto& speech : spoken) EXPECT_EQ(speech.text, "Text A");
  EXPECT_EQ(shared().SavedClipboardText, "Text A");
}

TEST_F(SpeechWindowReading, AThreeHundredCharacterTextIsPastedWhole) {
  std::string long_text;
  while (long_text.size() < 300) long_text += "abcdefghij";
  copy(long_text);
  act([&] { form1().Picture1_Click(); });
  EXPECT_EQ(system->player()->field().text(), long_text);
}

TEST_F(SpeechWindowReading, TheStopButtonSilencesTheEngineAndClearsThePendingReadings) {
  // A Cyrillic request: the engine reads it at once; two seconds later the
  // result plans both readings.
  act([&] {
    form2().Text1.set_Text("Добър ден на всички, добър ден на всички");
    form2().Text4.set_Text("Добър ден на всички, добър ден на всички");
  });
  advance(2100);
  ASSERT_NE(engine().speaking(), nullptr) << "still reading the source";
  ASSERT_TRUE(form2().Timer8.Enabled());
  ASSERT_TRUE(form2().Timer9.Enabled());
  const size_t player_before = said().size();

  click(form1().Image2);
  EXPECT_EQ(engine().speaking(), nullptr) << "stopped at once";
  EXPECT_EQ(engine().purges(), 1);
  EXPECT_EQ(form2().Text1.Text(), "End ");
  EXPECT_EQ(form2().Text4.Text(), " End   ") << "the working copy, padded by its change handling";
  EXPECT_EQ(form2().Text3.Text(), " ");
  EXPECT_FALSE(form2().Timer8.Enabled());
  EXPECT_FALSE(form2().Timer9.Enabled());
  EXPECT_EQ(form2().Timer8.Interval(), 100);
  EXPECT_EQ(form2().Timer9.Interval(), 100);
  // The player is not touched.
  EXPECT_EQ(said().size(), player_before);
}

TEST_F(SpeechWindowReading, TheScrollBarSetsTheReadingIntervalOfTheNextTranslation) {
  act([&] { form1().VScroll1.set_Value(85); });
  EXPECT_EQ(form1().Text6.Text(), "85");

  // 37 characters become 40 in the working box: (40 - 10) x 85 + 1500.
  const std::string source = "good morning good morning good morning";
  act([&] {
    form2().Text1.set_Text(source.substr(0, 37));
    form2().Text4.set_Text(source.substr(0, 37));
  });
  ASSERT_EQ(form2().Text4.Text().size(), 40u);
  advance(2000);
  EXPECT_TRUE(form2().Timer8.Enabled());
  EXPECT_EQ(form2().Timer8.Interval(), 4050);

  act([&] { form1().VScroll1.set_Value(30); });
  EXPECT_EQ(form1().Text6.Text(), "30");
}

TEST_F(SpeechWindowReading, AnEmptyClipboardEmptiesTheFieldAndPressesTheButtonsAllTheSame) {
  act([&] { desktop().sim_clipboard().Clear(); });
  const int64_t start = now();
  act([&] { form1().Picture1_Click(); });
  EXPECT_EQ(shared().SavedClipboardText, "");
  EXPECT_EQ(system->player()->field().text(), "");
  advance(1000);
  EXPECT_EQ(form1().SpeakRetryCount, 0);
  for (const auto& speech : said_since(start)) EXPECT_EQ(speech.text, "");
  EXPECT_FALSE(form1().Timer1.Enabled());
}

TEST_F(SpeechWindowReading, AUserEnglishSelectionOnlyCountsAndKeepsTheFlag) {
  click(form1().Label8);
  advance(1000);
  EXPECT_EQ(form1().EnglishSelectCount, 3);
  EXPECT_EQ(shared().EnglishVoiceActive, 1);
  EXPECT_FALSE(form2().Timer0.Enabled());
  EXPECT_FALSE(form1().Timer11.Enabled());
  EXPECT_EQ(system->player()->shown_voice(), "English US");
}

TEST_F(SpeechWindowReading, TheRussianAndEnglishButtonsSwitchThePlayerBackAndForth) {
  click(form1().Label7);
  advance(1000);
  EXPECT_EQ(shared().EnglishVoiceActive, 0);
  EXPECT_EQ(system->player()->shown_voice(), "Russian");
  click(form1().Picture10);
  advance(1000);
  EXPECT_EQ(shared().EnglishVoiceActive, 1);
  EXPECT_EQ(system->player()->shown_voice(), "English US");
}

}  // namespace

}  // namespace prevod
