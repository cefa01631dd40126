#pragma once

// Puts the voice reader service in place: its site under
// "voicereader.localhost" and its player under the OBJECT class id the page
// uses. The returned directory finds the player the page shows now.

#include <memory>

#include "platform/clipboard.h"
#include "platform/page/plugin.h"
#include "platform/page/site.h"
#include "services/voicereader/player_directory.h"
#include "services/voicereader/player_voice.h"

namespace prevod {

// `clipboard` must outlive the registries; each player gets a voice from
// `voices`.
std::shared_ptr<PlayerDirectory> register_voice_reader(SiteRegistry& sites, PluginRegistry& plugins,
                                                       Clipboard& clipboard,
                                                       PlayerVoiceFactory voices);

}  // namespace prevod
