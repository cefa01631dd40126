// Parsing and reshaping a voice-reader-like page of about 500 elements: the
// page is parsed, then walked the way the reshaping procedure walks it
// (getElementsByTagName over div, a, select, TABLE, td, tr and OBJECT, with
// every element fetched anew by Item for every write): divs emptied, the
// player markup written into the second one, styles written, the player
// focused and clicked.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "platform/page/page_document.h"
#include "platform/page/page_element.h"
#include "platform/page/plugin.h"

namespace prevod {

namespace {

constexpr const char* kClassId = "clsid:d27cdb6e-ae6d-11cf-96b8-444553540000";

class QuietPlugin : public Plugin {
 public:
  void focus() override {}
  void click() override {}
  void key_event(const KeyEvent&) override {}
  std::string describe() const override { return "player"; }
};

std::string player_markup() {
  std::string markup =
      "<script type=\"text/javascript\">AC_FL_RunContent('codebase','x','width','737','height',"
      "'370','src','/onlineservices/voice_reader/vr_demo','id','vr_demo');</script>"
      "<object classid=\"" +
      std::string(kClassId) + "\" id=\"vr_demo\" width=\"737\" height=\"370\" align=\"middle\">";
  const char* params[][2] = {
      {"_cx", "19500"},         {"_cy", "9790"},
      {"FlashVars", ""},        {"Movie", "/onlineservices/voice_reader/vr_demo.swf"},
      {"WMode", "Transparent"}, {"Play", "0"},
      {"Loop", "-1"},           {"Quality", "High"},
      {"Menu", "-1"},           {"AllowScriptAccess", "sameDomain"},
      {"Scale", "ShowAll"},     {"BGColor", "FFFFFF"}};
  for (const auto& param : params) {
    markup += "<param name=\"" + std::string(param[0]) + "\" value=\"" + param[1] + "\">";
  }
  markup += "</object><noscript><object classid=\"" + std::string(kClassId) +
            "\" id=\"vr_demo\"><embed src=\"vr_demo.swf\"></object></noscript>";
  return markup;
}

// About 500 elements: menus of links, drop-down lists, tables and blocks.
std::string voice_reader_page() {
  std::string html = "<!DOCTYPE html><html><head><title>Voice Reader</title></head><body>";
  html += "<div id=header><a href=/>Home</a><a href=/products>Products</a></div>";
  html += "<div id=demo>" + player_markup() + "</div>";
  for (int block = 0; block < 30; ++block) {
    html += "<div class=box><h2>Section " + std::to_string(block) +
            "</h2><p>Some text with <a href=/s" + std::to_string(block) +
            ">a link</a> and <b>bold</b> words.</p>";
    html += "<select name=s" + std::to_string(block) +
            "><option>one</option><option>two</option>"
            "</select>";
    html += "<table><tr><td>a</td><td>b</td></tr><tr><td>c</td><td>d</td></tr></table></div>";
  }
  html += "</body></html>";
  return html;
}

template <typename Write>
void walk(HtmlDocument& document, const char* tag, Write write) {
  auto list = document.getElementsByTagName(tag);
  int32_t count = list->length();
  for (int32_t i = 0; i < count; ++i) {
    try {
      write(*list, i);
    } catch (const std::exception&) {
      // Steps beyond the shrunken list are skipped, as the reshaping does.
    }
  }
}

void reshape(HtmlDocument& document, const std::string& player) {
  walk(document, "div", [&](ElementList& list, int32_t i) {
    if (i == 0) list.Item(i)->set_innerhtml("");
    if (i == 1) {
      list.Item(i)->Style().set("POSITION", "absolute");
      list.Item(i)->Style().set("Top", "-50Px");
      list.Item(i)->Style().set("Left", "-35Px");
      list.Item(i)->set_innerhtml("");
      list.Item(i)->set_innerhtml(player);
    }
    if (i >= 2) list.Item(i)->set_innerhtml("");
    list.Item(i)->Style().set("Width", "2Px");
  });
  walk(document, "a",
       [](ElementList& list, int32_t i) { list.Item(i)->Style().set("display", "none"); });
  walk(document, "select",
       [](ElementList& list, int32_t i) { list.Item(i)->Style().set("display", "none"); });
  walk(document, "TABLE", [](ElementList& list, int32_t i) {
    list.Item(i)->Style().set("Width", "0Px");
    list.Item(i)->Style().set("Height", "0Px");
    if (i == 1) list.Item(i)->Style().set("display", "none");
  });
  walk(document, "td", [](ElementList& list, int32_t i) {
    list.Item(i)->Style().set("Height", "0Px");
    list.Item(i)->Style().set("Width", "0Px");
  });
  walk(document, "tr", [](ElementList& list, int32_t i) {
    list.Item(i)->Style().set("Height", "0Px");
    list.Item(i)->Style().set("Width", "0Px");
  });
  walk(document, "OBJECT", [](ElementList& list, int32_t i) {
    if (list.Item(i)->Id() == "vr_demo") {
      list.Item(i)->focus();
      list.Item(i)->Click();
    }
  });
}

void BM_ParseAndReshapeVoiceReaderPage(benchmark::State& state) {
  PluginRegistry plugins;
  plugins.add(kClassId, [](const PluginParams&) { return std::make_unique<QuietPlugin>(); });
  const std::string page = voice_reader_page();
  const std::string player = player_markup();
  for (auto _ : state) {
    auto document = PageDocument::load(page, "http://voice.localhost/", &plugins, nullptr);
    reshape(*document, player);
    benchmark::DoNotOptimize(document);
  }
  auto document = PageDocument::load(page, "http://voice.localhost/", &plugins, nullptr);
  state.counters["elements"] = static_cast<double>(document->getElementsByTagName("*")->length());
}
BENCHMARK(BM_ParseAndReshapeVoiceReaderPage)->Unit(benchmark::kMicrosecond);

void BM_ParseVoiceReaderPage(benchmark::State& state) {
  const std::string page = voice_reader_page();
  for (auto _ : state) {
    auto document = PageDocument::load(page, "http://voice.localhost/", nullptr, nullptr);
    benchmark::DoNotOptimize(document);
  }
}
BENCHMARK(BM_ParseVoiceReaderPage)->Unit(benchmark::kMicrosecond);

}  // namespace

}  // namespace prevod

BENCHMARK_MAIN();
