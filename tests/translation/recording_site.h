#pragma once

// A web site for tests of the translation window: it serves one fixed page
// at every path, as slowly as asked, and writes down every address fragment
// the page receives (links followed within it, requests sent to it).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/page/site.h"

namespace prevod {

class RecordingSite : public Site {
 public:
  RecordingSite(std::string html, int64_t load_time_ms)
      : m_html(std::move(html)), m_load_time(load_time_ms) {}

  PageLoad load(const std::string&) override {
    PageLoad page;
    page.html = m_html;
    page.load_time_ms = m_load_time;
    return page;
  }
  void on_fragment(const std::shared_ptr<HtmlDocument>&, const std::string&,
                   const std::string& fragment) override {
    if (!fragment.empty()) fragments.push_back(fragment);
  }

  std::vector<std::string> fragments;

 private:
  std::string m_html;
  int64_t m_load_time;
};

}  // namespace prevod
