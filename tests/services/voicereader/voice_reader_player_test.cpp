#include "services/voicereader/voice_reader_player.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "services/voicereader/host_keys.h"
#include "services/voicereader/recording_player_voice.h"

namespace prevod {

namespace {

using Event = RecordingPlayerVoice::Event;

class VoiceFailing : public PlayerVoice {
 public:
  void speak(const std::string&, const VoiceEntry&) override {
    throw RuntimeError("no audio device");
  }
  void stop() override { throw RuntimeError("no audio device"); }
};

class PlayerTest : public ::testing::Test {
 protected:
  PlayerTest() { make_player({}); }

  void make_player(std::vector<std::pair<std::string, std::string>> params) {
    PluginParams p;
    p.classid = "clsid:d27cdb6e-ae6d-11cf-96b8-444553540000";
    p.id = "vr_demo";
    p.params = std::move(params);
    keys.reset();
    player = std::make_unique<VoiceReaderPlayer>(p, clipboard,
                                                 std::make_unique<RecordingPlayerVoice>(log));
    keys = std::make_unique<HostKeys>(*player);
  }

  // Puts `text` into the field by pasting it.
  void fill_field(const std::string& text) {
    clipboard.SetText(text);
    keys->focus_player();
    keys->press_ctrl_v();
  }

  void focus_list() {
    keys->focus_player();
    keys->press_tab();
  }

  MemoryClipboard clipboard;
  std::shared_ptr<RecordingPlayerVoice::Log> log = std::make_shared<RecordingPlayerVoice::Log>();
  std::unique_ptr<VoiceReaderPlayer> player;
  std::unique_ptr<HostKeys> keys;
};

TEST_F(PlayerTest, ANewPlayerRestsOnItsEmptyTextFieldWithTheEnglishUkVoice) {
  EXPECT_EQ(player->focused(), PlayerControl::TextField);
  EXPECT_EQ(player->field().text(), "");
  EXPECT_EQ(player->shown_voice(), "English UK");
  EXPECT_EQ(player->voices().highlighted_entry().name, "English UK");
}

TEST_F(PlayerTest, TheFlashVarsLanguageAndTextChooseTheStartingVoiceAndText) {
  make_player({{"flashvars", "lang=ru&text=Hello%20there+friend"}});
  EXPECT_EQ(player->shown_voice(), "Russian");
  EXPECT_EQ(player->field().text(), "Hello there friend");

  make_player({{"FlashVars", "lang=xx-yy&text=100%"}});
  EXPECT_EQ(player->shown_voice(), "English UK");
  EXPECT_EQ(player->field().text(), "100%");
}

// Focus order and its ends.

TEST_F(PlayerTest, TabWalksTheFourControlsAndStaysOnSpeak) {
  keys->press_tab();
  EXPECT_EQ(player->focused(), PlayerControl::VoiceList);
  keys->press_tab();
  EXPECT_EQ(player->focused(), PlayerControl::StopButton);
  keys->press_tab();
  EXPECT_EQ(player->focused(), PlayerControl::SpeakButton);
  keys->press_tab();
  EXPECT_EQ(player->focused(), PlayerControl::SpeakButton);
}

TEST_F(PlayerTest, ShiftTabWalksBackAndStaysOnTheTextField) {
  for (int i = 0; i < 3; ++i) keys->press_tab();
  keys->press_shift_tab();
  EXPECT_EQ(player->focused(), PlayerControl::StopButton);
  keys->press_shift_tab();
  EXPECT_EQ(player->focused(), PlayerControl::VoiceList);
  keys->press_shift_tab();
  EXPECT_EQ(player->focused(), PlayerControl::TextField);
  keys->press_shift_tab();
  EXPECT_EQ(player->focused(), PlayerControl::TextField);
}

TEST_F(PlayerTest, OnlyKeyDownEventsAct) {
  KeyEvent up;
  up.code = vk::TAB;
  up.down = false;
  player->key_event(up);
  EXPECT_EQ(player->focused(), PlayerControl::TextField);
}

TEST_F(PlayerTest, TheShiftOfEachEventDecidesTheDirectionNotTheShiftKeyEvents) {
  // A Shift press that never reaches the player still turns Tab back.
  for (int i = 0; i < 2; ++i) keys->press_tab();
  KeyEvent tab;
  tab.code = vk::TAB;
  tab.shift = true;
  player->key_event(tab);
  EXPECT_EQ(player->focused(), PlayerControl::VoiceList);
}

TEST_F(PlayerTest, FocusAndClickBringTheFocusToTheTextFieldAndSelectAll) {
  fill_field("Good morning");
  keys->tap(vk::END);
  for (int i = 0; i < 3; ++i) keys->press_tab();
  player->focus();
  EXPECT_EQ(player->focused(), PlayerControl::TextField);
  EXPECT_EQ(player->field().selected_text(), "Good morning");

  keys->tap(vk::END);
  player->click();
  EXPECT_EQ(player->field().selected_text(), "Good morning");
}

// The text field.

TEST_F(PlayerTest, PageAndArrowKeysInTheFieldMoveTheCaretAndKeepTheText) {
  fill_field("Hello");
  keys->tap(vk::PRIOR);
  EXPECT_EQ(player->field().caret(), 0u);
  EXPECT_FALSE(player->field().has_selection());
  keys->tap(vk::NEXT);
  EXPECT_EQ(player->field().caret(), 5u);
  keys->tap(vk::UP);
  EXPECT_EQ(player->field().caret(), 0u);
  keys->tap(vk::DOWN);
  EXPECT_EQ(player->field().caret(), 5u);
  keys->press_enter();
  EXPECT_EQ(player->field().text(), "Hello");
  EXPECT_EQ(player->focused(), PlayerControl::TextField);
}

TEST_F(PlayerTest, CtrlADeleteEmptiesTheField) {
  fill_field("Hello");
  keys->tap(vk::END);
  keys->press_ctrl_a();
  keys->press_delete();
  EXPECT_EQ(player->field().text(), "");
}

TEST_F(PlayerTest, CtrlVReplacesTheSelectionWithTheClipboardText) {
  fill_field("old text");
  clipboard.SetText("new");
  keys->focus_player();
  keys->press_ctrl_v();
  EXPECT_EQ(player->field().text(), "new");
  EXPECT_EQ(player->field().caret(), 3u);
}

TEST_F(PlayerTest, PastedLineBreaksBecomeSpaces) {
  fill_field("one\r\ntwo\nthree\rfour");
  EXPECT_EQ(player->field().text(), "one two three four");
}

TEST_F(PlayerTest, ALongTextIsPastedWhole) {
  std::string text(300, 'x');
  fill_field(text);
  EXPECT_EQ(player->field().text(), text);
}

TEST_F(PlayerTest, CtrlCCopiesTheSelectionOnly) {
  fill_field("Hello world");
  keys->tap(vk::HOME);
  keys->key_down(vk::SHIFT);
  for (int i = 0; i < 5; ++i) keys->tap(vk::RIGHT);
  keys->key_up(vk::SHIFT);
  keys->press_ctrl_c();
  EXPECT_EQ(clipboard.text(), "Hello");
}

TEST_F(PlayerTest, CtrlCWithNothingSelectedCopiesTheWholeText) {
  fill_field("Hello world");
  keys->tap(vk::END);
  ASSERT_FALSE(player->field().has_selection());
  clipboard.SetText("something else");
  keys->press_ctrl_c();
  EXPECT_EQ(clipboard.text(), "Hello world");
}

TEST_F(PlayerTest, CtrlCOnAnEmptyFieldLeavesTheClipboardAlone) {
  clipboard.SetText("kept");
  keys->focus_player();
  keys->press_ctrl_c();
  EXPECT_EQ(clipboard.text(), "kept");
}

TEST_F(PlayerTest, AHeldClipboardMakesCopyAndPasteDoNothing) {
  fill_field("mine");
  clipboard.set_held(true);
  keys->press_ctrl_v();
  EXPECT_EQ(player->field().text(), "mine");
  keys->press_ctrl_c();
  clipboard.set_held(false);
  EXPECT_EQ(clipboard.text(), "mine");
}

TEST_F(PlayerTest, TypedCharactersAndLetterKeysGoIntoTheField) {
  keys->focus_player();
  KeyEvent typed;
  typed.code = 0;
  typed.character = U'Ж';
  player->key_event(typed);
  keys->tap(vk::A);
  keys->chord(vk::SHIFT, vk::C);
  keys->tap(vk::SPACE);
  EXPECT_EQ(player->field().text(),
            "Жa"
            "C ");
  keys->tap(vk::LEFT);
  keys->tap(vk::LEFT);
  keys->tap(vk::LEFT);
  keys->tap(vk::BACK);
  EXPECT_EQ(player->field().text(), "aC ");
}

// The voice list.

TEST_F(PlayerTest, EnterOnTheListAppliesTheHighlightedVoice) {
  focus_list();
  keys->tap(vk::DOWN);
  EXPECT_EQ(player->voices().highlighted_entry().name, "French");
  EXPECT_EQ(player->shown_voice(), "English UK");
  keys->press_enter();
  EXPECT_EQ(player->shown_voice(), "French");
  EXPECT_EQ(player->focused(), PlayerControl::VoiceList);
}

TEST_F(PlayerTest, LeavingTheListWithoutEnterUndoesTheMove) {
  for (auto leave : {0, 1, 2}) {
    focus_list();
    keys->tap(vk::NEXT);
    if (leave == 0) keys->press_tab();
    if (leave == 1) keys->press_shift_tab();
    if (leave == 2) player->focus();
    EXPECT_EQ(player->shown_voice(), "English UK");
    EXPECT_EQ(player->voices().highlighted_entry().name, "English UK") << leave;
  }
}

TEST_F(PlayerTest, EditingKeysOnTheListAreIgnored) {
  fill_field("text");
  clipboard.SetText("other");
  keys->press_tab();
  keys->press_ctrl_a();
  keys->press_delete();
  keys->press_ctrl_v();
  keys->press_ctrl_c();
  EXPECT_EQ(player->field().text(), "text");
  EXPECT_EQ(clipboard.text(), "other");
  EXPECT_EQ(player->voices().highlighted_entry().name, "English UK");
}

// The buttons.

TEST_F(PlayerTest, SpeakSpeaksTheWholeFieldWithTheAppliedVoice) {
  fill_field("Good night");
  keys->tap(vk::HOME);
  keys->press_tab();
  keys->tap(vk::UP);  // highlighted, not applied
  keys->press_tab();
  keys->press_tab();
  keys->press_enter();
  ASSERT_EQ(log->size(), 1u);
  EXPECT_EQ((*log)[0].kind, Event::Kind::Speak);
  EXPECT_EQ((*log)[0].text, "Good night");
  EXPECT_EQ((*log)[0].voice, "English UK");
}

TEST_F(PlayerTest, SpeakAgainRestartsAndStopStops) {
  fill_field("Again");
  for (int i = 0; i < 3; ++i) keys->press_tab();
  keys->press_enter();
  keys->press_enter();
  keys->press_shift_tab();
  keys->press_enter();
  ASSERT_EQ(log->size(), 3u);
  EXPECT_EQ((*log)[0].kind, Event::Kind::Speak);
  EXPECT_EQ((*log)[1].kind, Event::Kind::Speak);
  EXPECT_EQ((*log)[2].kind, Event::Kind::Stop);
}

TEST_F(PlayerTest, ButtonsIgnoreListAndEditingKeys) {
  fill_field("x");
  for (int i = 0; i < 2; ++i) keys->press_tab();
  for (auto code : {vk::PRIOR, vk::NEXT, vk::UP, vk::DOWN, vk::DELETE_}) keys->tap(code);
  keys->press_ctrl_v();
  keys->press_tab();
  keys->press_ctrl_a();
  EXPECT_TRUE(log->empty());
  EXPECT_EQ(player->field().text(), "x");
  EXPECT_EQ(player->focused(), PlayerControl::SpeakButton);
}

TEST_F(PlayerTest, DestroyingThePlayerStopsItsSpeech) {
  fill_field("long text");
  for (int i = 0; i < 3; ++i) keys->press_tab();
  keys->press_enter();
  keys.reset();
  player.reset();
  ASSERT_EQ(log->size(), 2u);
  EXPECT_EQ(log->back().kind, Event::Kind::Stop);
}

TEST_F(PlayerTest, ASpeechFailureLeavesThePlayerWorkingAndIsDescribed) {
  PluginParams p;
  p.id = "vr_demo";
  auto failing =
      std::make_unique<VoiceReaderPlayer>(p, clipboard, std::make_unique<VoiceFailing>());
  HostKeys failing_keys(*failing);
  clipboard.SetText("words");
  failing_keys.speak();
  EXPECT_EQ(failing->last_error(), "no audio device");
  EXPECT_NE(failing->describe().find("no audio device"), std::string::npos);
  failing_keys.check();
  EXPECT_EQ(failing->focused(), PlayerControl::TextField);
}

TEST_F(PlayerTest, DescribeTellsTextFocusHighlightAndVoice) {
  fill_field("Hi");
  keys->press_tab();
  keys->tap(vk::UP);
  std::string text = player->describe();
  EXPECT_NE(text.find("\"Hi\""), std::string::npos) << text;
  EXPECT_NE(text.find("focus: voice list"), std::string::npos) << text;
  EXPECT_NE(text.find("highlighted: English US"), std::string::npos) << text;
  EXPECT_NE(text.find("voice: English UK"), std::string::npos) << text;
}

}  // namespace

}  // namespace prevod
