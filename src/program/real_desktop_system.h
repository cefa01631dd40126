#pragma once

// The whole program on the real desktop: Qt's loop, the X11 desktop, the
// local speech engine and the voice reader player speaking through
// espeak-ng on ALSA's "default" device (a device that cannot be opened
// means silence), the embedded services and the application. The X
// display must be open (X11Display) before it is made; `prevod` runs it,
// and the desktop tests boot it in their X sessions.

#include <functional>
#include <memory>
#include <string>

#include "app/prevod.h"
#include "base/trace.h"
#include "model/config.h"
#include "model/runtime.h"
#include "platform/page/page_engine.h"
#include "platform/page/plugin.h"
#include "platform/page/site.h"
#include "platform/qt/qt_desktop.h"
#include "platform/qt/qt_loop.h"
#include "platform/voice/espeak_engine_factory.h"

namespace prevod {

class TranslatorSite;
class PlayerDirectory;
class PlayerSpeechLog;

class RealDesktopSystem {
 public:
  struct Options {
    Config config;
    bool tracing = false;
    // Where trace lines go; standard error unless set.
    std::function<void(const std::string&)> trace_sink;
    // No sound device is opened; speech goes nowhere.
    bool silent = false;
  };

  explicit RealDesktopSystem(Options options);
  ~RealDesktopSystem();
  RealDesktopSystem(const RealDesktopSystem&) = delete;
  RealDesktopSystem& operator=(const RealDesktopSystem&) = delete;

  // Process start: the speech window loads as the loop's first handler.
  void start();
  // Runs the loop until the program ends (or the loop is told to quit).
  void run() { loop.run(); }

  Config config;
  QtLoop loop;
  Trace trace;
  QtDesktop desktop;
  EspeakEngineFactory speech;
  SiteRegistry sites;
  PluginRegistry plugins;
  PageEngine pages;
  std::shared_ptr<TranslatorSite> translator;
  std::shared_ptr<PlayerDirectory> players;
  std::shared_ptr<PlayerSpeechLog> player_speech;  // what the players said
  Runtime runtime;
  Prevod app;
};

}  // namespace prevod
