#pragma once

// The outside services the program drives, served in process under
// *.localhost: the translation site over the dictd dictionaries, and the
// voice reader site with its player plug-in. The program on the real clock
// and the simulated system put them in place through the same function.

#include <memory>

#include "program/player_speech_log.h"
#include "services/voicereader/player_voice.h"

namespace prevod {

class EventLoop;
class Clipboard;
class SiteRegistry;
class PluginRegistry;
class TranslatorSite;
class PlayerDirectory;
class Trace;
struct Config;

struct EmbeddedServices {
  std::shared_ptr<TranslatorSite> translator;
  // Finds the player the voice reader page shows now.
  std::shared_ptr<PlayerDirectory> players;
  // What the players said.
  std::shared_ptr<PlayerSpeechLog> player_speech;
};

// Registers both sites and the player plug-in. `clipboard` and `trace` must
// outlive the registries; each player gets its voice from `voices`, and
// what it says is written into the services' player speech log. The
// translator reduces word forms with the hunspell dictionaries of the
// configuration and says on `trace` when one is missing.
EmbeddedServices serve_embedded_services(EventLoop& loop, const Config& config, SiteRegistry& sites,
                                         PluginRegistry& plugins, Clipboard& clipboard,
                                         PlayerVoiceFactory voices, Trace& trace);

}  // namespace prevod
