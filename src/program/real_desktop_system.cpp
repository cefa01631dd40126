#include "program/real_desktop_system.h"

#include "program/embedded_services.h"
#include "program/player_voices.h"
#include "services/translator/translator_site.h"
#include "services/voicereader/player_directory.h"

namespace prevod {
namespace {

Trace make_trace(const RealDesktopSystem::Options& options, const QtLoop& loop) {
  Trace trace;
  trace.set_enabled(options.tracing);
  if (options.trace_sink) trace.set_sink(options.trace_sink);
  trace.set_clock([&loop] { return static_cast<long long>(loop.now()); });
  return trace;
}

EspeakEngineFactory::SinkFactory sinks_of(const RealDesktopSystem::Options& options) {
  return options.silent ? EspeakEngineFactory::null_sinks() : EspeakEngineFactory::alsa_sinks();
}

}  // namespace

RealDesktopSystem::RealDesktopSystem(Options options)
    : config(options.config),
      trace(make_trace(options, loop)),
      desktop(loop, trace),
      speech(sinks_of(options), trace, config.SpeechVoice),
      pages(loop, sites, plugins, trace),
      runtime{loop, desktop, desktop, pages, speech, trace, config},
      app(runtime) {
  loop.set_trace(&trace);
  loop.set_input_pump([this] { desktop.deliver_input(); });
  speech.set_clock([this] { return loop.now(); });
  EmbeddedServices services =
      serve_embedded_services(loop, config, sites, plugins, desktop.clipboard(),
                              espeak_player_voices(sinks_of(options), trace), trace);
  translator = std::move(services.translator);
  players = std::move(services.players);
  player_speech = std::move(services.player_speech);
}

RealDesktopSystem::~RealDesktopSystem() {
  // No widget may outlive the window it shows.
  desktop.destroy_views();
}

void RealDesktopSystem::start() {
  loop.post([this] { app.start(); });
}

}  // namespace prevod
