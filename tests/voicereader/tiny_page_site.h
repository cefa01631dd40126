#pragma once

// Small pages for the speech window's page procedures: a site that serves
// one fixed page under its own .localhost host with a chosen number of
// finished downloads, and a probe plug-in that writes down every focus,
// click and key it receives, under the value of its "probe" PARAM (or its
// Id when it has none).

#include <map>
#include <memory>
#include <string>
#include <utility>

#include "platform/page/plugin.h"
#include "platform/page/site.h"

namespace prevod {

class TinyPageSite : public Site {
 public:
  static constexpr const char* kHost = "tiny.localhost";
  static constexpr const char* kAddress = "http://tiny.localhost/onlineservices/voice_reader";

  explicit TinyPageSite(std::string body, int downloads = 2)
      : m_body(std::move(body)), m_downloads(downloads) {}
  PageLoad load(const std::string&) override {
    PageLoad page;
    page.html =
        "<!DOCTYPE html><html><head><title>tiny</title></head><body>" + m_body + "</body></html>";
    page.downloads = m_downloads;
    return page;
  }

 private:
  std::string m_body;
  int m_downloads;
};

struct ProbeCalls {
  int focus = 0;
  int click = 0;
  int keys = 0;
};

class ProbePlugin : public Plugin {
 public:
  static constexpr const char* kClassId = "clsid:00000000-0000-0000-0000-0000000000a1";

  ProbePlugin(const PluginParams& params, std::shared_ptr<std::map<std::string, ProbeCalls>> log)
      : m_id(params.id), m_log(std::move(log)) {
    for (const auto& [name, value] : params.params) {
      if (name == "probe") m_id = value;
    }
  }
  void focus() override { ++(*m_log)[m_id].focus; }
  void click() override { ++(*m_log)[m_id].click; }
  void key_event(const KeyEvent& event) override {
    if (event.down) ++(*m_log)[m_id].keys;
  }
  std::string describe() const override { return "probe " + m_id; }

 private:
  std::string m_id;
  std::shared_ptr<std::map<std::string, ProbeCalls>> m_log;
};

}  // namespace prevod
