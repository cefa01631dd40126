// Oformi on small pages served under their own host: what each walk writes,
// in which order, on which elements; the live lists with a count taken once;
// the player replaced by a second run; and the steps after the walks that
// must happen even when writes failed.

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "platform/page/page_element.h"
#include "services/voicereader/player_directory.h"
#include "services/voicereader/voice_reader_player.h"
#include "support/system_fixture.h"
#include "voicereader/tiny_page_site.h"

namespace prevod {

namespace {

class OformiTest : public SystemFixture {
 protected:
  void SetUp() override {}

  // Starts the program on a tiny page; its second download runs Oformi.
  void start_on(const std::string& body, int downloads = 2) {
    SimulatedSystem::Options options;
    options.config.VoiceReaderAddress = TinyPageSite::kAddress;
    boot(options, false);
    system->sites.add(TinyPageSite::kHost, std::make_shared<TinyPageSite>(body, downloads));
    auto log = probes;
    system->plugins.add(ProbePlugin::kClassId, [log](const PluginParams& params) {
      return std::make_unique<ProbePlugin>(params, log);
    });
    system->start();
    system->loop.run_pending();
  }
  void load_page() { advance(100); }

  std::shared_ptr<ElementList> elements(const std::string& tag) {
    return form1().WebBrowser1.Document()->getElementsByTagName(tag);
  }
  // The element of a tag with an Id, or nullptr.
  std::shared_ptr<Element> by_id(const std::string& tag, const std::string& id) {
    auto list = elements(tag);
    for (int32_t i = 0; i < list->length(); ++i) {
      if (list->Item(i)->Id() == id) return list->Item(i);
    }
    return nullptr;
  }
  // The style attribute as written, declarations in the order of writing.
  static std::string style_text(const std::shared_ptr<Element>& element) {
    auto page_element = std::dynamic_pointer_cast<PageElement>(element);
    return page_element ? page_element->attribute("style").value_or("") : "no page element";
  }
  int players_alive() { return static_cast<int>(system->players->live()); }

  std::shared_ptr<std::map<std::string, ProbeCalls>> probes =
      std::make_shared<std::map<std::string, ProbeCalls>>();
};

TEST_F(OformiTest, APageWithOneDivEmptiesItAndWritesNoPlayer) {
  start_on(R"(<div id="only"><p>Some text</p><span>more</span></div>)");
  load_page();
  auto only = by_id("div", "only");
  ASSERT_NE(only, nullptr);
  EXPECT_EQ(only->innerhtml(), "");
  EXPECT_EQ(style_text(only), "width: 2Px");
  EXPECT_EQ(system->players->created(), 0) << "there is no second div for the markup";
  EXPECT_TRUE(form1().Picture1.Visible());
  EXPECT_TRUE(form1().Picture2.Visible());
  EXPECT_TRUE(form1().TimerEn.Enabled());
  EXPECT_EQ(form1().WebBrowser1.Left(), 0);
}

TEST_F(OformiTest, TheSecondDivIsPlacedThenRefilledWithTheMarkup) {
  start_on(
      R"(<div id="d0">first</div><div id="d1" style="color: red">old player</div><div id="d2">third</div>)");
  load_page();
  auto d0 = by_id("div", "d0");
  auto d1 = by_id("div", "d1");
  auto d2 = by_id("div", "d2");
  ASSERT_TRUE(d0 && d1 && d2);
  EXPECT_EQ(d0->innerhtml(), "");
  EXPECT_EQ(d2->innerhtml(), "");
  EXPECT_EQ(style_text(d1), "color: red; position: absolute; top: -50Px; left: -35Px; width: 2Px");
  EXPECT_EQ(style_text(d0), "width: 2Px");
  EXPECT_EQ(style_text(d2), "width: 2Px");
  EXPECT_NE(d1->innerhtml().find("vr_demo"), std::string::npos);
  EXPECT_EQ(system->players->created(), 1);
  ASSERT_NE(system->player(), nullptr);
  EXPECT_EQ(system->player()->focused(), PlayerControl::VoiceList)
      << "focused, clicked, then one Tab";
}

TEST_F(OformiTest, ThreeTablesGetWidthThenHeightAndOnlyTheSecondIsHidden) {
  start_on(R"(<div>a</div><div>b</div>
    <table id="t0"><tr id="r0"><td id="c0">x</td></tr></table>
    <table id="t1"><tr><td>y</td></tr></table>
    <table id="t2"><tr><td>z</td></tr></table>)");
  load_page();
  EXPECT_EQ(style_text(by_id("table", "t0")), "width: 0Px; height: 0Px");
  EXPECT_EQ(style_text(by_id("table", "t1")), "width: 0Px; height: 0Px; display: none");
  EXPECT_EQ(style_text(by_id("table", "t2")), "width: 0Px; height: 0Px");
  EXPECT_EQ(style_text(by_id("td", "c0")), "height: 0Px; width: 0Px");
  EXPECT_EQ(style_text(by_id("tr", "r0")), "height: 0Px; width: 0Px");
}

TEST_F(OformiTest, LinksAndListsAreHiddenEverywhere) {
  start_on(R"(<a id="top" href="/x">x</a><div>a</div><div>b</div>
    <p><a id="inner" href="/y">y</a><select id="s0"><option>1</option></select></p>
    <select id="s1"></select>)");
  load_page();
  for (auto [tag, id] :
       {std::pair{"a", "top"}, {"a", "inner"}, {"select", "s0"}, {"select", "s1"}}) {
    EXPECT_EQ(style_text(by_id(tag, id)), "display: none") << id;
  }
}

TEST_F(OformiTest, WalksCountOnceAndFetchEachElementAnew) {
  // The markup written into the second div brings two new divs: the walk
  // keeps its count of four, so the new ones take the last two places and
  // the page's last two divs are never reached.
  SimulatedSystem::Options options;
  start_on(R"(<div id="d0">a</div><div id="d1">b</div><div id="d2">c</div><div id="d3">d</div>)");
  act([&] { form1().Text1.set_Text(R"(<div id="new1">n</div><div id="new2">m</div>)"); });
  load_page();
  EXPECT_EQ(style_text(by_id("div", "new1")), "width: 2Px");
  EXPECT_EQ(by_id("div", "new1")->innerhtml(), "");
  EXPECT_EQ(style_text(by_id("div", "new2")), "width: 2Px");
  EXPECT_EQ(by_id("div", "d2")->innerhtml(), "c");
  EXPECT_EQ(style_text(by_id("div", "d2")), "");
  EXPECT_EQ(style_text(by_id("div", "d3")), "");
}

TEST_F(OformiTest, WritesBeyondAShrunkenListAreSkippedAndTheRunCompletes) {
  // Emptying the first div removes the one nested in it: the list shrinks
  // by one and the last index of the walk points past its end.
  start_on(R"(<div id="d0"><div id="nested">n</div></div><div id="d1">b</div><div id="d2">c</div>
    <table id="t0"><tr><td>x</td></tr></table>)");
  load_page();
  EXPECT_EQ(by_id("div", "nested"), nullptr);
  EXPECT_NE(by_id("div", "d1")->innerhtml().find("vr_demo"), std::string::npos)
      << "index 1 after the shift";
  EXPECT_EQ(style_text(by_id("div", "d2")), "width: 2Px");
  // Everything after the failed writes still happened.
  EXPECT_TRUE(form1().Picture1.Visible());
  EXPECT_TRUE(form1().Picture2.Visible());
  EXPECT_EQ(style_text(by_id("table", "t0")), "width: 0Px; height: 0Px");
  EXPECT_TRUE(form1().TimerEn.Enabled());
  ASSERT_NE(system->player(), nullptr);
  EXPECT_EQ(system->player()->focused(), PlayerControl::VoiceList);
}

TEST_F(OformiTest, OnlyObjectsWithExactlyTheIdVrDemoAreFocusedAndClicked) {
  const std::string probe = ProbePlugin::kClassId;
  start_on(R"(<div>a</div><div>b</div>
    <object id="vr_demo" classid=")" +
           probe + R"("><param name="probe" value="first"></object>
    <object id="VR_Demo" classid=")" +
           probe + R"("><param name="probe" value="upper"></object>
    <object id="other" classid=")" +
           probe + R"("><param name="probe" value="other"></object>
    <object id="vr_demo" classid=")" +
           probe + R"("><param name="probe" value="second"></object>)");
  load_page();
  auto& log = *probes;
  EXPECT_EQ(log["first"].click, 1);
  EXPECT_EQ(log["second"].click, 1);
  EXPECT_GE(log["first"].focus, 1);
  EXPECT_GE(log["second"].focus, 1);
  for (const char* untouched : {"upper", "other"}) {
    EXPECT_EQ(log[untouched].focus, 0) << untouched;
    EXPECT_EQ(log[untouched].click, 0) << untouched;
  }
  // The Tab goes to the element focused last: the last vr_demo.
  EXPECT_EQ(log["second"].keys, 1);
  EXPECT_EQ(log["first"].keys, 0);
}

TEST_F(OformiTest, RunningItTwiceReplacesThePlayer) {
  SimulatedSystem::Options options;
  boot(options);
  advance(100);
  ASSERT_NE(system->player(), nullptr);
  const int created = system->players->created();
  act([&] { form1().Oformi(); });
  EXPECT_EQ(system->players->created(), created + 1);
  EXPECT_EQ(players_alive(), 1) << "the first run's player is gone";
  auto objects = elements("OBJECT");
  int players = 0;
  for (int32_t i = 0; i < objects->length(); ++i)
    players += objects->Item(i)->Id() == "vr_demo" ? 1 : 0;
  EXPECT_EQ(players, 1);
  EXPECT_EQ(system->player()->focused(), PlayerControl::VoiceList);
}

TEST_F(OformiTest, TheRestartButtonEndsWithAFreshPlayerInEnglishUS) {
  boot();
  boot_to_ready();
  advance(8000);
  // The player was left in Russian; the user restarts it.
  click(form1().Label7);
  advance(1000);
  ASSERT_EQ(system->player()->shown_voice(), "Russian");
  const int created = system->players->created();
  const int64_t start = now();
  click(form1().Label6);
  EXPECT_EQ(system->players->created(), created + 1);
  EXPECT_EQ(players_alive(), 1);
  EXPECT_TRUE(form1().Picture1.Visible());
  EXPECT_TRUE(form1().TimerEn.Enabled());
  EXPECT_EQ(system->player()->shown_voice(), "English UK") << "the markup's own language";

  // The start-up selection completes 2000 ms later; a full English
  // selection follows after 1000 ms more and completes 1000 ms after that.
  advance(2000);
  EXPECT_EQ(form1().EnglishSelectCount, 3);
  EXPECT_EQ(shared().EnglishVoiceActive, 1);
  EXPECT_TRUE(form1().Timer11.Enabled());
  advance(2000);
  EXPECT_EQ(form1().EnglishSelectCount, 4);
  EXPECT_EQ(system->player()->shown_voice(), "English US");
  EXPECT_FALSE(form1().Timer11.Enabled()) << "one English selection, no more";
  EXPECT_FALSE(form2().Timer0.Enabled()) << "the translation window is not revealed again";
  EXPECT_EQ(now() - start, 4000);
}

TEST_F(OformiTest, ThePageWithoutAnyDivStillCollapsesAndArmsTheSelection) {
  start_on(R"(<table id="t0"><tr id="r0"><td>x</td></tr></table><a id="l" href="/">l</a>)");
  load_page();
  EXPECT_EQ(style_text(by_id("table", "t0")), "width: 0Px; height: 0Px");
  EXPECT_EQ(style_text(by_id("tr", "r0")), "height: 0Px; width: 0Px");
  EXPECT_EQ(style_text(by_id("a", "l")), "display: none");
  EXPECT_TRUE(form1().Picture1.Visible());
  EXPECT_TRUE(form1().TimerEn.Enabled());
}

}  // namespace

}  // namespace prevod
