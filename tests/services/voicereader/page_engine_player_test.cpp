// The voice reader through the real page engine: the site loads with its two
// downloads, the page's OBJECT becomes a player, writing the markup again
// replaces it, and the host's chains reach the new player through the
// page's focus and keyboard.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "base/simulated_loop.h"
#include "base/trace.h"
#include "platform/page/page_engine.h"
#include "platform/page/plugin.h"
#include "platform/page/site.h"
#include "resources/player_markup.h"
#include "services/voicereader/host_keys.h"
#include "services/voicereader/recording_player_voice.h"
#include "services/voicereader/voice_reader_player.h"
#include "services/voicereader/voice_reader_service.h"

namespace prevod {

namespace {

using Event = RecordingPlayerVoice::Event;

class VoiceReaderPage : public ::testing::Test {
 protected:
  void SetUp() override {
    browser->on_download_complete = [this] { ++downloads; };
    browser->Navigate("http://voicereader.localhost/onlineservices/voice_reader");
    loop.advance(2000);
  }

  // The focus step of the host: every OBJECT with the Id "vr_demo" is
  // focused and clicked.
  void focus_player() {
    auto objects = browser->Document()->getElementsByTagName("OBJECT");
    for (int32_t i = 0; i < objects->length(); ++i) {
      if (objects->Item(i)->Id() != "vr_demo") continue;
      objects->Item(i)->focus();
      objects->Item(i)->Click();
    }
  }

  std::shared_ptr<Element> second_div() {
    return browser->Document()->getElementsByTagName("div")->Item(1);
  }

  SimulatedLoop loop;
  Trace trace;
  SiteRegistry sites;
  PluginRegistry plugins;
  MemoryClipboard clipboard;
  std::shared_ptr<RecordingPlayerVoice::Log> log = std::make_shared<RecordingPlayerVoice::Log>();
  std::shared_ptr<PlayerDirectory> directory =
      register_voice_reader(sites, plugins, clipboard, RecordingPlayerVoice::factory(log));
  PageEngine engine{loop, sites, plugins, trace};
  std::unique_ptr<Browser> browser = engine.create_browser();
  int downloads = 0;
  HostKeys keys{[this] { focus_player(); },
                [this](const KeyEvent& event) { browser->key_event(event); }};
};

TEST_F(VoiceReaderPage, LoadsWithTwoDownloadsAndOnePlayer) {
  EXPECT_EQ(downloads, 2);
  EXPECT_FALSE(browser->Busy());
  EXPECT_GE(browser->Document()->getElementsByTagName("div")->length(), 4);
  EXPECT_GE(browser->Document()->getElementsByTagName("TABLE")->length(), 3);
  // The NOSCRIPT fallback stays inert: one OBJECT, one player.
  EXPECT_EQ(browser->Document()->getElementsByTagName("OBJECT")->length(), 1);
  EXPECT_EQ(directory->created(), 1);
  EXPECT_NE(directory->current(), nullptr);
}

TEST_F(VoiceReaderPage, WritingTheMarkupAgainReplacesThePlayer) {
  clipboard.SetText("before the reshaping");
  keys.speak();
  ASSERT_EQ(log->size(), 1u);

  second_div()->set_innerhtml("");
  EXPECT_EQ(directory->current(), nullptr);
  ASSERT_EQ(log->size(), 2u);
  EXPECT_EQ(log->back().kind, Event::Kind::Stop);

  second_div()->set_innerhtml(PlayerMarkup());
  EXPECT_EQ(directory->created(), 2);
  ASSERT_NE(directory->current(), nullptr);
  EXPECT_EQ(directory->current()->field().text(), "");
  EXPECT_EQ(directory->current()->shown_voice(), "English UK");
}

TEST_F(VoiceReaderPage, TheHostsChainsWorkThePlayerThroughThePage) {
  second_div()->set_innerhtml("");
  second_div()->set_innerhtml(PlayerMarkup());
  VoiceReaderPlayer* player = directory->current();
  ASSERT_NE(player, nullptr);
  log->clear();  // the replaced player's stop

  keys.reshape();
  EXPECT_EQ(player->focused(), PlayerControl::VoiceList);
  keys.startup_selection();
  keys.english_selection();
  EXPECT_EQ(player->shown_voice(), "English US");

  clipboard.SetText("Hello from the page");
  keys.speak();
  ASSERT_EQ(log->size(), 1u);
  EXPECT_EQ(log->back().text, "Hello from the page");
  EXPECT_EQ(log->back().voice, "English US");

  clipboard.SetText("changed");
  keys.check();
  EXPECT_EQ(clipboard.text(), "Hello from the page");

  keys.russian_selection();
  EXPECT_EQ(player->shown_voice(), "Russian");
  EXPECT_NE(browser->page_text().find("voice: Russian"), std::string::npos) << browser->page_text();
}

}  // namespace

}  // namespace prevod
