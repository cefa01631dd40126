// The translation site in the page engine, driven as the program drives it:
// the navigation bar worked with a focus, a click, three Tabs and Enter, and
// requests sent as fragment navigations.

#include <gtest/gtest.h>

#include "base/simulated_loop.h"
#include "base/trace.h"
#include "platform/keys.h"
#include "platform/page/page_engine.h"
#include "platform/page/plugin.h"
#include "platform/page/site.h"
#include "services/translator/test_dictionary.h"
#include "services/translator/translator_site.h"

namespace prevod {

namespace {

const std::string kHome = "http://translate.localhost/";
const std::string kTranslationPage = "http://translate.localhost/?hl=bg&tab=wT";

class TranslatorSitePageTest : public ::testing::Test {
 protected:
  TranslatorSitePageTest() {
    TestDictionary words;
    words.add("cat", "cat //kæt// <n>\n1. ко́тка\ndomestic species");
    words.add("hello", "hello //həˈləʊ// <interjection>\n1. здра́сти, здраве́й\ngreeting");
    words.write_dictzip_into(m_files.directory(), "freedict-eng-bul", 64);
    m_sites.add(std::string(TranslatorSite::kHost), m_site);
    m_browser = m_engine.create_browser();
  }

  void press(uint8_t code) {
    KeyEvent event;
    event.code = code;
    m_browser->key_event(event);
    event.down = false;
    m_browser->key_event(event);
  }

  // What the program reads back: the text of each span with the Id
  // "result_box", the last one winning.
  std::string result_box() {
    std::string text;
    auto spans = m_browser->Document()->getElementsByTagName("SPAN");
    for (int32_t i = 0; i < spans->length(); ++i) {
      if (spans->Item(i)->Id() == "result_box") text = spans->Item(i)->InnerText();
    }
    return text;
  }

  TestDictionary m_files;
  SimulatedLoop m_loop;
  SiteRegistry m_sites;
  PluginRegistry m_plugins;
  Trace m_trace;
  std::shared_ptr<TranslatorSite> m_site =
      std::make_shared<TranslatorSite>(m_loop, m_files.directory().string());
  PageEngine m_engine{m_loop, m_sites, m_plugins, m_trace};
  std::unique_ptr<Browser> m_browser;
};

}  // namespace

TEST_F(TranslatorSitePageTest, TheNavigationBarLeadsToTheTranslationPage) {
  m_browser->Navigate(kHome);
  m_loop.advance(1000);
  auto divs = m_browser->Document()->getElementsByTagName("div");
  for (int32_t i = 0; i < divs->length(); ++i) {
    if (divs->Item(i)->Id() == "gbar") {
      divs->Item(i)->focus();
      divs->Item(i)->Click();
    }
  }
  press(vk::TAB);
  press(vk::TAB);
  press(vk::TAB);
  press(vk::RETURN);
  m_loop.advance(1000);
  EXPECT_EQ(m_browser->LocationURL(), kTranslationPage);
  EXPECT_EQ(result_box(), "");
}

TEST_F(TranslatorSitePageTest, ARequestShowsInTheResultBoxAfterTheDelay) {
  m_browser->Navigate(kTranslationPage);
  m_loop.advance(1000);
  m_browser->Navigate(kTranslationPage + "#en|bg| Hello!  ");
  EXPECT_FALSE(m_browser->Busy());
  m_loop.advance(299);
  EXPECT_EQ(result_box(), "");
  m_loop.advance(1);
  EXPECT_EQ(result_box(), "Здрасти!");
}

TEST_F(TranslatorSitePageTest, ARequestInTheFirstAddressIsAnsweredOnceThePageIsIn) {
  m_browser->Navigate(kTranslationPage + "#en|bg|cat");
  m_loop.advance(1000);
  EXPECT_EQ(result_box(), "котка");
}

TEST_F(TranslatorSitePageTest, MarkupInTheTextStaysText) {
  m_browser->Navigate(kTranslationPage);
  m_loop.advance(1000);
  m_browser->Navigate(kTranslationPage + "#en|bg|<b>cat</b> & <i>x");
  m_loop.advance(300);
  EXPECT_EQ(result_box(), "<b>котка</b> & <i>x");
}

TEST_F(TranslatorSitePageTest, ANavigationAwayLeavesAWaitingRequestNowhereToGo) {
  m_browser->Navigate(kTranslationPage);
  m_loop.advance(1000);
  m_browser->Navigate(kTranslationPage + "#en|bg|cat");
  m_loop.advance(100);
  m_browser->Navigate(kHome);
  m_loop.advance(1000);
  EXPECT_EQ(m_browser->LocationURL(), kHome);
  EXPECT_EQ(m_browser->Document()->getElementsByTagName("span")->length(), 0);
}

}  // namespace prevod
