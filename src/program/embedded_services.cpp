#include "program/embedded_services.h"

#include <string>

#include "base/trace.h"
#include "model/config.h"
#include "platform/page/plugin.h"
#include "platform/page/site.h"
#include "program/player_speech_log.h"
#include "services/translator/translator.h"
#include "services/translator/translator_site.h"
#include "services/voicereader/voice_reader_service.h"

namespace prevod {

EmbeddedServices serve_embedded_services(EventLoop& loop, const Config& config, SiteRegistry& sites,
                                         PluginRegistry& plugins, Clipboard& clipboard,
                                         PlayerVoiceFactory voices, Trace& trace) {
  EmbeddedServices services;
  services.translator =
      std::make_shared<TranslatorSite>(loop, config.DictionaryDirectory, config.TranslationDelayMs);
  Translator& translator = services.translator->translator();
  translator.set_morphology_directory(config.HunspellDirectory);
  translator.set_notice([&trace](const std::string& notice) { trace.line(notice); });
  sites.add(std::string(TranslatorSite::kHost), services.translator);
  services.player_speech = std::make_shared<PlayerSpeechLog>(loop);
  services.players = register_voice_reader(sites, plugins, clipboard,
                                           services.player_speech->logged(std::move(voices)));
  return services;
}

}  // namespace prevod
