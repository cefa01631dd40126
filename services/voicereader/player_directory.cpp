#include "services/voicereader/player_directory.h"

#include <algorithm>

#include "services/voicereader/voice_reader_player.h"

namespace prevod {

PlayerDirectory::PlayerDirectory(Clipboard& clipboard, PlayerVoiceFactory voices)
    : m_clipboard(clipboard), m_voices(std::move(voices)) {}

std::unique_ptr<VoiceReaderPlayer> PlayerDirectory::create(const PluginParams& params) {
  std::unique_ptr<PlayerVoice> voice = m_voices ? m_voices() : nullptr;
  auto player = std::make_unique<VoiceReaderPlayer>(params, m_clipboard, std::move(voice));
  VoiceReaderPlayer* raw = player.get();
  std::weak_ptr<PlayerDirectory> self = weak_from_this();
  player->set_on_destroyed([self, raw] {
    if (auto directory = self.lock()) directory->forget(raw);
  });
  m_live.push_back(raw);
  ++m_created;
  return player;
}

VoiceReaderPlayer* PlayerDirectory::current() const {
  return m_live.empty() ? nullptr : m_live.back();
}

void PlayerDirectory::forget(const VoiceReaderPlayer* player) {
  m_live.erase(std::remove(m_live.begin(), m_live.end(), player), m_live.end());
}

}  // namespace prevod
