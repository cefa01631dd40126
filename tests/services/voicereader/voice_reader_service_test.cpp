#include "services/voicereader/voice_reader_service.h"

#include <gtest/gtest.h>

#include <memory>

#include "services/voicereader/host_keys.h"
#include "services/voicereader/recording_player_voice.h"
#include "services/voicereader/voice_reader_player.h"
#include "services/voicereader/voice_reader_site.h"

namespace prevod {

namespace {

class VoiceReaderService : public ::testing::Test {
 protected:
  PluginParams params(const char* classid = "CLSID:D27CDB6E-AE6D-11CF-96B8-444553540000") {
    PluginParams p;
    p.classid = classid;
    p.id = "vr_demo";
    return p;
  }

  MemoryClipboard clipboard;
  std::shared_ptr<RecordingPlayerVoice::Log> log = std::make_shared<RecordingPlayerVoice::Log>();
  SiteRegistry sites;
  PluginRegistry plugins;
  std::shared_ptr<PlayerDirectory> directory =
      register_voice_reader(sites, plugins, clipboard, RecordingPlayerVoice::factory(log));
};

TEST_F(VoiceReaderService, ServesItsSiteUnderItsHost) {
  EXPECT_NE(dynamic_cast<VoiceReaderSite*>(sites.find("voicereader.localhost")), nullptr);
  EXPECT_NE(sites.find("VoiceReader.LocalHost"), nullptr);
}

TEST_F(VoiceReaderService, MakesAPlayerForThePlayersClassIdOnly) {
  EXPECT_EQ(plugins.create(params("clsid:00000000-0000-0000-0000-000000000000")), nullptr);
  std::unique_ptr<Plugin> plugin = plugins.create(params());
  ASSERT_NE(plugin, nullptr);
  EXPECT_EQ(directory->current(), plugin.get());
  EXPECT_NE(plugin->describe().find("English UK"), std::string::npos);
}

TEST_F(VoiceReaderService, TheDirectoryFollowsTheNewestLivePlayer) {
  EXPECT_EQ(directory->current(), nullptr);
  auto first = plugins.create(params());
  auto second = plugins.create(params());
  EXPECT_EQ(directory->current(), second.get());
  EXPECT_EQ(directory->live(), 2u);
  second.reset();
  EXPECT_EQ(directory->current(), first.get());
  first.reset();
  EXPECT_EQ(directory->current(), nullptr);
  EXPECT_EQ(directory->created(), 2);
}

TEST_F(VoiceReaderService, AReplacedPlayerFallsSilentAndTheNewOneStartsAfresh) {
  auto old_player = plugins.create(params());
  HostKeys old_keys(*old_player);
  clipboard.SetText("first words");
  old_keys.english_selection();
  old_keys.speak();
  // Writing the markup again: the old player goes, a new one comes.
  old_player.reset();
  ASSERT_EQ(log->size(), 2u);
  EXPECT_EQ(log->back().kind, RecordingPlayerVoice::Event::Kind::Stop);
  auto new_player = plugins.create(params());
  VoiceReaderPlayer* current = directory->current();
  ASSERT_EQ(current, new_player.get());
  EXPECT_EQ(current->shown_voice(), "English UK");
  EXPECT_EQ(current->field().text(), "");
}

TEST_F(VoiceReaderService, PlayersOutliveTheirDirectorySafely) {
  auto player = plugins.create(params());
  plugins = PluginRegistry();
  directory.reset();
  player.reset();  // must not touch the gone directory
  SUCCEED();
}

}  // namespace

}  // namespace prevod
