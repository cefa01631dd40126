// The clipboard watcher while capture is on: the program's own clipboard
// writes (the request's source, the result put there for the voice reader)
// are recorded as seen and never translated again, and an empty clipboard,
// as switching capture on leaves it, is no text to take: the input box
// keeps its text and no request goes out.

#include <gtest/gtest.h>

#include <string>

#include "translation/translation_window_fixture.h"

namespace prevod {

namespace {

class ClipboardWatcher : public TranslationWindowFixture {
 protected:
  void SetUp() override {
    start_ready();
    click(form2().Picture17);  // capture on
    ASSERT_TRUE(form2().Timer5.Enabled());
    advance(1000);
  }
};

TEST_F(ClipboardWatcher, TheResultPutOnTheClipboardForTheVoiceReaderIsNotTranslatedAgain) {
  Form2& f2 = form2();
  submit("котка");
  const size_t sent = requests().size();
  advance(2000);
  const std::string result = f2.Text3.Text();
  ASSERT_TRUE(f2.Timer9.Enabled());
  advance(f2.Timer9.Interval());
  ASSERT_EQ(clipboard(), result) << "the reading put the result on the clipboard";

  settle();
  EXPECT_EQ(requests().size(), sent) << "no request for our own text";
  EXPECT_EQ(f2.Text1.Text(), "котка\r\n") << "the input box keeps what was typed";
  EXPECT_EQ(f2.LastClipboardText, result) << "the watcher recorded it as seen";

  // A text copied afterwards by another program is taken as usual.
  desktop().sim_clipboard().put("house");
  advance(300);
  ASSERT_EQ(requests().size(), sent + 1);
  EXPECT_TRUE(ends_with(last_request(), "#en|bg| house  ")) << last_request();
}

TEST_F(ClipboardWatcher, TheSourcePutOnTheClipboardByTheTranslateButtonIsNotTranslatedAgain) {
  Form2& f2 = form2();
  act([&] { f2.Text1.set_Text("cat"); });
  click(f2.Picture16);
  const size_t sent = requests().size();
  ASSERT_EQ(clipboard(), " cat  ");
  settle();
  EXPECT_EQ(requests().size(), sent);
  EXPECT_EQ(f2.Text1.Text(), "cat");
}

TEST_F(ClipboardWatcher, SwitchingCaptureOffAndOnLeavesTheInputAndSendsNothing) {
  Form2& f2 = form2();
  // The watcher has taken a text: an emptied clipboard now differs from
  // the last text it saw.
  desktop().sim_clipboard().put("cat");
  settle();
  ASSERT_EQ(f2.Text1.Text(), "cat");
  const std::string result = f2.Text3.Text();
  const size_t sent = requests().size();
  for (int i = 0; i < 3; ++i) {
    click(f2.Picture24);  // off
    advance(500);
    click(f2.Picture17);  // on: the clipboard is emptied
    EXPECT_FALSE(desktop().sim_clipboard().peek().has_value());
    advance(1000);
  }
  EXPECT_EQ(f2.Text1.Text(), "cat");
  EXPECT_EQ(f2.Text3.Text(), result);
  EXPECT_EQ(requests().size(), sent);
}

TEST_F(ClipboardWatcher, AClipboardEmptiedByAnotherProgramIsNoText) {
  Form2& f2 = form2();
  desktop().sim_clipboard().put("cat");
  settle();
  const size_t sent = requests().size();
  ASSERT_EQ(f2.Text1.Text(), "cat");
  desktop().sim_clipboard().put("");
  advance(1000);
  EXPECT_EQ(f2.Text1.Text(), "cat");
  EXPECT_EQ(requests().size(), sent);
}

}  // namespace

}  // namespace prevod
