#include "platform/page/page_document.h"

#include <gtest/gtest.h>

#include "base/resume_next.h"
#include "base/runtime_error.h"
#include "page_test_support.h"

namespace prevod {

using page_test::item;
using page_test::kPlayerClassId;
using page_test::parse_page;
using page_test::PluginLog;

namespace {

const char* kNestedDivs = "<div id=a><div id=b>B</div><div id=c>C</div></div><div id=d>D</div>";

std::string ids(const ElementList& list) {
  std::string result;
  for (int32_t i = 0; i < list.length(); ++i) result += list.Item(i)->Id();
  return result;
}

std::string player_markup(const std::string& id) {
  return "<object id=\"" + id + "\" classid=\"" + kPlayerClassId +
         "\" width=737><param name=\"Movie\" value=\"/vr_demo.swf\"><param name=\"Play\" "
         "value=\"0\"></object>";
}

// --- Live lists -----------------------------------------------------------

TEST(LiveElementList, ShrinksWhenAnEarlierElementIsEmptied) {
  auto document = parse_page(kNestedDivs);
  auto divs = document->getElementsByTagName("div");
  EXPECT_EQ(ids(*divs), "abcd");
  divs->Item(0)->set_innerhtml("");
  EXPECT_EQ(divs->length(), 2);
  EXPECT_EQ(divs->Item(1)->Id(), "d");
}

TEST(LiveElementList, WalkWithABoundComputedFirstRunsPastTheEndAndThrows) {
  // The shape of a walk that reads length once and blanks every element.
  auto document = parse_page(kNestedDivs);
  auto divs = document->getElementsByTagName("div");
  int32_t count = divs->length();
  std::vector<std::string> blanked;
  int failures = 0;
  for (int32_t i = 0; i < count; ++i) {
    try {
      auto element = divs->Item(i);
      blanked.push_back(element->Id());
      element->set_innerhtml("");
    } catch (const RuntimeError&) {
      ++failures;
    }
  }
  EXPECT_EQ(blanked, (std::vector<std::string>{"a", "d"}));
  EXPECT_EQ(failures, 2);
}

TEST(LiveElementList, SeesElementsWrittenAfterItWasMade) {
  auto document = parse_page("<div id=host></div>");
  auto spans = document->getElementsByTagName("SPAN");
  EXPECT_EQ(spans->length(), 0);
  item(*document, "div", 0)->set_innerhtml("<span id=x></span><p><span id=y></span></p>");
  EXPECT_EQ(ids(*spans), "xy");
}

TEST(LiveElementList, ItemOutsideTheListThrows) {
  auto document = parse_page("<span></span>");
  auto spans = document->getElementsByTagName("span");
  EXPECT_NO_THROW(spans->Item(0));
  EXPECT_THROW(spans->Item(1), RuntimeError);
  EXPECT_THROW(spans->Item(-1), RuntimeError);
  EXPECT_THROW(document->getElementsByTagName("table")->Item(0), RuntimeError);
}

TEST(LiveElementList, MatchesTagsWithoutRegardToCase) {
  auto document =
      parse_page("<TABLE><tr><td>1</td></tr></TABLE><Object id=o></Object><span></span>");
  EXPECT_EQ(document->getElementsByTagName("TABLE")->length(), 1);
  EXPECT_EQ(document->getElementsByTagName("table")->length(), 1);
  EXPECT_EQ(document->getElementsByTagName("OBJECT")->Item(0)->Id(), "o");
  EXPECT_EQ(document->getElementsByTagName("Span")->length(), 1);
  EXPECT_EQ(document->getElementsByTagName("spa")->length(), 0);
  EXPECT_EQ(item(*document, "td", 0)->tagName(), "TD");
}

TEST(LiveElementList, ALoopOverAllMatchesEndsOnTheLastOne) {
  auto document = parse_page(
      "<span id=result_box>first</span><span id=other>x</span><span id=result_box>second</span>"
      "<span id=Result_Box>case differs</span>");
  auto spans = document->getElementsByTagName("SPAN");
  std::string text;
  for (int32_t i = 0; i < spans->length(); ++i) {
    if (spans->Item(i)->Id() == "result_box") text = spans->Item(i)->InnerText();
  }
  EXPECT_EQ(text, "second");
}

TEST(LiveElementList, CountsEveryElementForTheStarTag) {
  auto document = parse_page("<p>a</p>");
  EXPECT_EQ(document->getElementsByTagName("*")->length(), 4);  // html, head, body, p
}

TEST(PageElement, StaysUsableAfterLeavingTheDocument) {
  auto document = parse_page("<div id=outer><a id=link href=/x style=\"top:1px\">go</a></div>");
  auto link = item(*document, "a", 0);
  item(*document, "div", 0)->set_innerhtml("");
  EXPECT_EQ(link->Id(), "link");
  EXPECT_EQ(link->InnerText(), "go");
  link->Style().set("Left", "2px");
  EXPECT_EQ(link->Style().get("top"), "1px");
  link->set_innerhtml("<b>still</b>");
  EXPECT_EQ(link->innerhtml(), "<b>still</b>");
  link->focus();
  link->Click();
  EXPECT_EQ(document->focused(), nullptr);
  EXPECT_EQ(document->getElementsByTagName("a")->length(), 0);
}

TEST(PageElement, OutlivesItsDocument) {
  std::shared_ptr<Element> kept;
  {
    auto document = parse_page("<div><span id=s>text</span></div>");
    kept = item(*document, "span", 0);
  }
  EXPECT_EQ(kept->InnerText(), "text");
  kept->set_innerhtml("<i>new</i>");
  kept->focus();
  kept->Click();
  EXPECT_EQ(kept->innerhtml(), "<i>new</i>");
}

TEST(PageDocument, HasTheHtmlElementAsItsRoot) {
  auto document = parse_page("<p>x</p>");
  EXPECT_EQ(document->documentelement()->tagName(), "HTML");
  EXPECT_EQ(document->documentelement()->innerhtml(), "<head></head><body><p>x</p></body>");
}

// --- innerhtml ------------------------------------------------------------

TEST(PageElementMarkup, WritingReplacesTheContentAndReadsBackSerialised) {
  auto document = parse_page("<div id=d><p>old</p></div>");
  auto div = item(*document, "div", 0);
  div->set_innerhtml("<B>bold</B> &amp; <img SRC='a.png' alt=\"say &quot;hi&quot;\"><br>tail");
  EXPECT_EQ(div->innerhtml(),
            "<b>bold</b> &amp; <img src=\"a.png\" alt=\"say &quot;hi&quot;\"><br>tail");
  EXPECT_EQ(document->getElementsByTagName("p")->length(), 0);
}

TEST(PageElementMarkup, KeepsScriptAndStyleTextUnescaped) {
  auto document = parse_page("<div></div>");
  auto div = item(*document, "div", 0);
  div->set_innerhtml("<script>if (a < b && c) alert('<b>');</script><style>p > b {}</style>");
  EXPECT_EQ(div->innerhtml(),
            "<script>if (a < b && c) alert('<b>');</script><style>p > b {}</style>");
  EXPECT_EQ(document->getElementsByTagName("b")->length(), 0);
}

TEST(PageElementMarkup, ParsesContentInTheContextOfTheElement) {
  auto document = parse_page("<table><tbody><tr id=row></tr></tbody></table>");
  auto row = item(*document, "tr", 0);
  row->set_innerhtml("<td>1</td><td>2</td>");
  EXPECT_EQ(document->getElementsByTagName("td")->length(), 2);
  EXPECT_EQ(row->innerhtml(), "<td>1</td><td>2</td>");
}

TEST(PageElementMarkup, WritingNothingIntoAnEmptyElementChangesNothing) {
  auto document = parse_page("<div></div><div></div>");
  auto divs = document->getElementsByTagName("div");
  uint64_t version = document->version();
  divs->Item(0)->set_innerhtml("");
  EXPECT_EQ(document->version(), version);
  divs->Item(1)->set_innerhtml("x");
  EXPECT_NE(document->version(), version);
}

// --- Script, noscript and plug-ins ----------------------------------------

TEST(PagePlugins, NoscriptContentIsTextAndItsObjectIsNeverInstantiated) {
  auto log = std::make_shared<PluginLog>();
  PluginRegistry plugins;
  page_test::register_fake_player(plugins, log);
  auto document = parse_page("<div></div>", &plugins);
  std::string fallback = "<object id=\"vr_demo\" classid=\"" + std::string(kPlayerClassId) +
                         "\"><embed src=\"x.swf\"></object>";
  item(*document, "div", 0)
      ->set_innerhtml(
          "<script>AC_FL_RunContent('id','vr_demo'); document.write('<object>');"
          "</script>" +
          player_markup("vr_demo") + "<noscript>" + fallback + "</noscript>");
  EXPECT_EQ(document->getElementsByTagName("OBJECT")->length(), 1);
  EXPECT_EQ(document->getElementsByTagName("embed")->length(), 0);
  EXPECT_EQ(log->events, (std::vector<std::string>{"create vr_demo"}));
  auto noscript = item(*document, "noscript", 0);
  EXPECT_EQ(noscript->innerhtml(), fallback);
  EXPECT_EQ(item(*document, "div", 0)->InnerText(), "");
}

TEST(PagePlugins, NoscriptKeepsItsPlaceInTheHeadAndInTables) {
  auto log = std::make_shared<PluginLog>();
  PluginRegistry plugins;
  page_test::register_fake_player(plugins, log);
  auto document = parse_page(
      "<html><head><noscript>" + player_markup("head") +
          "</noscript></head><body><table><tr><td>cell<noscript><p>fallback</noscript></td></tr>"
          "</table><p>after</p></body></html>",
      &plugins);
  EXPECT_TRUE(log->events.empty());
  EXPECT_EQ(document->getElementsByTagName("noscript")->length(), 2);
  EXPECT_EQ(document->getElementsByTagName("p")->length(), 1);
  EXPECT_EQ(document->text(), "cell\r\n\r\nafter");
}

TEST(PagePlugins, AnUnclosedNoscriptSwallowsTheRestAsText) {
  auto document = parse_page("<p>a</p><noscript><p>b</p>");
  EXPECT_EQ(document->getElementsByTagName("p")->length(), 1);
  EXPECT_EQ(item(*document, "noscript", 0)->innerhtml(), "<p>b</p>");
}

TEST(PagePlugins, EachWrittenObjectGetsItsOwnPluginWithItsParams) {
  auto log = std::make_shared<PluginLog>();
  PluginRegistry plugins;
  page_test::register_fake_player(plugins, log);
  auto document = parse_page("<div></div>", &plugins);
  item(*document, "div", 0)->set_innerhtml(player_markup("one") + player_markup("two"));
  ASSERT_EQ(log->created.size(), 2u);
  const PluginParams& params = log->created[0];
  EXPECT_EQ(params.classid, kPlayerClassId);
  EXPECT_EQ(params.id, "one");
  EXPECT_EQ(params.page_address, "http://test.localhost/");
  EXPECT_EQ(params.params, (std::vector<std::pair<std::string, std::string>>{
                               {"Movie", "/vr_demo.swf"}, {"Play", "0"}}));
  EXPECT_EQ(log->created[1].id, "two");
}

TEST(PagePlugins, WritingTheMarkupAgainReplacesThePlugin) {
  auto log = std::make_shared<PluginLog>();
  PluginRegistry plugins;
  page_test::register_fake_player(plugins, log);
  auto document = parse_page("<div></div><div></div>", &plugins);
  auto divs = document->getElementsByTagName("div");
  divs->Item(1)->set_innerhtml("");
  divs->Item(1)->set_innerhtml(player_markup("vr_demo"));
  auto first = item(*document, "OBJECT", 0);
  divs->Item(1)->set_innerhtml("");
  divs->Item(1)->set_innerhtml(player_markup("vr_demo"));
  EXPECT_EQ(log->events,
            (std::vector<std::string>{"create vr_demo", "destroy vr_demo", "create vr_demo"}));
  first->Click();  // the old element is out of the page and has no plug-in left
  EXPECT_EQ(log->count("click"), 0);
  item(*document, "OBJECT", 0)->Click();
  EXPECT_EQ(log->count("click"), 1);
}

TEST(PagePlugins, ObjectsInALoadedPageAreInstantiated) {
  auto log = std::make_shared<PluginLog>();
  PluginRegistry plugins;
  page_test::register_fake_player(plugins, log);
  auto document = parse_page("<div>" + player_markup("vr_demo") + "</div>", &plugins);
  EXPECT_EQ(log->events, (std::vector<std::string>{"create vr_demo"}));
  document.reset();
  EXPECT_EQ(log->events.back(), "destroy vr_demo");
}

TEST(PagePlugins, ObjectsOfUnknownClassOrWrittenOffThePageStayEmpty) {
  auto log = std::make_shared<PluginLog>();
  PluginRegistry plugins;
  page_test::register_fake_player(plugins, log);
  auto document = parse_page("<div id=d></div>", &plugins);
  auto div = item(*document, "div", 0);
  div->set_innerhtml(
      "<object id=x classid=\"clsid:00000000-0000-0000-0000-000000000000\"></object>");
  auto detached = item(*document, "object", 0);
  div->set_innerhtml("");
  detached->set_innerhtml(player_markup("off"));
  EXPECT_TRUE(log->events.empty());
  // Class ids match without regard to case.
  div->set_innerhtml(
      "<object id=upper classid=\"CLSID:D27CDB6E-AE6D-11CF-96B8-444553540000\">"
      "</object>");
  EXPECT_EQ(log->events, (std::vector<std::string>{"create upper"}));
}

TEST(PagePlugins, AFailingPluginLeavesItsElementEmpty) {
  PluginRegistry plugins;
  plugins.add(kPlayerClassId, [](const PluginParams&) -> std::unique_ptr<Plugin> {
    throw RuntimeError("no audio device");
  });
  auto document = parse_page(player_markup("vr_demo"), &plugins);
  auto object = std::static_pointer_cast<PageElement>(item(*document, "object", 0));
  EXPECT_EQ(object->plugin(), nullptr);
}

// --- InnerText ------------------------------------------------------------

TEST(PageElementText, SeparatesBlocksAndCollapsesBlanks) {
  auto document = parse_page(
      "<div id=all>  Hello,\n   <b>world</b>!<div>second   line</div><p>para</p>tail<br>"
      "after break<ul><li>one</li><li>two</li></ul>"
      "<table><tr><td>a</td><td> b </td></tr><tr><td>c</td></tr></table>"
      "<script>var hidden;</script><style>p{}</style><span style=\"DISPLAY: none\">gone</span>"
      "<pre>  kept\n  as is</pre></div>");
  EXPECT_EQ(item(*document, "div", 0)->InnerText(),
            "Hello, world!\r\nsecond line\r\n\r\npara\r\n\r\ntail\r\nafter break\r\none\r\ntwo"
            "\r\na\tb\r\nc\r\n  kept\r\n  as is");
}

TEST(PageElementText, ReadsTheTextOfAResultSpan) {
  auto document = parse_page(
      "<span id=result_box class=short_text><span title=\"Hello!\">Здравейте!</span></span>");
  EXPECT_EQ(item(*document, "SPAN", 0)->InnerText(), "Здравейте!");
}

// --- Style ----------------------------------------------------------------

TEST(PageElementStyle, MatchesMemberNamesWithoutRegardToCaseAndKeepsValues) {
  auto document = parse_page("<div id=d style=\"display:none; COLOR : red\">x</div>");
  auto div = item(*document, "div", 0);
  EXPECT_EQ(div->Style().get("Display"), "none");
  div->Style().set("POSITION", "absolute");
  div->Style().set("Top", "-50Px");
  div->Style().set("Left", "-35Px");
  div->Style().set("width", "2Px");
  div->Style().set("Height", "0Px");
  div->Style().set("display", "");
  EXPECT_EQ(div->Style().get("position"), "absolute");
  EXPECT_EQ(div->Style().get("TOP"), "-50Px");
  EXPECT_EQ(div->Style().get("display"), "");
  EXPECT_EQ(document->documentelement()->innerhtml(),
            "<head></head><body><div id=\"d\" style=\"color: red; position: absolute; top: "
            "-50Px; left: -35Px; width: 2Px; height: 0Px\">x</div></body>");
}

TEST(PageElementStyle, AddsAStyleAttributeWhenFirstWritten) {
  auto document = parse_page("<a href=x>l</a>");
  item(*document, "a", 0)->Style().set("display", "none");
  EXPECT_EQ(item(*document, "body", 0)->innerhtml(), "<a href=\"x\" style=\"display: none\">l</a>");
  EXPECT_EQ(document->text(), "");
}

}  // namespace

}  // namespace prevod
