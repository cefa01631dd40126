#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "services/voicereader/host_keys.h"
#include "services/voicereader/recording_player_voice.h"
#include "services/voicereader/voice_reader_player.h"

namespace prevod {

namespace {

using Event = RecordingPlayerVoice::Event;

// Where a person can reach the player on the host's window: the host shows
// the stage from column 35 and row 50, and its own banner and strip cover
// the rows above 75 and the columns from 517 on.
constexpr int kReachableLeft = 35;
constexpr int kReachableTop = 75;
constexpr int kReachableRight = 517;
constexpr int kStageHeight = 370;

class PlayerFaceTest : public ::testing::Test {
 protected:
  PlayerFaceTest() { make_player("lang=en-us&text=Hello"); }

  void make_player(const std::string& flash_vars) {
    PluginParams params;
    params.id = "vr_demo";
    params.params = {{"FlashVars", flash_vars}};
    keys.reset();
    player = std::make_unique<VoiceReaderPlayer>(params, clipboard,
                                                 std::make_unique<RecordingPlayerVoice>(log));
    keys = std::make_unique<HostKeys>(*player);
  }

  const PluginPart& part(const std::string& name) {
    m_face = player->face();
    for (const PluginPart& part : m_face.parts) {
      if (part.name == name) return part;
    }
    ADD_FAILURE() << "no part " << name;
    static const PluginPart none;
    return none;
  }

  void act(PluginAction::Kind kind, const std::string& part_name, int entry = -1,
           size_t position = 0, int steps = 0) {
    PluginAction action;
    action.kind = kind;
    action.part = part_name;
    action.entry = entry;
    action.position = position;
    action.steps = steps;
    player->user_action(action);
  }
  void click(const std::string& part_name, int entry = -1, size_t position = 0) {
    act(PluginAction::Kind::Click, part_name, entry, position);
  }

  MemoryClipboard clipboard;
  std::shared_ptr<RecordingPlayerVoice::Log> log = std::make_shared<RecordingPlayerVoice::Log>();
  std::unique_ptr<VoiceReaderPlayer> player;
  std::unique_ptr<HostKeys> keys;

 private:
  PluginFace m_face;
};

TEST_F(PlayerFaceTest, ShowsTheFieldTheListTheButtonsAndTheAppliedVoice) {
  EXPECT_EQ(part("text field").kind, PluginPart::Kind::TextField);
  EXPECT_EQ(part("text field").text, "Hello");
  const PluginPart& list = part("voice list");
  EXPECT_EQ(list.kind, PluginPart::Kind::List);
  EXPECT_EQ(list.entries.size(), 18u);
  EXPECT_EQ(list.entries[5], "English US");
  EXPECT_EQ(list.rows, 4);
  EXPECT_EQ(list.highlighted, 5);
  EXPECT_EQ(list.applied, 5);
  EXPECT_EQ(part("Stop").kind, PluginPart::Kind::Button);
  EXPECT_EQ(part("Speak").text, "Speak");
  EXPECT_EQ(part("shown voice").text, "English US");
  EXPECT_EQ(part("presenter").kind, PluginPart::Kind::Picture);
}

TEST_F(PlayerFaceTest, ThePartsAPersonWorksLieWhereTheHostLeavesThePlayerInSight) {
  for (const std::string name : {"text field", "voice list", "Stop", "Speak"}) {
    const PageBox box = part(name).box;
    EXPECT_GE(box.left, kReachableLeft) << name;
    EXPECT_GE(box.top, kReachableTop) << name;
    EXPECT_LE(box.left + box.width, kReachableRight) << name;
    EXPECT_LE(box.top + box.height, kStageHeight) << name;
  }
  // The applied voice shows in the strip, right of the host's column 517.
  EXPECT_GE(part("shown voice").box.left, kReachableRight);
}

TEST_F(PlayerFaceTest, TheListShowsFourRowsAroundTheHighlightAndStopsAtTheEnds) {
  keys->focus_player();
  keys->press_tab();
  EXPECT_EQ(part("voice list").first_shown, 4);  // a row above English US
  for (int i = 0; i < 5; ++i) keys->tap(vk::PRIOR);
  EXPECT_EQ(part("voice list").highlighted, 0);
  EXPECT_EQ(part("voice list").first_shown, 0);
  keys->tap(vk::DOWN);
  EXPECT_EQ(part("voice list").first_shown, 0);
  keys->tap(vk::DOWN);
  EXPECT_EQ(part("voice list").first_shown, 1);
  for (int i = 0; i < 5; ++i) keys->tap(vk::NEXT);
  EXPECT_EQ(part("voice list").highlighted, 17);
  EXPECT_EQ(part("voice list").first_shown, 14);
  keys->tap(vk::UP);
  EXPECT_EQ(part("voice list").first_shown, 14);
}

TEST_F(PlayerFaceTest, TheFocusedPartAndTheFieldsSelectionFollowTheKeys) {
  keys->focus_player();
  EXPECT_TRUE(part("text field").focused);
  EXPECT_EQ(part("text field").anchor, 0u);
  EXPECT_EQ(part("text field").caret, 5u);
  EXPECT_FALSE(part("voice list").focused);
  keys->press_tab();
  keys->press_tab();
  EXPECT_FALSE(part("text field").focused);
  EXPECT_TRUE(part("Stop").focused);
  EXPECT_FALSE(part("Speak").focused);
}

TEST_F(PlayerFaceTest, AClickInTheFieldPutsTheCaretThereOnACharacterBoundary) {
  make_player("text=%D0%B6%D0%B0%D0%B1%D0%B0");  // жаба
  keys->press_tab();
  click("text field", -1, 3);  // inside the second letter
  EXPECT_EQ(player->focused(), PlayerControl::TextField);
  EXPECT_EQ(part("text field").caret, 2u);
  EXPECT_EQ(part("text field").anchor, 2u);
  click("text field", -1, 1000);
  EXPECT_EQ(part("text field").caret, 8u);
}

TEST_F(PlayerFaceTest, AClickOnAnEntryAppliesItsVoiceAndTheWheelOnlyMovesTheHighlight) {
  click("voice list", 13);
  EXPECT_EQ(player->focused(), PlayerControl::VoiceList);
  EXPECT_EQ(player->shown_voice(), "Russian");
  EXPECT_EQ(part("shown voice").text, "Russian");

  act(PluginAction::Kind::Wheel, "voice list", -1, 0, 2);
  EXPECT_EQ(part("voice list").highlighted, 15);
  EXPECT_EQ(part("voice list").applied, 13);
  act(PluginAction::Kind::Wheel, "voice list", -1, 0, -20);
  EXPECT_EQ(part("voice list").highlighted, 0);
  // Leaving the list without Enter puts the highlight back.
  keys->press_tab();
  EXPECT_EQ(part("voice list").highlighted, 13);
}

TEST_F(PlayerFaceTest, AClickOnSpeakSpeaksTheFieldAndOnStopStops) {
  click("Speak");
  EXPECT_EQ(player->focused(), PlayerControl::SpeakButton);
  click("Stop");
  EXPECT_EQ(player->focused(), PlayerControl::StopButton);
  ASSERT_EQ(log->size(), 2u);
  EXPECT_EQ((*log)[0].kind, Event::Kind::Speak);
  EXPECT_EQ((*log)[0].text, "Hello");
  EXPECT_EQ((*log)[0].voice, "English US");
  EXPECT_EQ((*log)[1].kind, Event::Kind::Stop);
}

TEST_F(PlayerFaceTest, ActionsOnNothingOrBeyondTheListChangeNothing) {
  click("voice list", 18);
  click("voice list", -1);
  click("presenter");
  click("no such part");
  act(PluginAction::Kind::Wheel, "Speak", -1, 0, 1);
  act(PluginAction::Kind::Wheel, "text field", -1, 0, 1);
  EXPECT_EQ(player->shown_voice(), "English US");
  EXPECT_TRUE(log->empty());
  EXPECT_EQ(part("text field").text, "Hello");
}

}  // namespace

}  // namespace prevod
