#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "page_test_support.h"
#include "platform/page/page_browser.h"
#include "platform/page/page_view_builder.h"

namespace prevod {

void PrintTo(const TextRun& run, std::ostream* out) {
  *out << '"' << run.text << '"' << (run.bold ? " bold" : "") << (run.link ? " link" : "");
}

using page_test::BrowserHarness;
using page_test::item;
using page_test::kPlayerClassId;
using page_test::page_load;
using page_test::parse_page;

namespace {

PageView view_of(std::string_view html, const PluginRegistry* plugins = nullptr) {
  auto document = parse_page(html, plugins);
  return PageViewBuilder::build(document->node());
}

std::string text_of(const PageItem& item) {
  if (item.kind == PageItem::Kind::Plugin) return "[plug-in]";
  std::string text;
  for (const TextRun& run : item.runs) text += run.text;
  return text;
}

std::vector<std::string> texts(const PageFlow& flow) {
  std::vector<std::string> out;
  for (const PageItem& item : flow.items) out.push_back(text_of(item));
  return out;
}

std::string object_markup(const std::string& id, const std::string& size) {
  return "<object id=\"" + id + "\" classid=\"" + kPlayerClassId + "\" " + size + "></object>";
}

// --- Text -----------------------------------------------------------------

TEST(PageViewText, BlocksFollowTheBlockElementsWithBlanksCollapsed) {
  PageView view = view_of(
      "<body>  Intro <b>bold</b>\n   text<div>First   block</div>"
      "<p>Para<br>next line</p>tail <span>end</span></body>");
  ASSERT_EQ(view.flows.size(), 1u);
  EXPECT_EQ(view.flows[0].left, PageViewBuilder::kMargin);
  EXPECT_EQ(view.flows[0].top, PageViewBuilder::kMargin);
  EXPECT_EQ(texts(view.flows[0]), (std::vector<std::string>{"Intro bold text", "First block",
                                                            "Para\nnext line", "tail end"}));
}

TEST(PageViewText, WhatABrowserDoesNotRenderOrAStyleHidesIsLeftOut) {
  PageView view = view_of(
      "<head><title>Title</title><style>p {}</style></head><body>"
      "<script>var hidden = 1;</script><noscript>no script</noscript>"
      "<div style=\"display:none\"><p>gone</p></div><p style=\"DISPLAY: none\">gone too</p>"
      "<p>shown</p></body>");
  EXPECT_EQ(texts(view.flows[0]), (std::vector<std::string>{"shown"}));
}

TEST(PageViewText, FormControlsShowTheirValuesInBrackets) {
  PageView view = view_of(
      "<form><input type=\"hidden\" value=\"secret\"><input type=\"submit\" value=\"Превод\">"
      "<select><option>английски</option><option selected>  руски </option></select>"
      "<input type=\"checkbox\" checked><input type=\"password\" value=\"abc\">"
      "<textarea>  some   text </textarea></form>");
  EXPECT_EQ(texts(view.flows[0]),
            (std::vector<std::string>{"[Превод][руски \u25BE][x][***][some text]"}));
}

TEST(PageViewText, TableRowsAreBlocksAndTheirCellsAreSeparatedByTabs) {
  PageView view =
      view_of("<table><tr><td>a</td><td>  b </td></tr><tr><th>head</th><td>c</td></tr></table>");
  ASSERT_EQ(texts(view.flows[0]), (std::vector<std::string>{"a\tb", "head\tc"}));
  const PageItem& second = view.flows[0].items[1];
  ASSERT_EQ(second.runs.size(), 2u);
  EXPECT_TRUE(second.runs[0].bold);
  EXPECT_FALSE(second.runs[1].bold);
}

TEST(PageViewText, HeadingsBoldTextAndLinksKeepTheirStyles) {
  PageView view = view_of(
      "<h2>Title</h2><p>plain <a href=\"/x\">link</a> <strong>strong</strong></p>"
      "<p><a name=\"anchor\">no link</a></p>");
  const auto& items = view.flows[0].items;
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[0].heading, 2);
  EXPECT_TRUE(items[0].runs.at(0).bold);
  EXPECT_EQ(items[1].heading, 0);
  EXPECT_EQ(items[1].runs, (std::vector<TextRun>{{"plain ", false, false},
                                                 {"link", false, true},
                                                 {" ", false, false},
                                                 {"strong", true, false}}));
  EXPECT_EQ(items[2].runs, (std::vector<TextRun>{{"no link", false, false}}));
}

// --- Placed elements and plug-ins --------------------------------------------

TEST(PageViewPlaced, AnAbsolutelyPlacedElementStartsAFlowOfItsOwnAtItsPlace) {
  PluginRegistry plugins;
  page_test::register_fake_player(plugins, std::make_shared<page_test::PluginLog>());
  auto document = parse_page(
      "<div>before</div>"
      "<div style=\"POSITION: absolute; Top: -50Px; Left: -35Px; Width: 2Px\">" +
          object_markup("vr_demo", "width=\"737\" height=\"370\"") + "</div><div>after</div>",
      &plugins);
  PageView view = PageViewBuilder::build(document->node());
  ASSERT_EQ(view.flows.size(), 2u);
  EXPECT_EQ(texts(view.flows[0]), (std::vector<std::string>{"before", "after"}));
  const PageFlow& placed = view.flows[1];
  EXPECT_EQ(placed.left, -35);
  EXPECT_EQ(placed.top, -50);
  EXPECT_EQ(placed.width, 2);
  ASSERT_EQ(placed.items.size(), 1u);
  const PageItem& player = placed.items[0];
  EXPECT_EQ(player.kind, PageItem::Kind::Plugin);
  EXPECT_EQ(player.box, (PageBox{0, 0, 737, 370}));
  auto object = std::static_pointer_cast<PageElement>(item(*document, "object", 0));
  EXPECT_EQ(player.plugin, PageViewBuilder::token(*object->plugin()));
  ASSERT_EQ(player.face.parts.size(), 1u);
  EXPECT_EQ(player.face.parts[0].text, "vr_demo");
}

TEST(PageViewPlaced, APlacedElementInsideAnotherIsMeasuredFromItAndAnEmptyOneLeavesNoFlow) {
  PageView view = view_of(
      "<div style=\"position:absolute; left:100px; top:20px\">outer"
      "<div style=\"position:fixed; left:5; top:7px\">inner</div></div>"
      "<div style=\"position:absolute; left:3px; top:3px\"><script>x</script></div>"
      "<div style=\"position:absolute; left:1em; top:wide\">no pixels</div>");
  ASSERT_EQ(view.flows.size(), 4u);
  EXPECT_TRUE(view.flows[0].items.empty());
  EXPECT_EQ((std::pair{view.flows[1].left, view.flows[1].top}), (std::pair{100, 20}));
  EXPECT_EQ(texts(view.flows[1]), (std::vector<std::string>{"outer"}));
  EXPECT_EQ((std::pair{view.flows[2].left, view.flows[2].top}), (std::pair{105, 27}));
  EXPECT_EQ(texts(view.flows[2]), (std::vector<std::string>{"inner"}));
  EXPECT_EQ((std::pair{view.flows[3].left, view.flows[3].top}), (std::pair{0, 0}));
}

TEST(PageViewPlaced, APlugInWithoutPixelSizesTakesTheDefaultBoxAndHugeOnesAreBounded) {
  PluginRegistry plugins;
  page_test::register_fake_player(plugins, std::make_shared<page_test::PluginLog>());
  PageView view = view_of(object_markup("a", "width=\"100%\" height=\"tall\"") +
                              object_markup("b", "width=\"99999\" height=\"-5\"") +
                              object_markup("c", "width=\"12345678\" height=\"40\""),
                          &plugins);
  const auto& items = view.flows[0].items;
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[0].box, (PageBox{0, 0, PageViewBuilder::kDefaultPluginWidth,
                                   PageViewBuilder::kDefaultPluginHeight}));
  EXPECT_EQ(items[1].box, (PageBox{0, 0, 4096, PageViewBuilder::kDefaultPluginHeight}));
  EXPECT_EQ(items[2].box, (PageBox{0, 0, PageViewBuilder::kDefaultPluginWidth, 40}));
}

// --- The browser's view -----------------------------------------------------

class PageBrowserView : public ::testing::Test {
 protected:
  PageBrowserView() {
    h.browser->on_view_changed = [this] { ++announced; };
    h.site->pages["/"] = page_load("<div id=\"box\">text</div>" +
                                   object_markup("vr", "width=\"200\" height=\"100\""));
  }
  uint64_t player_token() {
    PageView view = h.browser->view();
    return view.flows.at(0).items.at(1).plugin;
  }

  BrowserHarness h;
  int announced = 0;
};

TEST_F(PageBrowserView, IsEmptyBeforeTheFirstPage) {
  EXPECT_TRUE(h.browser->view().flows.empty());
}

TEST_F(PageBrowserView, EveryChangeMovesTheRevisionOnAndIsAnnouncedOnceUntilTheViewIsRead) {
  h.open("http://test.localhost/");
  EXPECT_EQ(announced, 1);
  EXPECT_EQ(texts(h.browser->view().flows[0]), (std::vector<std::string>{"text", "[plug-in]"}));

  auto box = item(*h.browser->Document(), "div", 0);
  uint64_t before = h.browser->view_revision();
  box->Style().set("display", "none");
  box->Style().set("Width", "2Px");
  EXPECT_EQ(h.browser->view_revision(), before + 2);
  EXPECT_EQ(announced, 2);
  EXPECT_EQ(texts(h.browser->view().flows[0]), (std::vector<std::string>{"[plug-in]"}));

  box->set_innerhtml("<b>new</b>");
  EXPECT_EQ(announced, 3);
  item(*h.browser->Document(), "object", 0)->focus();
  EXPECT_EQ(announced, 3);  // not read since
  h.browser->view();
  h.press(vk::TAB);
  EXPECT_EQ(announced, 4);
  EXPECT_GT(h.browser->view_revision(), before + 2);
}

TEST_F(PageBrowserView, APlugInActionGivesItsElementThePageFocusAndReachesThePlugIn) {
  h.open("http://test.localhost/");
  PluginAction action;
  action.part = "name";
  h.browser->plugin_action(player_token(), action);
  EXPECT_EQ(h.plugin_log->events.back(), "action vr name");
  // The element takes the focus as a click does, without the plug-in's own
  // focus, which would move its inner focus away from the part clicked.
  EXPECT_EQ(h.plugin_log->count("focus vr"), 0);
  EXPECT_EQ(h.focus_requests, 1);
  EXPECT_EQ(h.focused_id(), "vr");
}

TEST_F(PageBrowserView, AnActionForAPlugInThatIsGoneDoesNothing) {
  h.open("http://test.localhost/");
  uint64_t token = player_token();
  h.browser->Document()->documentelement()->set_innerhtml("<body>emptied</body>");
  EXPECT_EQ(h.plugin_log->events.back(), "destroy vr");
  PluginAction action;
  action.part = "name";
  h.browser->plugin_action(token, action);
  EXPECT_EQ(h.plugin_log->count("action"), 0);
  EXPECT_EQ(h.focus_requests, 0);
}

}  // namespace

}  // namespace prevod
