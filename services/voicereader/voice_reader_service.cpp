#include "services/voicereader/voice_reader_service.h"

#include <string>

#include "services/voicereader/voice_reader_player.h"
#include "services/voicereader/voice_reader_site.h"

namespace prevod {

std::shared_ptr<PlayerDirectory> register_voice_reader(SiteRegistry& sites, PluginRegistry& plugins,
                                                       Clipboard& clipboard,
                                                       PlayerVoiceFactory voices) {
  auto directory = std::make_shared<PlayerDirectory>(clipboard, std::move(voices));
  plugins.add(std::string(VoiceReaderSite::kPlayerClassId),
              [directory](const PluginParams& params) -> std::unique_ptr<Plugin> {
                return directory->create(params);
              });
  sites.add(std::string(VoiceReaderSite::kHost), std::make_shared<VoiceReaderSite>());
  return directory;
}

}  // namespace prevod
