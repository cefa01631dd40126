// The exact keystrokes of the three language chains, presses and releases
// in order, step by step at their times: the English and Russian
// selections and the start-up selection. The player forgives some missing
// keys, so the recorded keys are what shows a chain as it is meant to be.

#include <gtest/gtest.h>

#include <string>

#include "desktop/klik.h"
#include "platform/keys.h"
#include "support/system_fixture.h"

namespace prevod {

namespace {

std::string repeat(const std::string& words, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += (out.empty() ? "" : " ") + words;
  return out;
}

const std::string Tab = "Tab+ Tab-";
const std::string ShiftTab = "Shift+ Tab+ Tab- Shift-";
const std::string Enter = "Enter+ Enter-";
const std::string FromTop = repeat("PageUp+ PageUp-", 5) + " " + repeat("Down+ Down-", 5);
const std::string FromBottom = repeat("PageUp+ PageUp-", 5) + " " +
                               repeat("PageDown+ PageDown-", 5) + " " + repeat("Up+ Up-", 4);
// The first step of the English and the Russian selection.
const std::string ChainStart = Tab + " " + ShiftTab + " " + ShiftTab;
// The pick from the top of the list that both chains make next, and with
// which the English one ends.
const std::string PickTop = FromTop + " " + Enter + " " + Tab;
const std::string PickBottom = FromBottom + " " + Enter + " " + Tab;

class LanguageChainKeys : public SystemFixture {
 protected:
  // The keys sent since the last call, as "Tab+ Tab-" words; every key
  // goes out with flags 1 down and 3 up, scan code 0, no extra data.
  std::string keys() {
    std::string out;
    for (const auto& key : desktop().key_log()) {
      EXPECT_TRUE(key.flags == 1 || key.flags == 3) << "flags " << key.flags;
      EXPECT_EQ(key.scan, 0);
      EXPECT_EQ(key.extra, 0u);
      if (!out.empty()) out += ' ';
      out += std::string(key_name(key.code)) + (key.flags == 3 ? "-" : "+");
    }
    desktop().clear_key_log();
    return out;
  }
  void ready() {
    boot_to_ready();
    advance(10000);
    keys();
  }
};

TEST_F(LanguageChainKeys, TheEnglishSelectionSendsItsThreeStepsHalfASecondApart) {
  ready();
  click(form1().Label8);
  EXPECT_EQ(keys(), ChainStart);
  advance(499);
  EXPECT_EQ(keys(), "");
  advance(1);
  EXPECT_EQ(keys(), PickTop) << "Timer3";
  advance(499);
  EXPECT_EQ(keys(), "");
  advance(1);
  EXPECT_EQ(keys(), PickTop) << "the completion step";
  EXPECT_EQ(shared().EnglishVoiceActive, 1);
  advance(5000);
  EXPECT_EQ(keys(), "") << "nothing follows";
}

TEST_F(LanguageChainKeys, TheRussianSelectionEndsWithThePickFromTheBottom) {
  ready();
  click(form1().Label7);
  EXPECT_EQ(keys(), ChainStart);
  advance(500);
  EXPECT_EQ(keys(), PickTop) << "Timer4";
  EXPECT_EQ(shared().EnglishVoiceActive, 1) << "not yet";
  advance(499);
  EXPECT_EQ(keys(), "");
  advance(1);
  EXPECT_EQ(keys(), PickBottom) << "Timer5";
  EXPECT_EQ(shared().EnglishVoiceActive, 0);
  advance(5000);
  EXPECT_EQ(keys(), "");
}

TEST_F(LanguageChainKeys, TheStartUpSelectionThenTheFullEnglishSelectionReleaseTheWindow) {
  ASSERT_TRUE(run_until([&] { return form1().TimerEn.Enabled(); }, 20000)) << "Oformi ran";
  keys();
  advance(form1().TimerEn.next_tick() - now());
  EXPECT_EQ(keys(), repeat(ShiftTab, 3)) << "TimerEn and Command5_Click";
  advance(500);
  EXPECT_EQ(keys(), PickTop) << "the start-up selection's completion";
  EXPECT_EQ(shared().VoiceReaderReady, 1);
  EXPECT_FALSE(form2().Timer0.Enabled());
  advance(999);
  EXPECT_EQ(keys(), "");
  advance(1);
  EXPECT_EQ(keys(), ChainStart) << "Timer11 starts the English selection";
  advance(500);
  EXPECT_EQ(keys(), PickTop);
  advance(500);
  EXPECT_EQ(keys(), PickTop);
  EXPECT_TRUE(form2().Timer0.Enabled()) << "the second completion";
}

TEST_F(LanguageChainKeys, ReadTwoOfACyrillicTextRunsTheRussianChainThenTheSpeakSequence) {
  ready();
  act([&] {
    desktop().sim_clipboard().put("кошка");
    form2().Text3.set_Text("кошка");
    form2().Command7_Click();
  });
  EXPECT_EQ(keys(), "");
  advance(100);
  EXPECT_EQ(keys(), ChainStart) << "Form1's Timer8 starts the Russian selection";
  advance(500);
  EXPECT_EQ(keys(), PickTop);
  advance(500);
  EXPECT_EQ(keys(), PickBottom);
  advance(899);
  EXPECT_EQ(keys(), "");
  advance(1);
  const std::string speak = ShiftTab + " " + repeat(ShiftTab, 2) +
                            " Ctrl+ A+ A- Ctrl- Delete+ Delete- " + "Ctrl+ V+ V- Ctrl- " + Tab +
                            " " + Enter + " " + Tab + " " + Tab + " " + Enter;
  EXPECT_EQ(keys(), speak) << "2000 ms after the request";
}

}  // namespace

}  // namespace prevod
