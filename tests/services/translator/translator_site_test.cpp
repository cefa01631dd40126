#include "services/translator/translator_site.h"

#include <gtest/gtest.h>

#include <regex>

#include "base/simulated_loop.h"
#include "services/translator/fake_document.h"
#include "services/translator/test_dictionary.h"

namespace prevod {

namespace {

constexpr const char* kTranslationPage = "/?hl=bg&tab=wT";

class TranslatorSiteTest : public ::testing::Test {
 protected:
  TranslatorSiteTest() {
    TestDictionary words;
    words.add("cat", "cat //kæt// <n>\n1. ко́тка\ndomestic species");
    words.add("hello", "hello //həˈləʊ// <interjection>\n1. здра́сти, здраве́й\ngreeting");
    words.write_dictzip_into(m_files.directory(), "freedict-eng-bul", 64);
    m_result = m_document->add("span", "result_box");
    m_source = m_document->add("textarea", "source");
  }

  void send(const std::string& fragment, const std::string& page = kTranslationPage) {
    m_site.on_fragment(m_document, page, fragment);
  }

  TestDictionary m_files;
  SimulatedLoop m_loop;
  TranslatorSite m_site{m_loop, m_files.directory().string()};
  std::shared_ptr<FakeDocument> m_document = std::make_shared<FakeDocument>();
  std::shared_ptr<FakeElement> m_result;
  std::shared_ptr<FakeElement> m_source;
};

// The focusable elements of a page (links with an address, form fields)
// from a given position on, in document order.
std::vector<std::string> focusable_after(const std::string& html, size_t from) {
  static const std::regex focusable(
      R"re(<(a\s[^>]*href="([^"]*)"|input|select|button|textarea)[\s>])re");
  std::vector<std::string> found;
  auto begin =
      std::sregex_iterator(html.begin() + static_cast<std::ptrdiff_t>(from), html.end(), focusable);
  for (auto match = begin; match != std::sregex_iterator(); ++match) {
    found.push_back((*match)[2].matched ? (*match)[2].str() : (*match)[1].str());
  }
  return found;
}

}  // namespace

TEST_F(TranslatorSiteTest, FillsTheResultBoxWhenTheDelayHasPassedAndNotBefore) {
  send("en|bg| Hello!  ");
  m_loop.advance(299);
  EXPECT_EQ(m_result->writes(), 0);
  EXPECT_EQ(m_result->innerhtml(), "");
  m_loop.advance(1);
  EXPECT_EQ(m_result->innerhtml(), "Здрасти!");
  EXPECT_EQ(m_source->innerhtml(), " Hello!  ");
}

TEST_F(TranslatorSiteTest, WritesTheResultAsEscapedText) {
  send("en|bg|<b>cat</b> & \"cat\"");
  m_loop.advance(300);
  EXPECT_EQ(m_result->innerhtml(), "&lt;b&gt;котка&lt;/b&gt; &amp; &quot;котка&quot;");
}

TEST_F(TranslatorSiteTest, KeepsBarsAndHashesOfTheText) {
  send("en|bg|cat|#cat");
  m_loop.advance(300);
  EXPECT_EQ(m_result->innerhtml(), "котка|#котка");
}

TEST_F(TranslatorSiteTest, ANewerFragmentReplacesOneStillWaiting) {
  send("en|bg|cat");
  m_loop.advance(200);
  send("en|bg|hello");
  m_loop.advance(100);
  EXPECT_EQ(m_result->writes(), 0);
  m_loop.advance(200);
  EXPECT_EQ(m_result->innerhtml(), "здрасти");
  EXPECT_EQ(m_result->writes(), 1);
  m_loop.advance(5000);
  EXPECT_EQ(m_result->writes(), 1);
}

TEST_F(TranslatorSiteTest, AnEmptyOrMalformedFragmentLeavesTheBoxAsItIs) {
  send("en|bg|cat");
  m_loop.advance(300);
  ASSERT_EQ(m_result->innerhtml(), "котка");
  for (const char* fragment : {"", "garbage", "en|xx|cat", "en|bg"}) {
    send(fragment);
    m_loop.advance(1000);
    EXPECT_EQ(m_result->innerhtml(), "котка") << fragment;
  }
  EXPECT_EQ(m_result->writes(), 1);
}

TEST_F(TranslatorSiteTest, AMalformedFragmentStillCancelsARequestThatWasWaiting) {
  send("en|bg|cat");
  send("not a request");
  m_loop.advance(1000);
  EXPECT_EQ(m_result->writes(), 0);
}

TEST_F(TranslatorSiteTest, TheDelayCanBeSet) {
  m_site.set_result_delay(1000);
  send("en|bg|cat");
  m_loop.advance(999);
  EXPECT_EQ(m_result->writes(), 0);
  m_loop.advance(1);
  EXPECT_EQ(m_result->innerhtml(), "котка");
}

TEST_F(TranslatorSiteTest, WritesNothingWhenTheDocumentIsGone) {
  send("en|bg|cat");
  std::weak_ptr<FakeElement> result = m_result;
  m_document.reset();
  m_result.reset();
  m_source.reset();
  m_loop.advance(1000);
  EXPECT_TRUE(result.expired());
}

TEST_F(TranslatorSiteTest, IgnoresFragmentsOnTheHomePage) {
  send("en|bg|cat", "/");
  m_loop.advance(1000);
  EXPECT_EQ(m_result->writes(), 0);
}

TEST_F(TranslatorSiteTest, NamesAMissingDictionaryInTheResultBox) {
  send("en|ru|cat");
  m_loop.advance(300);
  EXPECT_EQ(m_result->innerhtml(), "Речникът не е наличен: freedict-eng-rus");
}

TEST_F(TranslatorSiteTest, NamesADamagedDictionaryInTheResultBox) {
  TestDictionary::write_file(m_files.path("freedict-eng-rus.index"), "dog\tBAAA\tZ\n");
  TestDictionary::write_file(m_files.path("freedict-eng-rus.dict"), "dog\nсобака\n");
  send("en|ru|dog");
  m_loop.advance(300);
  EXPECT_EQ(m_result->innerhtml(), "Речникът е повреден: freedict-eng-rus");
}

TEST(TranslatorSiteLifetime, ASiteGoneBeforeItsResultLeavesNothingBehind) {
  SimulatedLoop loop;
  auto document = std::make_shared<FakeDocument>();
  auto result = document->add("span", "result_box");
  {
    TranslatorSite site(loop, "");
    site.on_fragment(document, kTranslationPage, "en|bg|cat");
  }
  loop.advance(1000);
  EXPECT_EQ(result->writes(), 0);
  EXPECT_EQ(loop.next_deadline(), -1);
}

TEST(TranslatorSitePages, ServesTheHomePageWithTheNavigationBar) {
  SimulatedLoop loop;
  TranslatorSite site(loop, "");
  const PageLoad home = site.load("/");
  EXPECT_EQ(home.status, 200);
  EXPECT_NE(home.html.find("<div id=\"gbar\">"), std::string::npos);
  EXPECT_NE(home.html.find("Преводач"), std::string::npos);
  EXPECT_EQ(site.load("").status, 200);
  EXPECT_EQ(site.load("/?hl=bg").html, home.html);
}

TEST(TranslatorSitePages, TheThirdTabFromTheNavigationBarReachesTheTranslator) {
  const std::string html = TranslatorSite::home_page_html();
  const size_t bar = html.find("<div id=\"gbar\">");
  ASSERT_NE(bar, std::string::npos);
  const std::vector<std::string> order = focusable_after(html, bar);
  ASSERT_GE(order.size(), 3u);
  EXPECT_EQ(order[2], "/?hl=bg&amp;tab=wT");
  // And that address is the translation page.
  EXPECT_TRUE(TranslatorSite::is_translation_page("/?hl=bg&tab=wT"));
}

TEST(TranslatorSitePages, ServesTheTranslationPageForAnyQueryWithTheTranslatorTab) {
  SimulatedLoop loop;
  TranslatorSite site(loop, "");
  for (const char* address : {"/?hl=bg&tab=wT", "/?tab=wT", "/?hl=en&tab=wT&x=1", "?tab=wT"}) {
    const PageLoad page = site.load(address);
    EXPECT_EQ(page.status, 200) << address;
    EXPECT_NE(page.html.find("<span id=\"result_box\""), std::string::npos) << address;
  }
  EXPECT_FALSE(TranslatorSite::is_translation_page("/?tab=wTx"));
  EXPECT_FALSE(TranslatorSite::is_translation_page("/other?tab=wT"));
}

TEST(TranslatorSitePages, AnswersOtherPathsWithNotFound) {
  SimulatedLoop loop;
  TranslatorSite site(loop, "");
  EXPECT_EQ(site.load("/missing").status, 404);
  EXPECT_EQ(site.load("/translate?tab=wT").status, 404);
}

}  // namespace prevod
