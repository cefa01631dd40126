#include "platform/page/page_browser.h"

#include <algorithm>
#include <utility>

#include "base/runtime_error.h"
#include "base/trace.h"
#include "platform/page/page_document.h"
#include "platform/page/page_element.h"
#include "platform/page/page_view_builder.h"

namespace prevod {

namespace {

std::string escape(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '&') {
      out += "&amp;";
    } else if (c == '<') {
      out += "&lt;";
    } else if (c == '>') {
      out += "&gt;";
    } else if (c == '"') {
      out += "&quot;";
    } else {
      out += c;
    }
  }
  return out;
}

// The engine's own page for a navigation that could not be served.
PageLoad error_page(const std::string& reason) {
  PageLoad load;
  std::string message = escape("The page cannot be displayed: " + reason);
  load.html =
      "<!DOCTYPE html><html><head><title>The page cannot be displayed</title></head>"
      "<body><h1>The page cannot be displayed</h1><p>" +
      message + "</p></body></html>";
  load.downloads = 1;
  return load;
}

std::string trimmed_text(std::string text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c != '\r') out += c;
  }
  size_t begin = out.find_first_not_of(" \t\n");
  if (begin == std::string::npos) return "";
  size_t end = out.find_last_not_of(" \t\n");
  return out.substr(begin, end - begin + 1);
}

}  // namespace

PageBrowser::PageBrowser(EventLoop& loop, SiteRegistry& sites, PluginRegistry& plugins,
                         Trace& trace)
    : m_loop(loop),
      m_sites(sites),
      m_plugins(plugins),
      m_trace(trace),
      m_load(loop),
      m_downloads(loop) {}

PageBrowser::~PageBrowser() {
  // The pending load and downloads are cancelled with their groups.
  if (m_document) m_document->unload();
}

void PageBrowser::Navigate(const std::string& address) {
  m_trace.line("navigate " + address);
  std::optional<Url> url = Url::parse(address);
  if (is_fragment_navigation(url)) {
    navigate_fragment(*url);
    return;
  }
  m_load.cancel_all();
  m_downloads.cancel_all();
  Load load = prepare(address, url);
  m_location = load.address;
  int64_t delay = std::max<int64_t>(0, load.page.load_time_ms);
  m_load.call_later(delay, [this, load = std::move(load)] { commit(load); });
}

std::shared_ptr<HtmlDocument> PageBrowser::Document() const {
  if (!m_document) throw RuntimeError("the browser has no document: no page has loaded yet");
  return m_document;
}

std::string PageBrowser::page_text() const {
  if (!m_document) return "";
  return trimmed_text(m_document->text());
}

void PageBrowser::key_event(const KeyEvent& event) {
  // The document may be replaced while it handles the key (Enter on a
  // fragment link); it stays alive until the call returns.
  std::shared_ptr<PageDocument> document = m_document;
  if (document) document->key_event(event);
}

PageView PageBrowser::view() const {
  m_view_announced = false;
  if (!m_document) return {};
  return PageViewBuilder::build(m_document->node());
}

void PageBrowser::plugin_action(uint64_t plugin, const PluginAction& action) {
  // The document may be replaced while the plug-in acts; it stays alive
  // until the call returns.
  std::shared_ptr<PageDocument> document = m_document;
  if (!document) return;
  for (const auto& object : document->elements_by_tag("object")) {
    if (object->plugin() != nullptr && PageViewBuilder::token(*object->plugin()) == plugin) {
      document->plugin_action(*object, action);
      return;
    }
  }
}

PageBrowser::Load PageBrowser::prepare(const std::string& address, const std::optional<Url>& url) {
  Load load;
  load.address = url ? url->str() : address;
  if (!url) {
    load.page = error_page("the address \"" + address + "\" is not valid");
    return load;
  }
  if (url->scheme == "about") {
    load.page.html = "<!DOCTYPE html><html><head></head><body></body></html>";
    load.page.load_time_ms = 0;
    return load;
  }
  if (!url->is_local()) {
    std::string where = url->host.empty() ? load.address : url->host;
    load.page = error_page("no network access to " + where);
    return load;
  }
  Site* site = m_sites.find(url->host);
  if (site == nullptr) {
    load.page = error_page("no site is served at " + url->host);
    return load;
  }
  std::string path_and_query = url->path_and_query();
  try {
    load.page = site->load(path_and_query);
  } catch (const RuntimeError& error) {
    load.page = error_page(url->host + " failed to serve " + path_and_query + ": " + error.what());
    return load;
  }
  if (load.page.status != 200) {
    int64_t load_time = load.page.load_time_ms;
    std::string status = std::to_string(load.page.status);
    load.page = error_page(
        url->host + path_and_query +
        (load.page.status == 404 ? " was not found (404)" : " answered with status " + status));
    load.page.load_time_ms = load_time;
    return load;
  }
  load.site = site;
  load.path_and_query = std::move(path_and_query);
  load.fragment = url->fragment;
  return load;
}

bool PageBrowser::is_fragment_navigation(const std::optional<Url>& url) const {
  if (!url || !url->has_fragment || !m_document) return false;
  std::optional<Url> current = Url::parse(m_document->address());
  return current && current->without_fragment() == url->without_fragment();
}

void PageBrowser::navigate_fragment(const Url& url) {
  // A navigation elsewhere still loading is superseded; the page's own
  // downloads go on.
  m_load.cancel_all();
  m_location = url.str();
  if (m_site == nullptr) return;
  std::shared_ptr<PageDocument> document = m_document;
  Site* site = m_site;
  std::string path_and_query = m_path_and_query;
  std::string fragment = url.fragment;
  m_loop.raise("page fragment", [&] { site->on_fragment(document, path_and_query, fragment); });
}

void PageBrowser::commit(const Load& load) {
  std::shared_ptr<PageDocument> document =
      PageDocument::load(load.page.html, load.address, &m_plugins, this);
  if (m_document) m_document->unload();
  m_document = document;
  m_location = load.address;
  m_site = load.site;
  m_path_and_query = load.path_and_query;
  page_changed();
  int downloads = std::max(0, load.page.downloads);
  int64_t gap = std::max<int64_t>(0, load.page.download_gap_ms);
  for (int i = 0; i < downloads; ++i) {
    m_downloads.call_later(i * gap, [this] { download_complete(); });
  }
  if (m_site == nullptr) return;
  Site* site = m_site;
  m_loop.raise("page load",
               [&] { site->on_fragment(document, load.path_and_query, load.fragment); });
}

void PageBrowser::download_complete() {
  if (on_download_complete) on_download_complete();
}

void PageBrowser::follow_link(const std::string& address) {
  Navigate(address);
}

void PageBrowser::element_focused() {
  if (on_focus_request) on_focus_request();
}

void PageBrowser::page_changed() {
  ++m_view_revision;
  if (m_view_announced) return;
  m_view_announced = true;
  if (on_view_changed) on_view_changed();
}

}  // namespace prevod
