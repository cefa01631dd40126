#pragma once

// Helpers for the page engine tests: a plug-in that records what reaches
// it, a site serving fixed pages that records loads and fragments, and a
// harness holding a browser on a simulated loop.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/simulated_loop.h"
#include "base/trace.h"
#include "platform/keys.h"
#include "platform/page/page_document.h"
#include "platform/page/page_element.h"
#include "platform/page/page_engine.h"
#include "platform/page/plugin.h"
#include "platform/page/site.h"

namespace prevod {

namespace page_test {

inline constexpr const char* kPlayerClassId = "clsid:d27cdb6e-ae6d-11cf-96b8-444553540000";

// Everything that happened to the fake plug-ins, in order: "create <id>",
// "focus <id>", "click <id>", "key <id> <code> down|up", "action <id>
// <part>", "destroy <id>".
struct PluginLog {
  std::vector<std::string> events;
  std::vector<PluginParams> created;

  int count(std::string_view prefix) const {
    int n = 0;
    for (const auto& event : events) n += event.starts_with(prefix) ? 1 : 0;
    return n;
  }
};

class FakePlugin : public Plugin {
 public:
  FakePlugin(std::shared_ptr<PluginLog> log, const PluginParams& params)
      : m_log(std::move(log)), m_id(params.id) {
    m_log->events.push_back("create " + m_id);
    m_log->created.push_back(params);
  }
  ~FakePlugin() override { m_log->events.push_back("destroy " + m_id); }
  void focus() override { m_log->events.push_back("focus " + m_id); }
  void click() override { m_log->events.push_back("click " + m_id); }
  void key_event(const KeyEvent& event) override {
    m_log->events.push_back("key " + m_id + " " + std::to_string(event.code) +
                            (event.down ? " down" : " up"));
  }
  std::string describe() const override { return "player " + m_id; }
  // One caption naming the plug-in.
  PluginFace face() const override {
    PluginPart part;
    part.name = "name";
    part.text = m_id;
    part.box = PageBox{0, 0, 100, 20};
    return PluginFace{{part}};
  }
  void user_action(const PluginAction& action) override {
    m_log->events.push_back("action " + m_id + " " + action.part);
  }

 private:
  std::shared_ptr<PluginLog> m_log;
  std::string m_id;
};

inline void register_fake_player(PluginRegistry& registry, const std::shared_ptr<PluginLog>& log) {
  registry.add(kPlayerClassId, [log](const PluginParams& params) {
    return std::make_unique<FakePlugin>(log, params);
  });
}

// Serves fixed pages by path and query; anything else is a 404.
class FakeSite : public Site {
 public:
  struct Fragment {
    std::string path_and_query;
    std::string fragment;
    std::shared_ptr<HtmlDocument> document;
  };

  PageLoad load(const std::string& path_and_query) override {
    loads.push_back(path_and_query);
    auto it = pages.find(path_and_query);
    if (it == pages.end()) return PageLoad{404, "", 1, 50, 50};
    return it->second;
  }
  void on_fragment(const std::shared_ptr<HtmlDocument>& document, const std::string& path_and_query,
                   const std::string& fragment) override {
    fragments.push_back(Fragment{path_and_query, fragment, document});
  }

  std::map<std::string, PageLoad> pages;
  std::vector<std::string> loads;
  std::vector<Fragment> fragments;
};

inline PageLoad page_load(std::string html, int downloads = 1, int64_t load_time_ms = 50,
                          int64_t download_gap_ms = 50) {
  return PageLoad{200, std::move(html), downloads, load_time_ms, download_gap_ms};
}

// A page parsed on its own, not shown by any browser.
inline std::shared_ptr<PageDocument> parse_page(std::string_view html,
                                                const PluginRegistry* plugins = nullptr) {
  return PageDocument::load(html, "http://test.localhost/", plugins, nullptr);
}

// The element of a tag at an index, as the page model hands it out.
inline std::shared_ptr<Element> item(HtmlDocument& document, const std::string& tag,
                                     int32_t index) {
  return document.getElementsByTagName(tag)->Item(index);
}

// How many elements deep the tree under `node` goes, counted down to the
// deepest element.
inline size_t depth_of(const PageNode& node) {
  size_t deepest = 0;
  std::vector<std::pair<const PageNode*, size_t>> stack{{&node, 0}};
  while (!stack.empty()) {
    auto [current, depth] = stack.back();
    stack.pop_back();
    deepest = std::max(deepest, depth);
    for (const auto& child : current->children()) {
      if (child->is_element()) stack.emplace_back(child.get(), depth + 1);
    }
  }
  return deepest;
}

inline KeyEvent key(uint8_t code, bool shift = false, bool down = true) {
  KeyEvent event;
  event.code = code;
  event.shift = shift;
  event.down = down;
  return event;
}

// A browser on a simulated loop, with one fake site at test.localhost.
struct BrowserHarness {
  BrowserHarness() {
    sites.add("test.localhost", site);
    register_fake_player(plugins, plugin_log);
    trace.set_enabled(true);
    trace.set_sink([this](const std::string& line) { trace_lines.push_back(line); });
    browser = engine.create_browser();
    browser->on_download_complete = [this] { download_times.push_back(loop.now()); };
    browser->on_focus_request = [this] { ++focus_requests; };
  }

  // Navigates and lets the page load with all its downloads.
  void open(const std::string& address) {
    browser->Navigate(address);
    loop.advance(5000);
  }

  std::shared_ptr<PageDocument> document() {
    return std::static_pointer_cast<PageDocument>(browser->Document());
  }
  // The Id of the focused element, "" when none.
  std::string focused_id() {
    auto focused = document()->focused();
    return focused ? focused->Id() : "";
  }
  void press(uint8_t code, bool shift = false) {
    browser->key_event(key(code, shift, true));
    browser->key_event(key(code, shift, false));
  }

  SimulatedLoop loop;
  SiteRegistry sites;
  PluginRegistry plugins;
  Trace trace;
  std::shared_ptr<FakeSite> site = std::make_shared<FakeSite>();
  std::shared_ptr<PluginLog> plugin_log = std::make_shared<PluginLog>();
  std::vector<std::string> trace_lines;
  PageEngine engine{loop, sites, plugins, trace};
  std::unique_ptr<Browser> browser;
  std::vector<int64_t> download_times;
  int focus_requests = 0;
};

}  // namespace page_test

}  // namespace prevod
