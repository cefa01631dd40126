#include "program/embedded_services.h"

#include <string>

#include "model/config.h"
#include "platform/page/plugin.h"
#include "platform/page/site.h"
#include "services/translator/translator_site.h"
#include "services/voicereader/voice_reader_service.h"

namespace prevod {

EmbeddedServices serve_embedded_services(EventLoop& loop, const Config& config, SiteRegistry& sites,
                                         PluginRegistry& plugins, Clipboard& clipboard,
                                         PlayerVoiceFactory voices) {
  EmbeddedServices services;
  services.translator =
      std::make_shared<TranslatorSite>(loop, config.DictionaryDirectory, config.TranslationDelayMs);
  sites.add(std::string(TranslatorSite::kHost), services.translator);
  services.players = register_voice_reader(sites, plugins, clipboard, std::move(voices));
  return services;
}

}  // namespace prevod
