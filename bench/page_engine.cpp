// Parsing and reshaping a voice-reader-like page of about 500 elements: the
// page is parsed, then walked the way the reshaping procedure walks it
// (getElementsByTagName over div, a, select, TABLE, td, tr and OBJECT, with
// every element fetched anew by Item for every write): divs emptied, the
// player markup written into the second one, styles written, the player
// focused and clicked.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
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

// The reshaping's 16-bit index stops its walks at this many elements.
constexpr int32_t kMaxWalk = 32767;

template <typename Write>
void walk(HtmlDocument& document, const char* tag, Write write) {
  auto list = document.getElementsByTagName(tag);
  int32_t count = std::min(list->length(), kMaxWalk);
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

// Hostile markup: patterns that nest legally past any depth a page needs,
// and one element with tens of thousands of distinct attributes. Each is
// repeated to the size given in kilobytes, appended to the voice reader
// page, and the page is parsed and reshaped; the same markup is also written
// into an element of a loaded page. Both should grow linearly with the size.
struct HostilePattern {
  const char* name;
  const char* unit;
};

constexpr HostilePattern kHostilePatterns[] = {
    {"li_ul", "<li><ul>"},
    {"dd_dl", "<dd><dl>"},
    {"span_div_end_span", "<span><div></span>"},
    {"b_div_end_b", "<b><div></b>"},
    {"a_div_a", "<a href><div><a href>"},
    {"div", "<div>"},
    {"div_siblings", "<div>x</div>"},
};

std::string repeat_to(const std::string& unit, size_t bytes) {
  std::string markup;
  markup.reserve(bytes + unit.size());
  while (markup.size() < bytes) markup += unit;
  return markup;
}

// One element with distinct attributes "a0=x a1=x ..." up to `bytes`.
std::string many_attributes(size_t bytes) {
  std::string markup = "<div";
  for (int i = 0; markup.size() < bytes; ++i) markup += " a" + std::to_string(i) + "=x";
  markup += ">many</div>";
  return markup;
}

std::string hostile_markup(int64_t pattern, size_t bytes) {
  if (pattern == int64_t(std::size(kHostilePatterns))) return many_attributes(bytes);
  return repeat_to(kHostilePatterns[pattern].unit, bytes);
}

std::string hostile_label(int64_t pattern, int64_t kilobytes) {
  const char* name = pattern == int64_t(std::size(kHostilePatterns))
                         ? "attributes"
                         : kHostilePatterns[pattern].name;
  return std::string(name) + "/" + std::to_string(kilobytes) + "KB";
}

void BM_ParseAndReshapeHostilePage(benchmark::State& state) {
  PluginRegistry plugins;
  plugins.add(kClassId, [](const PluginParams&) { return std::make_unique<QuietPlugin>(); });
  std::string page = voice_reader_page();
  const std::string markup = hostile_markup(state.range(0), size_t(state.range(1)) << 10);
  page.insert(page.rfind("</body>"), markup);
  const std::string player = player_markup();
  for (auto _ : state) {
    auto document = PageDocument::load(page, "http://voice.localhost/", &plugins, nullptr);
    reshape(*document, player);
    benchmark::DoNotOptimize(document);
  }
  state.SetLabel(hostile_label(state.range(0), state.range(1)));
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(markup.size()));
}

void BM_WriteHostileMarkup(benchmark::State& state) {
  const std::string markup = hostile_markup(state.range(0), size_t(state.range(1)) << 10);
  for (auto _ : state) {
    auto document =
        PageDocument::load("<div id=target></div>", "http://voice.localhost/", nullptr, nullptr);
    document->getElementsByTagName("div")->Item(0)->set_innerhtml(markup);
    benchmark::DoNotOptimize(document);
  }
  state.SetLabel(hostile_label(state.range(0), state.range(1)));
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(markup.size()));
}

// Pattern index (the last one is the attributes) by size in kilobytes.
void hostile_sizes(benchmark::internal::Benchmark* benchmark) {
  for (int64_t pattern = 0; pattern <= int64_t(std::size(kHostilePatterns)); ++pattern) {
    for (int64_t kilobytes : {160, 320, 1024}) benchmark->Args({pattern, kilobytes});
  }
}

BENCHMARK(BM_ParseAndReshapeHostilePage)->Apply(hostile_sizes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteHostileMarkup)->Apply(hostile_sizes)->Unit(benchmark::kMillisecond);

}  // namespace

}  // namespace prevod

BENCHMARK_MAIN();
