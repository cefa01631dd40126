#include <gtest/gtest.h>

#include "support/system_fixture.h"

namespace prevod {

namespace {

using StartupTest = SystemFixture;

TEST_F(StartupTest, Form1LoadsParkedOffScreenWithHelloBoyOnTheClipboard) {
  EXPECT_EQ(form1().Left(), -10600);
  EXPECT_EQ(form1().Top(), 0);
  EXPECT_EQ(form1().Width(), 10600);
  EXPECT_EQ(form1().Height(), 5700);
  EXPECT_TRUE(form1().Visible());
  EXPECT_EQ(form1().Command5.Left(), -form1().Command5.Width());
  EXPECT_EQ(form1().WebBrowser1.Top(), 550);
  EXPECT_EQ(form1().WebBrowser1.Height(), 5450);
  EXPECT_EQ(clipboard(), "Hello boy!");
  EXPECT_EQ(shared().Form1Handle, static_cast<int32_t>(form1().hWnd()));
  EXPECT_EQ(system->app.Form2_if_loaded(), nullptr) << "Form1's load does not touch Form2";
}

TEST_F(StartupTest, Form2IsCreatedByTheFirstTickOfForm1sTimer10AndStaysHidden) {
  advance(49);
  EXPECT_EQ(system->app.Form2_if_loaded(), nullptr);
  advance(1);
  ASSERT_NE(system->app.Form2_if_loaded(), nullptr);
  Form2& f2 = form2();
  EXPECT_FALSE(f2.Visible());
  EXPECT_EQ(f2.Width(), 7305);
  EXPECT_EQ(f2.Height(), 3135);
  EXPECT_TRUE(f2.image1.Visible());
  EXPECT_EQ(f2.image1.Width(), 7305);
  EXPECT_EQ(shared().FormHeights[0].number(), 3425);
  EXPECT_EQ(shared().FormHeights[1].number(), 5700);
  EXPECT_TRUE(desktop().topmost(f2.hWnd()));
  EXPECT_NE(f2.tts, nullptr);
  EXPECT_EQ(f2.WebBrowser3.Left(), 0);
  EXPECT_TRUE(f2.WebBrowser3.Busy()) << "the home page is loading";
  advance(100);
  EXPECT_EQ(f2.WebBrowser3.LocationURL(), "http://translate.localhost/");
}

TEST_F(StartupTest, Form2AppearsAboutOneSecondLaterCentredWithItsCover) {
  advance(1049);
  EXPECT_FALSE(form2().Visible());
  advance(1);
  EXPECT_TRUE(form2().Visible());
  EXPECT_TRUE(form1().Visible());
  EXPECT_EQ(form2().Left(), 28800 / 2 - 7305 / 2.0f);
}

TEST_F(StartupTest, TheProgressFillGrowsByFifteenthsThenStopsShortOfTheTrack) {
  // Without the voice reader the cover stays and the bar keeps its place.
  SimulatedSystem::Options options;
  options.config.VoiceReaderAddress = "http://offline.example/onlineservices/voice_reader";
  boot(options);
  advance(50);
  const float track = form2().Image3.Width();
  for (int n = 1; n <= 16; ++n) {
    advance(1000);
    float expected = n < 15 ? track / 15 * n : track - 120;
    EXPECT_FLOAT_EQ(form2().Image2.Width(), expected) << "tick " << n;
    EXPECT_EQ(form2().ProgressTicks, n);
  }
}

TEST_F(StartupTest, FormHeightsIsTakenOnceAtLoad) {
  advance(50);
  form2().Text3.set_Top(9999);
  EXPECT_EQ(shared().FormHeights[0].number(), 3425);
}

TEST_F(StartupTest, TheCoverCloseButtonEndsTheProgramAndLeavesTheIconToTheShell) {
  advance(1100);
  click(form2().Picture3);
  EXPECT_TRUE(system->app.ended());
  EXPECT_EQ(desktop().tray().icons().size(), 1u);
  EXPECT_EQ(system->app.Form1_if_loaded(), nullptr);
}

TEST_F(StartupTest, TheHeaderCloseLabelEndsTheProgramAndRemovesTheIcon) {
  advance(1100);
  click(form2().Picture1);
  EXPECT_TRUE(system->app.ended());
  EXPECT_TRUE(desktop().tray().icons().empty());
}

TEST_F(StartupTest, WithoutASpeechEngineTtsStaysEmptyAndStartUpGoesOn) {
  SimulatedSystem::Options options;
  options.speech_engine = false;
  boot(options);
  advance(1100);
  EXPECT_EQ(form2().tts, nullptr);
  EXPECT_EQ(form2().WebBrowser3.LocationURL(), "http://translate.localhost/");
  EXPECT_TRUE(form2().Visible());
}

TEST_F(StartupTest, AClipboardHeldAtStartSkipsOnlyTheGreeting) {
  boot({}, false);
  desktop().sim_clipboard().set_held(true);
  system->start();
  advance(60);
  EXPECT_TRUE(form1().Visible());
  EXPECT_FALSE(form1().WebBrowser1.LocationURL().empty());
}

}  // namespace

}  // namespace prevod
