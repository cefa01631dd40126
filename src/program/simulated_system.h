#pragma once

// The whole program on the simulated desktop with the embedded services:
// the virtual clock, the simulated desktop, the recording speech engine,
// the page engine with the translation site and the voice reader site and
// player, and the application. Tests boot it; prevod-sim drives it.

#include <memory>
#include <string>
#include <vector>

#include "app/prevod.h"
#include "base/simulated_loop.h"
#include "base/trace.h"
#include "model/config.h"
#include "model/runtime.h"
#include "platform/page/page_engine.h"
#include "platform/page/plugin.h"
#include "platform/page/site.h"
#include "platform/sim/bounded_log.h"
#include "platform/sim/recording_speech_engine.h"
#include "platform/sim/sim_desktop.h"
#include "program/player_speech_log.h"
#include "program/sim_console.h"

namespace prevod {

class TranslatorSite;
class PlayerDirectory;
class VoiceReaderPlayer;

class SimulatedSystem {
 public:
  struct Options {
    Config config;
    bool speech_engine = true;  // false: no engine is installed
    bool tray = true;           // false: no tray host
    bool taskbar = true;        // false: no taskbar to animate towards
  };
  // What the voice reader player said, with the voice and the time.
  using PlayerSpeech = PlayerSpeechLog::Entry;

  SimulatedSystem();
  explicit SimulatedSystem(Options options);
  ~SimulatedSystem();

  // Process start: the speech window loads.
  void start() { app.start(); }
  SimConsole console();
  // The player the voice reader page shows now, or nullptr.
  VoiceReaderPlayer* player() const;
  std::string describe_player() const;
  std::string describe_player_speech() const;
  // The latest PlayerSpeechCapacity things the player said.
  static constexpr size_t PlayerSpeechCapacity = PlayerSpeechLog::Capacity;
  const BoundedLog<PlayerSpeech>& player_speech() const { return m_player_speech->entries(); }
  // The local speech engine, once created (nullptr without one).
  RecordingSpeechEngine* speech_engine() const { return speech.engine(); }

  Config config;
  SimulatedLoop loop;
  Trace trace;
  SimDesktop desktop;
  RecordingSpeechFactory speech;
  SiteRegistry sites;
  PluginRegistry plugins;
  PageEngine pages;
  std::shared_ptr<TranslatorSite> translator;
  std::shared_ptr<PlayerDirectory> players;
  Runtime runtime;
  Prevod app;

 private:
  std::shared_ptr<PlayerSpeechLog> m_player_speech;
};

}  // namespace prevod
