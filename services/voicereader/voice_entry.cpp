#include "services/voicereader/voice_entry.h"

#include <array>
#include <cstddef>

namespace prevod {

namespace {

constexpr std::array<VoiceEntry, 18> kVoices{{
    {"Arabic", "ar"},
    {"Chinese", "zh"},
    {"Czech", "cs"},
    {"Danish", "da"},
    {"Dutch", "nl"},
    {"English US", "en-us"},
    {"English UK", "en-gb"},
    {"French", "fr"},
    {"German", "de"},
    {"Italian", "it"},
    {"Japanese", "ja"},
    {"Polish", "pl"},
    {"Portuguese", "pt"},
    {"Russian", "ru"},
    {"Spanish", "es"},
    {"Swedish", "sv"},
    {"Turkish", "tr"},
    {"Ukrainian", "uk"},
}};

char fold(char c) {
  if (c == '_') return '-';
  if (c >= 'A' && c <= 'Z') return static_cast<char>(c - 'A' + 'a');
  return c;
}

bool same_language(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (fold(a[i]) != fold(b[i])) return false;
  }
  return true;
}

}  // namespace

std::span<const VoiceEntry> player_voices() {
  return kVoices;
}

int find_voice_by_language(std::string_view language) {
  for (size_t i = 0; i < kVoices.size(); ++i) {
    if (same_language(kVoices[i].language, language)) return static_cast<int>(i);
  }
  return -1;
}

int find_voice_by_name(std::string_view name) {
  for (size_t i = 0; i < kVoices.size(); ++i) {
    if (kVoices[i].name == name) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace prevod
