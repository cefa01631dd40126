#pragma once

// An in-process web site: the page engine resolves an address whose host it
// serves (hosts under .localhost) to a Site, asks it for the page at a path
// and query, and hands the page's behaviour every fragment the browser
// navigates to. Sites keep no reference to a document beyond a weak one: a
// later navigation may replace it at any time.

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "platform/page_model.h"

namespace prevod {

struct PageLoad {
  int status = 200;              // 404 gives the engine's own error page
  std::string html;              // the document
  int downloads = 1;             // DownloadComplete events the load raises
  int64_t load_time_ms = 50;     // until the document is in place and Busy reads False
  int64_t download_gap_ms = 50;  // between successive DownloadComplete events
};

class Site {
 public:
  virtual ~Site() = default;
  // The page at a path and query such as "/?hl=bg&tab=wT" (no fragment).
  virtual PageLoad load(const std::string& path_and_query) = 0;
  // The page's behaviour: called once a loaded document is in place, and
  // again for each fragment-only navigation within it. `fragment` is the
  // text after the first "#" of the address, taken whole ("" when none).
  virtual void on_fragment(const std::shared_ptr<HtmlDocument>& document,
                           const std::string& path_and_query, const std::string& fragment) {
    (void)document;
    (void)path_and_query;
    (void)fragment;
  }
};

// Sites by host name, compared without regard to case.
class SiteRegistry {
 public:
  void add(const std::string& host, std::shared_ptr<Site> site);
  // nullptr when no site serves the host.
  Site* find(const std::string& host) const;

 private:
  std::map<std::string, std::shared_ptr<Site>> m_sites;
};

}  // namespace prevod
