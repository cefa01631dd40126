// The reading interval box of the speech settings panel: it takes digits
// only, keeps the last whole number in force while it is empty or handed
// anything else, moves the scroll bar with it, and the two-language reading
// after a translation waits by that number.

#include <gtest/gtest.h>

#include <string>

#include "platform/keys.h"
#include "translation/translation_window_fixture.h"

namespace prevod {

namespace {

class ReadingInterval : public TranslationWindowFixture {
 protected:
  void SetUp() override {
    start_ready();
    click(form1().Label5);  // the panel opens and shows Text6
    ASSERT_TRUE(form1().Text6.Visible());
    click(form1().Text6);
  }
  void close_panel() { click(form1().Label5); }
  // The interval Timer8 is armed with after "cat" (6 characters in the
  // working box: 1500 - 4 * v), and whether it then speaks the result.
  int32_t bulgarian_reading_after_cat() {
    close_panel();
    submit("cat");
    advance(2000);
    EXPECT_TRUE(form2().Timer8.Enabled());
    int32_t interval = form2().Timer8.Interval();
    size_t said = utterance_count();
    advance(interval);
    EXPECT_EQ(utterance_count(), said + 1) << "the Bulgarian result is spoken";
    return interval;
  }
  std::string box() { return form1().Text6.Text(); }
};

TEST_F(ReadingInterval, LettersTypedIntoTheBoxAreRefused) {
  type("abc");
  EXPECT_EQ(box(), "70");
  type("-. x");
  EXPECT_EQ(box(), "70");
  EXPECT_EQ(form1().VScroll1.Value(), 70);
  EXPECT_EQ(bulgarian_reading_after_cat(), 1220);
}

TEST_F(ReadingInterval, ARefusedKeyLeavesTheCaretWhereItWas) {
  ASSERT_EQ(form1().Text6.SelStart(), 0);
  type("x5");
  EXPECT_EQ(box(), "570");
}

TEST_F(ReadingInterval, TypedDigitsSetTheIntervalAndMoveTheBar) {
  key(vk::A, false, true);
  type("85");
  EXPECT_EQ(box(), "85");
  EXPECT_EQ(form1().VScroll1.Value(), 85);
  EXPECT_EQ(bulgarian_reading_after_cat(), 1160);
}

TEST_F(ReadingInterval, ANumberBeyondTheBarsRangeIsUsedAndTheBarStays) {
  key(vk::A, false, true);
  type("12");
  EXPECT_EQ(box(), "12");
  EXPECT_EQ(form1().VScroll1.Value(), 70) << "the bar reaches from 30 to 100";
  EXPECT_EQ(bulgarian_reading_after_cat(), 1452);
}

TEST_F(ReadingInterval, AnEmptiedBoxKeepsTheLastNumberAndShowsItAgainWhenThePanelCloses) {
  key(vk::A, false, true);
  type("85");
  key(vk::A, false, true);
  key(vk::DELETE_);
  EXPECT_EQ(box(), "");
  EXPECT_EQ(bulgarian_reading_after_cat(), 1160);
  EXPECT_EQ(box(), "85");
}

TEST_F(ReadingInterval, RetypingANumberDigitByDigitEndsWithTheNumberTyped) {
  key(vk::END);
  key(vk::BACK);
  key(vk::BACK);
  type("90");
  EXPECT_EQ(box(), "90");
  EXPECT_EQ(bulgarian_reading_after_cat(), 1140);
}

TEST_F(ReadingInterval, APastedTextWithALetterGivesWayToTheLastNumber) {
  key(vk::A, false, true);
  type("85");
  desktop().sim_clipboard().put("12a");
  key(vk::A, false, true);
  key(vk::V, false, true);
  EXPECT_EQ(box(), "85");
  EXPECT_EQ(form1().VScroll1.Value(), 85);
  EXPECT_EQ(bulgarian_reading_after_cat(), 1160);
}

TEST_F(ReadingInterval, TextsWrittenByCodeThatAreNoWholeNumberChangeNothing) {
  for (const char* value : {"fast", "0.5", "2.5", " 85", "1e3"}) {
    act([&] { form1().Text6.set_Text(value); });
    EXPECT_EQ(box(), "70") << value;
  }
  EXPECT_EQ(bulgarian_reading_after_cat(), 1220);
}

TEST_F(ReadingInterval, LeadingZerosAreWrittenBackAsTheBarShowsTheNumber) {
  key(vk::A, false, true);
  type("085");
  EXPECT_EQ(box(), "85");
  EXPECT_EQ(form1().VScroll1.Value(), 85);
}

TEST_F(ReadingInterval, TheBarStillWritesItsValueIntoTheBox) {
  act([&] { form1().VScroll1.set_Value(40); });
  EXPECT_EQ(box(), "40");
  EXPECT_EQ(bulgarian_reading_after_cat(), 1340);
}

}  // namespace

}  // namespace prevod
