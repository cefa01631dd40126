// The input and result boxes: the working box's cleaning and limit, the
// warm-up, and the stop button's submission.

#include <gtest/gtest.h>

#include <string>

#include "base/text.h"
#include "translation/translation_window_fixture.h"

namespace prevod {

namespace {

class InputBoxesTest : public TranslationWindowFixture {
 protected:
  void SetUp() override { start_ready(); }
};

TEST_F(InputBoxesTest, TheLimitCountsCharactersNotBytes) {
  Form2& f2 = form2();
  std::string letters;
  for (int i = 0; i < 300; ++i) letters += "ж";
  act([&] { f2.Text1.set_Text(letters); });
  click(f2.Picture16);
  EXPECT_EQ(text::length(f2.Text4.Text()), 249);
  EXPECT_EQ(f2.Text4.Text(), " " + text::left(letters, 248));
  EXPECT_EQ(text::length(f2.Text1.Text()), 249);
}

TEST_F(InputBoxesTest, AWorkingTextOf246CharactersKeepsItsSpaces) {
  Form2& f2 = form2();
  std::string text(246, 'x');
  act([&] { f2.Text4.set_Text(text); });
  EXPECT_EQ(f2.Text4.Text(), " " + text + "  ");
  std::string longer(247, 'x');
  act([&] { f2.Text4.set_Text(longer); });
  EXPECT_EQ(f2.Text4.Text(), " " + longer + " ") << "one trailing space is lost at 247";
}

TEST_F(InputBoxesTest, EnterTurnsTheLineBreaksOfTheInputIntoSpaces) {
  Form2& f2 = form2();
  act([&] { f2.Text1.set_Text("sun\r\nflower\nbed"); });
  click(f2.Text1);
  key(vk::END, false, true);
  key(vk::RETURN);
  EXPECT_EQ(f2.Text4.Text(), " sun flower bed  ");
}

TEST_F(InputBoxesTest, TheSpeechWindowsStopButtonSubmitsEnd) {
  act([&] { form1().Image2_Click(); });
  EXPECT_EQ(form2().Text1.Text(), "End ");
  EXPECT_EQ(form2().Text4.Text(), " End   ");
  EXPECT_TRUE(ends_with(last_request(), "#en|bg| End   ")) << last_request();
}

TEST_F(InputBoxesTest, TheWarmUpPlacesTheSpeechWindowBehindTheTranslationWindow) {
  EXPECT_EQ(form1().Left(), form2().Left());
  EXPECT_EQ(form1().Top(), form2().Top());
  EXPECT_TRUE(desktop().topmost(form2().hWnd()));
  EXPECT_EQ(requests().front().substr(requests().front().size() - 9), " Hello!  ");
}

}  // namespace

}  // namespace prevod
