#include "services/voicereader/voice_list.h"

#include <algorithm>
#include <cassert>

namespace prevod {

namespace {

int last_index() {
  return static_cast<int>(player_voices().size()) - 1;
}

}  // namespace

VoiceList::VoiceList(int applied) : m_highlighted(applied), m_applied(applied) {
  assert(applied >= 0 && applied <= last_index());
}

const VoiceEntry& VoiceList::highlighted_entry() const {
  return player_voices()[m_highlighted];
}

const VoiceEntry& VoiceList::applied_entry() const {
  return player_voices()[m_applied];
}

void VoiceList::move_by(int delta) {
  m_highlighted = std::clamp(m_highlighted + delta, 0, last_index());
}

}  // namespace prevod
