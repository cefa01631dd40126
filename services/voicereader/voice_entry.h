#pragma once

// The voices the player offers in its drop-down list, in the list's order:
// what the list shows and the language code the player speaks with. The
// order is part of the player's keyboard interface: English US is the 6th
// entry from the top and Russian the 5th from the bottom.

#include <span>
#include <string_view>

namespace prevod {

struct VoiceEntry {
  std::string_view name;      // as the list shows it, e.g. "English US"
  std::string_view language;  // the player's language code, e.g. "en-us"
};

// All entries of the voice list, top to bottom.
std::span<const VoiceEntry> player_voices();

// The index of the entry whose language code matches (without regard to
// case, "_" taken as "-"), or -1 when no entry has it.
int find_voice_by_language(std::string_view language);

// The index of the entry with that shown name (exact), or -1.
int find_voice_by_name(std::string_view name);

}  // namespace prevod
