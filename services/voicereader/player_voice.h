#pragma once

// What the player speaks through: one voice with its own audio stream.
// Speaking cuts off whatever the voice was saying and starts the new text at
// once; stopping silences it. The player holds one for its whole life, so
// a replaced player can never talk over its successor.

#include <functional>
#include <memory>
#include <string>

#include "services/voicereader/voice_entry.h"

namespace prevod {

class PlayerVoice {
 public:
  virtual ~PlayerVoice() = default;
  // Speaks `text` with the voice of `entry`, restarting if already speaking.
  // An empty text only silences the voice. Throws RuntimeError when no
  // speech is possible.
  virtual void speak(const std::string& text, const VoiceEntry& entry) = 0;
  // Stops speech in progress; nothing happens when the voice is silent.
  virtual void stop() = 0;
};

// Makes the voice for each new player.
using PlayerVoiceFactory = std::function<std::unique_ptr<PlayerVoice>()>;

}  // namespace prevod
