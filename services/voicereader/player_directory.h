#pragma once

// Makes the voice reader players for the page engine and keeps track of the
// ones alive, so that the program's console can find the player the page
// shows now. The page engine owns each player; when the markup is written
// again it destroys the old one and the directory forgets it. The directory
// may go before or after its players: each player holds only a weak link
// back.

#include <memory>
#include <vector>

#include "platform/clipboard.h"
#include "platform/page/plugin.h"
#include "services/voicereader/player_voice.h"

namespace prevod {

class VoiceReaderPlayer;

class PlayerDirectory : public std::enable_shared_from_this<PlayerDirectory> {
 public:
  // `clipboard` must outlive every player made here.
  PlayerDirectory(Clipboard& clipboard, PlayerVoiceFactory voices);

  // A new player for an OBJECT element, with a voice of its own.
  std::unique_ptr<VoiceReaderPlayer> create(const PluginParams& params);

  // The player made last of those still alive; nullptr when none is.
  VoiceReaderPlayer* current() const;
  // Players alive now.
  size_t live() const { return m_live.size(); }
  // Players made so far.
  int created() const { return m_created; }

 private:
  void forget(const VoiceReaderPlayer* player);

  Clipboard& m_clipboard;
  PlayerVoiceFactory m_voices;
  std::vector<VoiceReaderPlayer*> m_live;  // oldest first
  int m_created = 0;
};

}  // namespace prevod
