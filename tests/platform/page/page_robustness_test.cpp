// Markup of any shape, depth or size gives a document: no crash, no hang,
// and ordinary pages pass through the preparation untouched.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "page_test_support.h"
#include "platform/page/html_prepass.h"
#include "platform/page/page_document.h"
#include "platform/page/page_element.h"

namespace prevod {

using page_test::depth_of;
using page_test::item;
using page_test::parse_page;

namespace {

std::string nested_divs(int depth, const std::string& inside) {
  std::string html;
  html.reserve(static_cast<size_t>(depth) * 11 + inside.size());
  for (int i = 0; i < depth; ++i) html += "<div>";
  html += inside;
  for (int i = 0; i < depth; ++i) html += "</div>";
  return html;
}

TEST(PageRobustness, AHundredThousandNestedDivsAreCappedNotFatal) {
  // Capped twice: in depth, and in number, past which the span and the
  // paragraph are left out and their text stays.
  auto document = parse_page(nested_divs(100000, "<span id=deep>bottom</span>") + "<p>after</p>");
  auto divs = document->getElementsByTagName("div");
  EXPECT_EQ(divs->length(), static_cast<int32_t>(HtmlPrepass::kMaxElements));
  EXPECT_EQ(document->getElementsByTagName("span")->length(), 0);
  EXPECT_LE(depth_of(document->node()), HtmlPrepass::kMaxDepth);
  std::string text = document->documentelement()->InnerText();
  EXPECT_NE(text.find("bottom"), std::string::npos);
  EXPECT_NE(text.find("after"), std::string::npos);
}

TEST(PageRobustness, UnclosedNestingIsCappedToo) {
  std::string html;
  for (int i = 0; i < 20000; ++i) html += "<span><b><font>x";
  auto document = parse_page(html);
  EXPECT_LE(depth_of(document->node()), HtmlPrepass::kMaxDepth);
  EXPECT_EQ(document->text().size(), 20000u);
}

TEST(PageRobustness, TreesMadeDeepByRepeatedWritesAreWalkedAndFreedWithoutRecursion) {
  auto document = parse_page("<div id=start></div>");
  constexpr int kLevel = 250;
  constexpr int kRounds = 400;
  const std::string level = nested_divs(kLevel, "");
  auto deepest = std::static_pointer_cast<PageElement>(item(*document, "div", 0));
  for (int round = 0; round < kRounds; ++round) {
    deepest->set_innerhtml(level);
    while (!deepest->children().empty()) {
      deepest = deepest->children().front()->as_element()->shared();
    }
  }
  auto divs = document->getElementsByTagName("div");
  EXPECT_EQ(divs->length(), 1 + kRounds * kLevel);
  EXPECT_EQ(divs->Item(divs->length() - 1), deepest);
  deepest->set_innerhtml("<a href=/x>end</a>");
  EXPECT_EQ(document->text(), "end");
  EXPECT_EQ(divs->Item(0)->innerhtml().size(), size_t{kRounds} * kLevel * 11 + 20);
  item(*document, "a", 0)->focus();
  document->key_event(page_test::key(vk::TAB));
  EXPECT_EQ(document->focused()->tagName(), "A");
  // Freeing the tree while its deepest element is still held.
  document.reset();
  divs.reset();
  EXPECT_EQ(deepest->InnerText(), "end");
  EXPECT_EQ(deepest->parent(), nullptr);
}

TEST(PageRobustness, AMegabyteWriteIsParsedWhole) {
  auto document = parse_page("<div id=target></div>");
  std::string html;
  int rows = 0;
  while (html.size() < (1u << 20)) {
    html += "<p class=row>row " + std::to_string(rows++) + " &amp; some text</p>";
  }
  item(*document, "div", 0)->set_innerhtml(html);
  EXPECT_EQ(document->getElementsByTagName("p")->length(), rows);
  EXPECT_EQ(item(*document, "p", rows - 1)->InnerText(),
            "row " + std::to_string(rows - 1) + " & some text");
  // Attribute values come back quoted.
  EXPECT_EQ(item(*document, "div", 0)->innerhtml().size(), html.size() + 2u * rows);
}

TEST(PageRobustness, MalformedMarkupStillGivesADocument) {
  const char* pages[] = {
      "",
      "<",
      "<<<>>></",
      "</div></div></p>",
      "<div",
      "<div id=\"unterminated",
      "<!-- never closed",
      "<!---->ok<!-->also<!--->",
      "<script>never closed",
      "<noscript>",
      "<table><tr><td>cell<table><td>inner</tr>text in table</table>",
      "<p><div><p><b><i>mis</b>nested</i></p>",
      "<select><option>a<option>b<div>no</div></select>",
      "<svg><title>t</title><circle/><foreignObject><p>p</p></foreignObject></svg>",
      "<a href=x><a href=y>nested anchors</a></a>",
      "<html><html><body><body><head>twice",
      "\xff\xfe bad utf-8 \xc3",
      "<div a=1 a=2 b='x\" c=>",
      "<template><td>in template</td></template>",
      "<frameset><frame></frameset>",
      "<plaintext><div>all text",
  };
  for (const char* html : pages) {
    auto document = parse_page(html);
    EXPECT_NO_THROW(document->documentelement()->innerhtml()) << html;
    EXPECT_NO_THROW(document->text()) << html;
  }
  auto with_nul = parse_page(std::string("<p>a\0b</p>", 10));
  EXPECT_EQ(with_nul->getElementsByTagName("p")->length(), 1);
}

TEST(PageRobustness, RandomMarkupSurvivesParsingWritingAndReparsing) {
  const char* pieces[] = {"<div>",
                          "</div>",
                          "<p>",
                          "</p>",
                          "<table>",
                          "<tr>",
                          "<td>",
                          "</table>",
                          "<noscript>",
                          "</noscript>",
                          "<script>",
                          "</script>",
                          "<object classid=x>",
                          "</object>",
                          "text ",
                          "&amp;",
                          "<!--",
                          "-->",
                          "<a href=/>",
                          "</a>",
                          "<br>",
                          "<",
                          ">",
                          "\"",
                          "<select>",
                          "<option>",
                          "<b>",
                          "</i>",
                          "<svg>",
                          "<li>"};
  std::mt19937 random(12345);
  std::uniform_int_distribution<size_t> pick(0, std::size(pieces) - 1);
  for (int round = 0; round < 300; ++round) {
    std::string html;
    for (int i = 0; i < 60; ++i) html += pieces[pick(random)];
    auto document = parse_page(html);
    std::string written = document->documentelement()->innerhtml();
    auto again = parse_page(written);
    EXPECT_NO_THROW(again->text());
    item(*document, "body", 0)->set_innerhtml(html);
    EXPECT_NO_THROW(document->text());
  }
}

TEST(HtmlPrepassTest, LeavesOrdinaryMarkupAlone) {
  const std::string page =
      "<!DOCTYPE html><html><head><title>T &amp; <b></title><script>if (a<b) x('</div>');"
      "</script></head><body><div id=a><p>one<p>two<ul><li>1<li>2</ul><table><tr><td>x<td>y"
      "<tr><td>z</table><img src=a.png><br/><svg><path/></svg></div><!-- <div> --></body></html>";
  EXPECT_EQ(HtmlPrepass::prepare(page), page);
}

TEST(HtmlPrepassTest, TurnsNoscriptIntoMarkedText) {
  EXPECT_EQ(HtmlPrepass::prepare("<NoScript class=n><p>a & b</p></noscript >after"),
            "<title data-prevod-noscript class=n>&lt;p>a &amp; b&lt;/p></title>after");
}

}  // namespace

}  // namespace prevod
