#pragma once

// The page engine's browser: navigation on the event loop, the current
// document, and the keyboard handed to the page.
//
// Navigate returns at once, and from then on LocationURL names the address
// being loaded. Busy reads True until the page's load time has passed on the
// loop; then the new document replaces the old one (whose plug-ins go), the
// site's page behaviour receives the address's fragment, and DownloadComplete follows as often as
// the page has downloads, each a top-level event, the first at once and the others a download gap
// apart. A navigation started while another is loading supersedes it, and one away from a page
// stops that page's outstanding downloads.
//
// A fragment-only navigation (same address up to the first "#") stays in
// the same document: Busy never turns True, LocationURL changes at once and
// the site's page behaviour receives the new fragment.
//
// Hosts under ".localhost" are served by the SiteRegistry; any other host,
// a host no site serves, a page a site does not have and an address that is
// not one all give an error page saying what failed, with one download.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/deferred_tasks.h"
#include "base/event_loop.h"
#include "platform/browser.h"
#include "platform/page/page_host.h"
#include "platform/page/site.h"
#include "platform/page/url.h"

namespace prevod {

class PageDocument;
class PluginRegistry;
class Trace;

class PageBrowser : public Browser, private PageHost {
 public:
  PageBrowser(EventLoop& loop, SiteRegistry& sites, PluginRegistry& plugins, Trace& trace);
  ~PageBrowser() override;
  PageBrowser(const PageBrowser&) = delete;
  PageBrowser& operator=(const PageBrowser&) = delete;

  void Navigate(const std::string& address) override;
  bool Busy() const override { return m_load.size() > 0; }
  std::shared_ptr<HtmlDocument> Document() const override;
  std::string LocationURL() const override { return m_location; }
  // The document's text with plug-ins described, trimmed, lines ending in LF.
  std::string page_text() const override;
  void focus_gained() override {}
  void key_event(const KeyEvent& event) override;
  // The document as PageViewBuilder reduces it.
  PageView view() const override;
  uint64_t view_revision() const override { return m_view_revision; }
  void plugin_action(uint64_t plugin, const PluginAction& action) override;

 private:
  // What a navigation will put in place once its load time has passed.
  struct Load {
    PageLoad page;
    std::string address;
    Site* site = nullptr;  // nullptr for the engine's own pages
    std::string path_and_query;
    std::string fragment;
  };

  Load prepare(const std::string& address, const std::optional<Url>& url);
  bool is_fragment_navigation(const std::optional<Url>& url) const;
  void navigate_fragment(const Url& url);
  void commit(const Load& load);
  void download_complete();

  void follow_link(const std::string& address) override;
  void element_focused() override;
  void page_changed() override;

  EventLoop& m_loop;
  SiteRegistry& m_sites;
  PluginRegistry& m_plugins;
  Trace& m_trace;

  std::shared_ptr<PageDocument> m_document;
  std::string m_location;
  Site* m_site = nullptr;
  std::string m_path_and_query;
  // The navigation still loading, and the page's downloads still to report.
  DeferredTasks m_load;
  DeferredTasks m_downloads;
  // Counts the changes a person could see; whether on_view_changed has
  // been raised since view() was last read.
  uint64_t m_view_revision = 0;
  mutable bool m_view_announced = false;
};

}  // namespace prevod
