// Typing into the program's text boxes on the simulated desktop: characters
// above U+FFFF arrive as two surrogates, one KeyPress each, and the box
// joins them into their character, whether typed, sent whole by the
// desktop, or pasted; a lone surrogate becomes U+FFFD; Change follows only
// edits that change the text.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/keys.h"
#include "support/system_fixture.h"

namespace prevod {

namespace {

const std::string Grin = "\xF0\x9F\x98\x80";  // U+1F600

class TypingTest : public SystemFixture {
 protected:
  void SetUp() override {
    boot();
    boot_to_ready();
    click(form2().Text1);
    key(vk::A, false, true);
    key(vk::DELETE_);
    ASSERT_EQ(box().Text(), "");
  }
  RichTextBox& box() { return form2().Text1; }
  // A desktop that hands over a whole character in one key event.
  void send_character(char32_t character) {
    act([&] {
      KeyEvent event;
      event.character = character;
      form2().deliver_key(event);
    });
  }
};

TEST_F(TypingTest, ACharacterAboveUffffTypedBetweenOthersArrivesWhole) {
  std::vector<int> presses;
  box().on_key_press = [&](int16_t& KeyAscii) {
    presses.push_back(static_cast<uint16_t>(KeyAscii));
  };
  type("a" + Grin + "b");
  EXPECT_EQ(box().Text(), "a" + Grin + "b");
  EXPECT_EQ(box().SelStart(), 4);
  EXPECT_EQ(presses, (std::vector<int>{'a', 0xD83D, 0xDE00, 'b'}))
      << "one KeyPress for each UTF-16 code unit";
}

TEST_F(TypingTest, ACharacterSentWholeByTheDesktopIsJoinedTheSameWay) {
  send_character(U'\U0001F600');
  send_character(U'ж');
  EXPECT_EQ(box().Text(), Grin + "ж");
}

TEST_F(TypingTest, ALoneSurrogateBecomesAReplacementCharacter) {
  send_character(0xD83D);
  send_character('x');
  send_character(0xDE00);
  EXPECT_EQ(box().Text(), "\xEF\xBF\xBDx\xEF\xBF\xBD");
}

TEST_F(TypingTest, APastedOrCopiedCharacterAboveUffffStaysWhole) {
  desktop().sim_clipboard().put("a" + Grin + "b");
  key(vk::V, false, true);
  EXPECT_EQ(box().Text(), "a" + Grin + "b");
  key(vk::LEFT);
  key(vk::LEFT);
  key(vk::BACK);
  EXPECT_EQ(box().Text(), Grin + "b") << "the caret stepped over the pair";
  key(vk::A, false, true);
  desktop().sim_clipboard().put("");
  key(vk::C, false, true);
  EXPECT_EQ(clipboard(), Grin + "b");
}

TEST_F(TypingTest, ChangeFollowsOnlyEditsThatChangeTheText) {
  int changes = 0;
  box().on_change = [&] { ++changes; };
  type("ab");
  EXPECT_EQ(changes, 2);
  key(vk::LEFT);
  key(vk::END);
  key(vk::A, false, true);
  EXPECT_EQ(changes, 2) << "caret moves and selections change nothing";
  desktop().sim_clipboard().put("ab");
  key(vk::V, false, true);
  EXPECT_EQ(changes, 2) << "the selection replaced by the same text";
  key(vk::DELETE_);
  EXPECT_EQ(changes, 2) << "nothing after the caret to delete";
  key(vk::BACK);
  EXPECT_EQ(changes, 3);
}

TEST_F(TypingTest, AnAssignedMalformedTextIsHeldAsUnicodeAndRaisesChangeOnce) {
  int changes = 0;
  box().on_change = [&] { ++changes; };
  act([&] { box().set_Text("a\xC3"); });
  EXPECT_EQ(box().Text(), "a\xEF\xBF\xBD");
  act([&] { box().set_Text("a\xC3"); });
  EXPECT_EQ(changes, 1) << "the same text again is no change";
}

}  // namespace

}  // namespace prevod
