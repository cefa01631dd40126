#pragma once

// A player voice that makes no sound and writes down what it was asked to
// do. Tests read its log to see what a player said and when it was
// silenced; the simulated desktop uses it where no audio is wanted.

#include <memory>
#include <string>
#include <vector>

#include "services/voicereader/player_voice.h"

namespace prevod {

class RecordingPlayerVoice : public PlayerVoice {
 public:
  struct Event {
    enum class Kind { Speak, Stop };
    Kind kind;
    std::string text;   // the spoken text; "" for a stop
    std::string voice;  // the entry's shown name; "" for a stop
  };
  using Log = std::vector<Event>;

  // Writes into `log`, which several voices may share.
  explicit RecordingPlayerVoice(std::shared_ptr<Log> log) : m_log(std::move(log)) {}

  void speak(const std::string& text, const VoiceEntry& entry) override;
  void stop() override;

  // True after a non-empty speak until the next stop or empty speak.
  bool speaking() const { return m_speaking; }

  // A factory whose voices all write into `log`.
  static PlayerVoiceFactory factory(std::shared_ptr<Log> log);

 private:
  std::shared_ptr<Log> m_log;
  bool m_speaking = false;
};

}  // namespace prevod
