#pragma once

namespace prevod {

// What every window and control reaches the outside through: the event
// loop, the desktop backend and the way it shows the model windows, the
// browser engine, the speech engine factory, the trace and the build's
// configuration values.

class EventLoop;
class Desktop;
class WindowSystem;
class BrowserFactory;
class SpeechEngineFactory;
class Trace;
struct Config;

struct Runtime {
  EventLoop& loop;
  Desktop& desktop;
  WindowSystem& windows;
  BrowserFactory& browsers;
  SpeechEngineFactory& speech;
  Trace& trace;
  const Config& config;
};

}  // namespace prevod
