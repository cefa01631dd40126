#pragma once

// What every window and control reaches the outside through: the event
// loop, the desktop backend, the browser engine, the speech engine factory,
// the trace and the build's configuration values.

class EventLoop;
class Desktop;
class BrowserFactory;
class SpeechEngineFactory;
class Trace;
struct Config;

struct Runtime {
  EventLoop& loop;
  Desktop& desktop;
  BrowserFactory& browsers;
  SpeechEngineFactory& speech;
  Trace& trace;
  const Config& config;
};
