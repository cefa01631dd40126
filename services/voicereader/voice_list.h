#pragma once

// The player's voice list, a drop-down over the entries of player_voices().
// It keeps two positions: the applied entry, whose voice the player speaks
// with and whose name it shows, and the highlighted entry that the keys
// move. Enter applies the highlight; leaving the list without Enter puts the
// highlight back on the applied entry, so a half-made pick never lingers.

#include "services/voicereader/voice_entry.h"

namespace prevod {

class VoiceList {
 public:
  // Entries a Page Up or Page Down moves over.
  static constexpr int kPageSize = 4;

  explicit VoiceList(int applied);

  int highlighted() const { return m_highlighted; }
  int applied() const { return m_applied; }
  const VoiceEntry& highlighted_entry() const;
  const VoiceEntry& applied_entry() const;

  // Highlight moves, stopping at the ends of the list.
  void page_up() { move_by(-kPageSize); }
  void page_down() { move_by(kPageSize); }
  void up() { move_by(-1); }
  void down() { move_by(1); }
  // A click on an entry: it is highlighted (clamped to the list).
  void highlight(int index) { move_by(index - m_highlighted); }
  // Enter: the highlighted entry becomes the applied one.
  void apply() { m_applied = m_highlighted; }
  // The list lost the focus without Enter.
  void leave() { m_highlighted = m_applied; }

 private:
  void move_by(int delta);

  int m_highlighted;
  int m_applied;
};

}  // namespace prevod
