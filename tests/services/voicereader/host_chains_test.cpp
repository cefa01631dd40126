// The host's keystroke chains against the player: each chain must land
// where the host expects from every state that any order of complete chains
// can reach, and the two list picks must reach English US and Russian from
// any highlight.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "services/voicereader/host_keys.h"
#include "services/voicereader/recording_player_voice.h"
#include "services/voicereader/voice_list.h"
#include "services/voicereader/voice_reader_player.h"

namespace prevod {

namespace {

using Event = RecordingPlayerVoice::Event;

enum class Chain { Reshape, Startup, English, Russian, Speak, Check };
constexpr Chain kChains[] = {Chain::Reshape, Chain::Startup, Chain::English,
                             Chain::Russian, Chain::Speak,   Chain::Check};

const char* chain_name(Chain chain) {
  switch (chain) {
    case Chain::Reshape:
      return "reshape";
    case Chain::Startup:
      return "start-up selection";
    case Chain::English:
      return "English selection";
    case Chain::Russian:
      return "Russian selection";
    case Chain::Speak:
      return "speak";
    case Chain::Check:
      return "check";
  }
  return "?";
}

// A player driven by the host, with a clipboard text that changes before
// every speak request so each one is told apart.
struct Host {
  Host() {
    PluginParams params;
    params.id = "vr_demo";
    player = std::make_unique<VoiceReaderPlayer>(params, clipboard,
                                                 std::make_unique<RecordingPlayerVoice>(log));
    keys = std::make_unique<HostKeys>(*player);
  }

  void run(Chain chain) {
    switch (chain) {
      case Chain::Reshape:
        keys->reshape();
        return;
      case Chain::Startup:
        keys->startup_selection();
        return;
      case Chain::English:
        keys->english_selection();
        return;
      case Chain::Russian:
        keys->russian_selection();
        return;
      case Chain::Speak:
        clipboard.SetText("request " + std::to_string(++requests) + " for the player");
        keys->speak();
        return;
      case Chain::Check:
        keys->check();
        return;
    }
  }

  MemoryClipboard clipboard;
  std::shared_ptr<RecordingPlayerVoice::Log> log = std::make_shared<RecordingPlayerVoice::Log>();
  std::unique_ptr<VoiceReaderPlayer> player;
  std::unique_ptr<HostKeys> keys;
  int requests = 0;
};

std::string history_text(const std::vector<Chain>& history) {
  std::string out = "after:";
  for (Chain c : history) out += std::string(" ") + chain_name(c) + ",";
  return out;
}

// Runs `chain` on a player that went through `history` and checks where it
// lands and what it did.
void expect_chain_lands(const std::vector<Chain>& history, Chain chain) {
  Host host;
  for (Chain c : history) host.run(c);
  SCOPED_TRACE(history_text(history) + " then " + chain_name(chain));

  const VoiceReaderPlayer& player = *host.player;
  std::string applied_before = player.shown_voice();
  std::string text_before = player.field().text();
  std::string clipboard_before = host.clipboard.text();
  size_t spoken_before = host.log->size();

  host.run(chain);

  std::vector<Event> events(host.log->begin() + static_cast<long>(spoken_before), host.log->end());
  // Outside a pick the highlight always rests on the applied voice.
  EXPECT_EQ(player.voices().highlighted(), player.voices().applied());

  switch (chain) {
    case Chain::Reshape:
    case Chain::Startup:
      EXPECT_EQ(player.focused(), PlayerControl::VoiceList);
      EXPECT_EQ(player.shown_voice(), applied_before);
      EXPECT_EQ(player.field().text(), text_before);
      EXPECT_TRUE(events.empty());
      break;
    case Chain::English:
    case Chain::Russian:
      EXPECT_EQ(player.shown_voice(), chain == Chain::English ? "English US" : "Russian");
      EXPECT_EQ(player.focused(), PlayerControl::StopButton);
      EXPECT_EQ(player.field().text(), text_before);
      EXPECT_TRUE(events.empty());
      break;
    case Chain::Speak:
      EXPECT_EQ(player.field().text(), host.clipboard.text());
      EXPECT_EQ(player.shown_voice(), applied_before);
      EXPECT_EQ(player.focused(), PlayerControl::SpeakButton);
      ASSERT_EQ(events.size(), 1u) << "Speak pressed once, Stop never";
      EXPECT_EQ(events[0].kind, Event::Kind::Speak);
      EXPECT_EQ(events[0].text, host.clipboard.text());
      EXPECT_EQ(events[0].voice, applied_before);
      break;
    case Chain::Check:
      EXPECT_EQ(player.focused(), PlayerControl::TextField);
      EXPECT_EQ(player.shown_voice(), applied_before);
      EXPECT_EQ(player.field().text(), text_before);
      // The whole field is copied; an empty field has nothing to copy.
      EXPECT_EQ(host.clipboard.text(), text_before.empty() ? clipboard_before : text_before);
      EXPECT_TRUE(events.empty());
      break;
  }
}

TEST(HostChains, EveryChainLandsWhereTheHostExpectsFromEveryReachableState) {
  // All orders of up to three complete chains from a fresh player, then
  // every chain once more.
  std::vector<std::vector<Chain>> histories{{}};
  for (size_t begin = 0, depth = 0; depth < 3; ++depth) {
    size_t end = histories.size();
    for (size_t i = begin; i < end; ++i) {
      for (Chain c : kChains) {
        auto longer = histories[i];
        longer.push_back(c);
        histories.push_back(longer);
      }
    }
    begin = end;
  }
  ASSERT_EQ(histories.size(), 1u + 6u + 36u + 216u);
  for (const auto& history : histories) {
    for (Chain chain : kChains) expect_chain_lands(history, chain);
  }
}

TEST(HostChains, TheStartUpSequenceEndsWithEnglishUsShownAndNothingSpoken) {
  Host host;
  host.keys->reshape();
  host.keys->startup_selection();
  EXPECT_EQ(host.player->shown_voice(), "English UK");
  host.keys->english_selection();
  EXPECT_EQ(host.player->shown_voice(), "English US");
  EXPECT_EQ(host.player->focused(), PlayerControl::StopButton);
  EXPECT_TRUE(host.log->empty());
}

TEST(HostChains, ASpeakRequestAndItsCheckRoundTripTheText) {
  Host host;
  host.keys->reshape();
  host.keys->russian_selection();
  host.clipboard.SetText("Привет, мир");
  host.keys->speak();
  host.clipboard.SetText("something copied meanwhile");
  host.keys->check();
  EXPECT_EQ(host.clipboard.text(), "Привет, мир");
  ASSERT_EQ(host.log->size(), 1u);
  EXPECT_EQ(host.log->back().voice, "Russian");
  EXPECT_EQ(host.log->back().text, "Привет, мир");
}

TEST(HostChains, SpeakingAnEmptyClipboardEmptiesTheFieldAndPressesSpeakOnce) {
  Host host;
  host.clipboard.SetText("first");
  host.keys->speak();
  host.clipboard.SetText("");
  host.keys->speak();
  EXPECT_EQ(host.player->field().text(), "");
  ASSERT_EQ(host.log->size(), 2u);
  EXPECT_EQ(host.log->back().kind, Event::Kind::Speak);
  EXPECT_EQ(host.log->back().text, "");
}

// The two list facts, from every highlight and every applied voice.

TEST(VoiceListPicks, PageUpFiveTimesThenDownFiveTimesLandsOnEnglishUs) {
  for (int applied = 0; applied < 18; ++applied) {
    for (int start = 0; start < 18; ++start) {
      VoiceList list(applied);
      for (int i = 0; i < 5; ++i) list.page_up();
      for (int i = 0; i < start; ++i) list.down();
      ASSERT_EQ(list.highlighted(), start);
      for (int i = 0; i < 5; ++i) list.page_up();
      for (int i = 0; i < 5; ++i) list.down();
      EXPECT_EQ(list.highlighted_entry().name, "English US") << "from " << start;
      EXPECT_EQ(list.applied(), applied);
    }
  }
}

TEST(VoiceListPicks, PageUpFivePageDownFiveUpFourLandsOnRussian) {
  for (int start = 0; start < 18; ++start) {
    VoiceList list(start);
    for (int i = 0; i < 5; ++i) list.page_up();
    for (int i = 0; i < 5; ++i) list.page_down();
    for (int i = 0; i < 4; ++i) list.up();
    EXPECT_EQ(list.highlighted_entry().name, "Russian") << "from " << start;
  }
}

TEST(VoiceListPicks, MovesStopAtTheEnds) {
  VoiceList list(0);
  list.up();
  list.page_up();
  EXPECT_EQ(list.highlighted(), 0);
  for (int i = 0; i < 10; ++i) list.page_down();
  EXPECT_EQ(list.highlighted(), 17);
  list.down();
  EXPECT_EQ(list.highlighted_entry().name, "Ukrainian");
  list.page_up();
  EXPECT_EQ(list.highlighted(), 13);
}

}  // namespace

}  // namespace prevod
