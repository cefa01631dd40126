#pragma once

// The page engine as the application meets it: it makes the browsers the
// web browser controls drive, all sharing one event loop, the in-process
// sites, the registered plug-ins and the trace.

#include <memory>

#include "platform/browser.h"

namespace prevod {

class EventLoop;
class SiteRegistry;
class PluginRegistry;
class Trace;

class PageEngine : public BrowserFactory {
 public:
  PageEngine(EventLoop& loop, SiteRegistry& sites, PluginRegistry& plugins, Trace& trace)
      : m_loop(loop), m_sites(sites), m_plugins(plugins), m_trace(trace) {}

  std::unique_ptr<Browser> create_browser() override;

 private:
  EventLoop& m_loop;
  SiteRegistry& m_sites;
  PluginRegistry& m_plugins;
  Trace& m_trace;
};

}  // namespace prevod
