#include "platform/page/page_browser.h"

#include <gtest/gtest.h>

#include "base/runtime_error.h"
#include "page_test_support.h"

namespace prevod {

using page_test::BrowserHarness;
using page_test::item;
using page_test::kPlayerClassId;
using page_test::page_load;

namespace {

const char* kHome = "http://test.localhost/";

// --- Navigation -----------------------------------------------------------

TEST(PageBrowserNavigation, HasNoDocumentBeforeTheFirstLoad) {
  BrowserHarness h;
  EXPECT_THROW(h.browser->Document(), RuntimeError);
  EXPECT_FALSE(h.browser->Busy());
  EXPECT_EQ(h.browser->LocationURL(), "");
  EXPECT_EQ(h.browser->page_text(), "");
  h.site->pages["/"] = page_load("<p>home</p>");
  h.browser->Navigate(kHome);
  EXPECT_THROW(h.browser->Document(), RuntimeError);
  EXPECT_EQ(h.browser->LocationURL(), kHome);
}

TEST(PageBrowserNavigation, IsBusyForTheLoadTimeThenRaisesEachDownloadApart) {
  BrowserHarness h;
  h.site->pages["/page?a=1"] = page_load("<p>ready</p>", 3, 200, 70);
  h.browser->Navigate("http://test.localhost/page?a=1#start");
  EXPECT_TRUE(h.browser->Busy());
  h.loop.advance(199);
  EXPECT_TRUE(h.browser->Busy());
  EXPECT_TRUE(h.site->fragments.empty());
  h.loop.advance(1);
  EXPECT_FALSE(h.browser->Busy());
  EXPECT_EQ(h.browser->page_text(), "ready");
  EXPECT_EQ(h.browser->LocationURL(), "http://test.localhost/page?a=1#start");
  ASSERT_EQ(h.site->fragments.size(), 1u);
  EXPECT_EQ(h.site->fragments[0].path_and_query, "/page?a=1");
  EXPECT_EQ(h.site->fragments[0].fragment, "start");
  EXPECT_EQ(h.site->fragments[0].document, h.browser->Document());
  h.loop.advance(1000);
  EXPECT_EQ(h.download_times, (std::vector<int64_t>{200, 270, 340}));
  EXPECT_EQ(h.site->loads, (std::vector<std::string>{"/page?a=1"}));
}

TEST(PageBrowserNavigation, RaisesEachDownloadAsItsOwnHandler) {
  BrowserHarness h;
  h.site->pages["/"] = page_load("<p>x</p>", 2);
  int raised = 0;
  h.browser->on_download_complete = [&] {
    ++raised;
    throw RuntimeError("the handler fails");
  };
  h.open(kHome);
  EXPECT_EQ(raised, 2);
}

TEST(PageBrowserNavigation, FragmentNavigationKeepsTheDocumentAndIsNeverBusy) {
  BrowserHarness h;
  h.site->pages["/?hl=bg&tab=wT"] = page_load("<span id=result_box></span>");
  h.open("http://test.localhost/?hl=bg&tab=wT#");
  auto document = h.browser->Document();
  size_t downloads = h.download_times.size();
  h.browser->Navigate("http://test.localhost/?hl=bg&tab=wT#en|bg|Hello! #1|2");
  EXPECT_FALSE(h.browser->Busy());
  EXPECT_EQ(h.browser->Document(), document);
  EXPECT_EQ(h.browser->LocationURL(), "http://test.localhost/?hl=bg&tab=wT#en|bg|Hello! #1|2");
  ASSERT_EQ(h.site->fragments.size(), 2u);
  EXPECT_EQ(h.site->fragments[1].fragment, "en|bg|Hello! #1|2");
  EXPECT_EQ(h.site->fragments[1].path_and_query, "/?hl=bg&tab=wT");
  EXPECT_EQ(h.site->fragments[1].document, document);
  h.loop.advance(1000);
  EXPECT_EQ(h.download_times.size(), downloads);
  EXPECT_EQ(h.site->loads.size(), 1u);
}

TEST(PageBrowserNavigation, TheSameAddressWithoutAFragmentLoadsAgain) {
  BrowserHarness h;
  h.site->pages["/"] = page_load("<p>x</p>");
  h.open(kHome);
  auto first = h.browser->Document();
  h.browser->Navigate(kHome);
  EXPECT_TRUE(h.browser->Busy());
  h.loop.advance(1000);
  EXPECT_NE(h.browser->Document(), first);
  EXPECT_EQ(h.site->loads.size(), 2u);
}

TEST(PageBrowserNavigation, ALaterNavigationSupersedesOneStillLoading) {
  BrowserHarness h;
  h.site->pages["/slow"] = page_load("<p>slow</p>", 2, 500);
  h.site->pages["/fast"] = page_load("<p>fast</p>", 1, 100);
  h.browser->Navigate("http://test.localhost/slow");
  h.loop.advance(50);
  h.browser->Navigate("http://test.localhost/fast");
  EXPECT_EQ(h.browser->LocationURL(), "http://test.localhost/fast");
  EXPECT_EQ(h.browser->page_text(), "");
  h.loop.advance(2000);
  EXPECT_EQ(h.browser->page_text(), "fast");
  EXPECT_EQ(h.download_times, (std::vector<int64_t>{150}));
  ASSERT_EQ(h.site->fragments.size(), 1u);
  EXPECT_EQ(h.site->fragments[0].path_and_query, "/fast");
}

TEST(PageBrowserNavigation, LeavingAPageStopsItsOutstandingDownloads) {
  BrowserHarness h;
  h.site->pages["/a"] = page_load("<p>a</p>", 3, 10, 100);
  h.site->pages["/b"] = page_load("<p>b</p>", 1, 10);
  h.browser->Navigate("http://test.localhost/a");
  h.loop.advance(20);  // the document and its first download are in
  h.browser->Navigate("http://test.localhost/b");
  h.loop.advance(1000);
  EXPECT_EQ(h.download_times, (std::vector<int64_t>{10, 30}));
}

TEST(PageBrowserNavigation, ReplacingAPageRemovesItsPluginsButOldListsStillReadIt) {
  BrowserHarness h;
  h.site->pages["/"] =
      page_load(std::string("<object id=vr_demo classid=\"") + kPlayerClassId + "\"></object>");
  h.site->pages["/next"] = page_load("<p>next</p>");
  h.open(kHome);
  auto objects = h.browser->Document()->getElementsByTagName("OBJECT");
  h.open("http://test.localhost/next");
  EXPECT_EQ(h.plugin_log->events, (std::vector<std::string>{"create vr_demo", "destroy vr_demo"}));
  EXPECT_EQ(objects->length(), 1);
  EXPECT_EQ(h.browser->Document()->getElementsByTagName("OBJECT")->length(), 0);
}

TEST(PageBrowserNavigation, TracesEveryNavigation) {
  BrowserHarness h;
  h.site->pages["/"] = page_load("<p>x</p>");
  h.open(kHome);
  h.browser->Navigate("http://test.localhost/#en|bg|a");
  ASSERT_EQ(h.trace_lines.size(), 2u);
  EXPECT_EQ(h.trace_lines[0], "navigate http://test.localhost/");
  EXPECT_EQ(h.trace_lines[1], "navigate http://test.localhost/#en|bg|a");
}

TEST(PageBrowserNavigation, AboutBlankIsAnEmptyPage) {
  BrowserHarness h;
  h.open("about:blank");
  EXPECT_EQ(h.browser->page_text(), "");
  EXPECT_EQ(h.browser->Document()->getElementsByTagName("body")->length(), 1);
  EXPECT_EQ(h.download_times.size(), 1u);
}

// --- Error pages ----------------------------------------------------------

struct ErrorCase {
  const char* name;
  const char* address;
  const char* message;
};

class PageBrowserErrorPage : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(PageBrowserErrorPage, SaysWhatFailedAndCompletesOnce) {
  BrowserHarness h;
  h.site->pages["/"] = page_load("<p>home</p>");
  h.browser->Navigate(GetParam().address);
  EXPECT_TRUE(h.browser->Busy());
  h.loop.advance(5000);
  EXPECT_FALSE(h.browser->Busy());
  EXPECT_NE(h.browser->page_text().find(GetParam().message), std::string::npos)
      << h.browser->page_text();
  EXPECT_EQ(h.download_times.size(), 1u);
  EXPECT_TRUE(h.site->fragments.empty());
  EXPECT_NO_THROW(h.browser->Document()->getElementsByTagName("div")->length());
}

INSTANTIATE_TEST_SUITE_P(
    Addresses, PageBrowserErrorPage,
    ::testing::Values(ErrorCase{"OutsideHost", "http://example.com/x",
                                "The page cannot be displayed: no network access to example.com"},
                      ErrorCase{"UnservedHost", "http://nobody.localhost/",
                                "no site is served at nobody.localhost"},
                      ErrorCase{"MissingPage", "http://test.localhost/missing",
                                "test.localhost/missing was not found (404)"},
                      ErrorCase{"NoScheme", "test.localhost",
                                "the address \"test.localhost\" is not valid"},
                      ErrorCase{"Empty", "", "is not valid"},
                      ErrorCase{"MarkupInTheHost", "http://<script>/", "is not valid"}),
    [](const ::testing::TestParamInfo<ErrorCase>& info) { return std::string(info.param.name); });

TEST(PageBrowserErrorPageMarkup, EscapesTheAddressItShows) {
  BrowserHarness h;
  h.open("http://<b>bad</b>/");
  EXPECT_EQ(h.browser->Document()->getElementsByTagName("b")->length(), 0);
}

TEST(PageBrowserErrorPageMarkup, FollowsAFailingSiteWithAnErrorPage) {
  struct BrokenSite : Site {
    PageLoad load(const std::string&) override { throw RuntimeError("disk gone"); }
  };
  BrowserHarness h;
  h.sites.add("broken.localhost", std::make_shared<BrokenSite>());
  h.open("http://broken.localhost/");
  EXPECT_NE(h.browser->page_text().find("disk gone"), std::string::npos);
}

// --- Links ----------------------------------------------------------------

TEST(PageBrowserLinks, ClickFollowsTheHrefResolvedAgainstThePage) {
  BrowserHarness h;
  h.site->pages["/"] =
      page_load("<div id=gbar><a href=\"/?hl=bg&amp;tab=wT\"><b>Translate</b></a></div>");
  h.site->pages["/?hl=bg&tab=wT"] = page_load("<p>translator</p>");
  h.open(kHome);
  item(*h.browser->Document(), "b", 0)->Click();  // reaches the link around it
  EXPECT_TRUE(h.browser->Busy());
  h.loop.advance(1000);
  EXPECT_EQ(h.browser->LocationURL(), "http://test.localhost/?hl=bg&tab=wT");
  EXPECT_EQ(h.browser->page_text(), "translator");
}

TEST(PageBrowserLinks, ClickOnPlainElementsAndScriptLinksGoesNowhere) {
  BrowserHarness h;
  h.site->pages["/"] = page_load("<div id=gbar>bar</div><a href=\"javascript:go()\">js</a>");
  h.open(kHome);
  item(*h.browser->Document(), "div", 0)->Click();
  item(*h.browser->Document(), "a", 0)->Click();
  EXPECT_FALSE(h.browser->Busy());
  EXPECT_EQ(h.site->loads.size(), 1u);
  EXPECT_EQ(h.focus_requests, 2);
}

// --- Keyboard -------------------------------------------------------------

const char* kTabPage =
    "<div id=gbar tabindex=-1><a id=l1 href=/one>1</a></div>"
    "<div id=plain>text</div>"
    "<a id=noref>no href</a>"
    "<a id=l2 href=/two>2</a>"
    "<div style=\"display: none\"><a id=hidden href=/h>h</a></div>"
    "<input id=i1><input type=hidden id=ih><input id=idis disabled>"
    "<select id=s1><option>x</option></select>"
    "<span id=t0 tabindex=0>focusable span</span>"
    "<button id=b1>b</button><textarea id=ta></textarea>"
    "<a id=lneg href=/neg tabindex=-1>neg</a>"
    "<a id=l3 href=/three>3</a>";

TEST(PageBrowserKeys, TabVisitsFocusableElementsInDocumentOrderAndWraps) {
  BrowserHarness h;
  h.site->pages["/"] = page_load(kTabPage);
  h.open(kHome);
  std::vector<std::string> order;
  for (int i = 0; i < 9; ++i) {
    h.press(vk::TAB);
    order.push_back(h.focused_id());
  }
  EXPECT_EQ(order,
            (std::vector<std::string>{"l1", "l2", "i1", "s1", "t0", "b1", "ta", "l3", "l1"}));
}

TEST(PageBrowserKeys, ShiftTabGoesBackAndWrapsToTheEnd) {
  BrowserHarness h;
  h.site->pages["/"] = page_load(kTabPage);
  h.open(kHome);
  h.press(vk::TAB, true);
  EXPECT_EQ(h.focused_id(), "l3");
  h.press(vk::TAB, true);
  EXPECT_EQ(h.focused_id(), "ta");
  item(*h.browser->Document(), "a", 0)->focus();
  h.press(vk::TAB, true);
  EXPECT_EQ(h.focused_id(), "l3");
}

TEST(PageBrowserKeys, TabFromAFocusedPlainElementGoesToTheNextStopAfterIt) {
  BrowserHarness h;
  h.site->pages["/"] = page_load(kTabPage);
  h.open(kHome);
  auto divs = h.browser->Document()->getElementsByTagName("div");
  divs->Item(1)->focus();  // "plain"
  h.press(vk::TAB);
  EXPECT_EQ(h.focused_id(), "l2");
  divs->Item(1)->focus();
  h.press(vk::TAB, true);
  EXPECT_EQ(h.focused_id(), "l1");
  // From inside the hidden part the order goes on after it.
  item(*h.browser->Document(), "a", 3)->focus();  // "hidden"
  h.press(vk::TAB);
  EXPECT_EQ(h.focused_id(), "i1");
}

TEST(PageBrowserKeys, FocusOnTheBarThenThreeTabsAndEnterFollowsTheThirdLink) {
  BrowserHarness h;
  h.site->pages["/"] = page_load(
      "<a href=/before>before</a><div id=gbar><b>bar</b><a href=/first>1</a>"
      "<a href=/second>2</a></div><a href=\"/?hl=bg&amp;tab=wT\">3</a><a href=/fourth>4</a>");
  h.site->pages["/?hl=bg&tab=wT"] = page_load("<p>translator</p>");
  h.open(kHome);
  auto divs = h.browser->Document()->getElementsByTagName("div");
  for (int32_t i = 0; i < divs->length(); ++i) {
    if (divs->Item(i)->Id() == "gbar") {
      divs->Item(i)->focus();
      divs->Item(i)->Click();
    }
  }
  h.press(vk::TAB);
  h.press(vk::TAB);
  h.press(vk::TAB);
  h.press(vk::RETURN);
  h.loop.advance(1000);
  EXPECT_EQ(h.browser->LocationURL(), "http://test.localhost/?hl=bg&tab=wT");
}

TEST(PageBrowserKeys, EnterOnAFragmentLinkStaysInThePage) {
  BrowserHarness h;
  h.site->pages["/"] = page_load("<a id=frag href=\"#bg|en|x\">f</a>");
  h.open(kHome);
  auto document = h.browser->Document();
  h.press(vk::TAB);
  h.press(vk::RETURN);
  EXPECT_FALSE(h.browser->Busy());
  EXPECT_EQ(h.browser->Document(), document);
  EXPECT_EQ(h.site->fragments.back().fragment, "bg|en|x");
}

TEST(PageBrowserKeys, OnlyKeyDownMovesTheFocus) {
  BrowserHarness h;
  h.site->pages["/"] = page_load(kTabPage);
  h.open(kHome);
  h.browser->key_event(page_test::key(vk::TAB, false, false));
  EXPECT_EQ(h.focused_id(), "");
  h.browser->key_event(page_test::key(vk::TAB, false, true));
  EXPECT_EQ(h.focused_id(), "l1");
}

TEST(PageBrowserKeys, AFocusedPluginTakesEveryKeyItself) {
  BrowserHarness h;
  h.site->pages["/"] =
      page_load(std::string("<a id=before href=/b>b</a><div id=box>x</div>"
                            "<a id=after href=/a>a</a>"));
  h.open(kHome);
  auto document = h.browser->Document();
  item(*document, "div", 0)
      ->set_innerhtml(std::string("<object id=vr_demo classid=\"") + kPlayerClassId +
                      "\"><param name=Movie value=x></object>");
  auto objects = document->getElementsByTagName("OBJECT");
  for (int32_t i = 0; i < objects->length(); ++i) {
    if (objects->Item(i)->Id() == "vr_demo") {
      objects->Item(i)->focus();
      objects->Item(i)->Click();
    }
  }
  EXPECT_EQ(h.focus_requests, 2);
  h.press(vk::TAB);
  h.press(vk::TAB, true);
  h.press(vk::RETURN);
  EXPECT_EQ(h.focused_id(), "vr_demo");
  EXPECT_EQ(
      h.plugin_log->events,
      (std::vector<std::string>{"create vr_demo", "focus vr_demo", "click vr_demo",
                                "key vr_demo 9 down", "key vr_demo 9 up", "key vr_demo 9 down",
                                "key vr_demo 9 up", "key vr_demo 13 down", "key vr_demo 13 up"}));
  EXPECT_FALSE(h.browser->Busy());
}

TEST(PageBrowserKeys, TabReachesAPluginAndTellsItItHasTheFocus) {
  BrowserHarness h;
  h.site->pages["/"] =
      page_load(std::string("<a id=before href=/b>b</a><object id=vr_demo classid=\"") +
                kPlayerClassId + "\"><a href=/fallback>f</a></object>");
  h.open(kHome);
  h.press(vk::TAB);
  h.press(vk::TAB);
  EXPECT_EQ(h.focused_id(), "vr_demo");
  EXPECT_EQ(h.plugin_log->count("focus vr_demo"), 1);
  EXPECT_EQ(h.focus_requests, 0);  // the browser had the keys already
}

TEST(PageBrowserKeys, FocusOnARemovedElementIsLostAndTabStartsAgain) {
  BrowserHarness h;
  h.site->pages["/"] = page_load("<div><a id=inner href=/i>i</a></div><a id=outer href=/o>o</a>");
  h.open(kHome);
  h.press(vk::TAB);
  EXPECT_EQ(h.focused_id(), "inner");
  item(*h.browser->Document(), "div", 0)->set_innerhtml("");
  EXPECT_EQ(h.focused_id(), "");
  h.press(vk::TAB);
  EXPECT_EQ(h.focused_id(), "outer");
}

TEST(PageBrowserKeys, KeysBeforeAnyPageAreIgnored) {
  BrowserHarness h;
  h.press(vk::TAB);
  h.browser->focus_gained();
  EXPECT_THROW(h.browser->Document(), RuntimeError);
}

TEST(PageBrowserLifetime, DestroyingTheBrowserCancelsItsLoadAndRemovesPlugins) {
  BrowserHarness h;
  h.site->pages["/"] = page_load(
      std::string("<object id=vr_demo classid=\"") + kPlayerClassId + "\"></object>", 2, 10, 100);
  h.browser->Navigate(kHome);
  h.loop.advance(20);
  auto document = h.browser->Document();
  h.browser->Navigate("http://test.localhost/other");
  h.browser.reset();
  h.loop.advance(5000);
  EXPECT_EQ(h.download_times, (std::vector<int64_t>{10}));
  EXPECT_EQ(h.plugin_log->events, (std::vector<std::string>{"create vr_demo", "destroy vr_demo"}));
  item(*document, "object", 0)->Click();  // the page outlives its browser harmlessly
  EXPECT_EQ(h.plugin_log->count("click"), 0);
}

}  // namespace

}  // namespace prevod
