#pragma once

// What the voice reader player said, and when: the latest Capacity things,
// each with the loop's time, the shown name of the voice and the text (a
// stop has neither). Every player voice the program makes speaks through
// it, whatever sounds behind it (espeak-ng, or silence on the simulated
// desktop), so tests and the console read the player's speech the same way
// on every desktop. It belongs to the loop's thread, as the players do, and
// is made with std::make_shared (its voices share it).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/sim/bounded_log.h"
#include "services/voicereader/player_voice.h"

namespace prevod {

class EventLoop;

class PlayerSpeechLog : public std::enable_shared_from_this<PlayerSpeechLog> {
 public:
  struct Entry {
    int64_t at;
    std::string voice;  // "" for a stop
    std::string text;
  };
  static constexpr size_t Capacity = 512;

  explicit PlayerSpeechLog(EventLoop& loop) : m_loop(loop) {}

  // Voices made by `voices` that write here what they are asked to say or
  // to stop, and then do it. The voices keep the log alive.
  PlayerVoiceFactory logged(PlayerVoiceFactory voices);

  void said(const std::string& voice, const std::string& text);
  void stopped();

  const BoundedLog<Entry>& entries() const { return m_entries; }
  // "at T English US \"text\" | at T stop", or "nothing said".
  std::string describe() const;

 private:
  EventLoop& m_loop;
  BoundedLog<Entry> m_entries{Capacity};
};

}  // namespace prevod
