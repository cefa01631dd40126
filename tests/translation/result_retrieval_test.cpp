// Reading the result out of the translation page: which element is read,
// what happens when there is none or it comes too late, and the step that
// hands the result to the voice reader through the clipboard.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "translation/recording_site.h"
#include "translation/translation_window_fixture.h"

namespace prevod {

namespace {

class ResultRetrievalTest : public TranslationWindowFixture {
 protected:
  // From now on requests go to a page of fixed markup.
  std::shared_ptr<RecordingSite> serve_requests_from(const std::string& html) {
    auto site = std::make_shared<RecordingSite>(html, 50);
    system->sites.add("fixed.localhost", site);
    system->config.TranslationBase = "http://fixed.localhost";
    return site;
  }
};

TEST_F(ResultRetrievalTest, WithTwoResultBoxesTheLaterOneIsShown) {
  start_ready();
  auto site = serve_requests_from(
      "<html><body><span id=\"result_box\">first</span><span>between</span>"
      "<span id=\"Result_Box\">not this</span><span id=\"result_box\">second</span></body></html>");
  submit("cat");
  ASSERT_TRUE(run_until([&] { return !form2().Text3.Text().empty(); }, 3000));
  EXPECT_EQ(form2().Text3.Text(), "second");
  // The page receives the fragment as the browser parsed the address.
  EXPECT_EQ(site->fragments.back().rfind("en|bg| cat", 0), 0u) << site->fragments.back();
}

TEST_F(ResultRetrievalTest, WithoutAResultBoxTheResultBoxKeepsWhatItHad) {
  start_ready();
  serve_requests_from("<html><body><span id=\"other\">nothing here</span></body></html>");
  Form2& f2 = form2();
  act([&] { f2.Text3.set_Text("earlier"); });
  act([&] {
    f2.Text4.set_Text("cat");  // a request without the Enter that empties Text3
  });
  advance(2100);
  EXPECT_EQ(f2.Text3.Text(), "earlier");

  submit("dog");
  advance(2100);
  EXPECT_EQ(f2.Text3.Text(), "") << "after an Enter the box stays empty";
  EXPECT_TRUE(f2.Text3.Visible());
}

TEST_F(ResultRetrievalTest, TheResultBoxIsShownAfterTheFirstReadEvenWhenNothingWasFound) {
  SimulatedSystem::Options options;
  options.config.TranslationBase = "http://fixed.localhost";
  start(options);
  system->sites.add("fixed.localhost",
                    std::make_shared<RecordingSite>("<html><body></body></html>", 50));
  ASSERT_TRUE(run_until([&] { return form2().Timer1.Enabled(); }, 30000));
  EXPECT_FALSE(form2().Text3.Visible());
  advance(3000 + 50 + 2000);  // warm-up, the page's load, the read
  EXPECT_TRUE(form2().Text3.Visible());
  EXPECT_TRUE(form2().Text1.Visible());
  EXPECT_EQ(form2().Text3.Text(), "");
  EXPECT_FALSE(form2().Timer10.Enabled());
}

TEST_F(ResultRetrievalTest, AResultLaterThanTwoSecondsIsReadOnlyByTheNextRequest) {
  start_ready();
  system->translator->set_result_delay(2500);
  Form2& f2 = form2();
  std::string warm_up = f2.Text3.Text();
  submit("cat");
  EXPECT_EQ(f2.Text3.Text(), "");
  advance(2000);
  EXPECT_EQ(f2.Text3.Text(), warm_up) << "the page still shows the previous result";
  advance(1000);
  EXPECT_EQ(f2.Text3.Text(), warm_up) << "no second read";

  // The next request finds the late result still in the page.
  act([&] { f2.Text4.set_Text("dog"); });
  advance(2000);
  EXPECT_EQ(f2.Text3.Text(), translation_of("en|bg| cat  "));
}

TEST_F(ResultRetrievalTest, TheVoiceReadersResultStepPutsTheResultOnTheClipboard) {
  start_ready();
  Form2& f2 = form2();
  submit("котка");
  advance(2000);
  ASSERT_TRUE(f2.Timer9.Enabled());
  desktop().sim_clipboard().put("something else");
  advance(f2.Timer9.Interval());
  EXPECT_FALSE(f2.Timer9.Enabled());
  EXPECT_EQ(clipboard(), f2.Text3.Text());
  EXPECT_TRUE(form1().Timer6.Enabled());
}

TEST_F(ResultRetrievalTest, AHeldClipboardSkipsTheVoiceReadersResultStep) {
  start_ready();
  Form2& f2 = form2();
  submit("котка");
  advance(2000);
  ASSERT_TRUE(f2.Timer9.Enabled());
  desktop().sim_clipboard().set_held(true);
  advance(f2.Timer9.Interval());
  EXPECT_FALSE(f2.Timer9.Enabled());
  EXPECT_FALSE(form1().Timer6.Enabled()) << "nothing to read: the result is not on the clipboard";
  EXPECT_EQ(f2.IgnoreClipboardOnce, 1) << "the Enter's skip is still owed";
  desktop().sim_clipboard().set_held(false);
}

}  // namespace

}  // namespace prevod
