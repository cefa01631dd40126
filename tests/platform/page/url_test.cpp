#include "platform/page/url.h"

#include <gtest/gtest.h>

namespace prevod {

namespace {

std::string resolved(std::string_view base, std::string_view reference) {
  std::optional<Url> url = Url::resolve(base, reference);
  return url ? url->str() : "<none>";
}

TEST(UrlParsing, SplitsAnAddressIntoItsParts) {
  std::optional<Url> url = Url::parse("HTTP://Translate.LocalHost:8080/a/b?hl=bg&tab=wT#en|bg|Hi");
  ASSERT_TRUE(url);
  EXPECT_EQ(url->scheme, "http");
  EXPECT_EQ(url->host, "translate.localhost");
  EXPECT_EQ(url->port, "8080");
  EXPECT_EQ(url->path_and_query(), "/a/b?hl=bg&tab=wT");
  EXPECT_EQ(url->fragment, "en|bg|Hi");
  EXPECT_EQ(url->str(), "http://translate.localhost:8080/a/b?hl=bg&tab=wT#en|bg|Hi");
}

TEST(UrlParsing, TakesEverythingAfterTheFirstHashAsTheFragment) {
  std::optional<Url> url = Url::parse("http://t.localhost/?q=1#bg|en|a#b?c|d");
  ASSERT_TRUE(url);
  EXPECT_EQ(url->query, "q=1");
  EXPECT_EQ(url->fragment, "bg|en|a#b?c|d");
  EXPECT_EQ(url->without_fragment(), "http://t.localhost/?q=1");
}

TEST(UrlParsing, KeepsCyrillicAndSpacesInTheFragmentAsWritten) {
  std::optional<Url> url = Url::parse(" http://t.localhost/ \t#bg|en| добър\tден  ");
  ASSERT_TRUE(url);
  EXPECT_EQ(url->fragment, "bg|en| добър\tден  ");
  EXPECT_EQ(url->str(), "http://t.localhost/#bg|en| добър\tден  ");
}

TEST(UrlParsing, GivesAnEmptyHostAddressTheRootPathAndDropsTheDefaultPort) {
  EXPECT_EQ(Url::parse("http://example.com")->str(), "http://example.com/");
  EXPECT_EQ(Url::parse("http://example.com:80/x")->str(), "http://example.com/x");
  EXPECT_EQ(Url::parse("  http://example.com/\n ")->str(), "http://example.com/");
}

TEST(UrlParsing, RefusesWhatIsNotAnAbsoluteAddress) {
  EXPECT_FALSE(Url::parse(""));
  EXPECT_FALSE(Url::parse("translate.localhost/"));
  EXPECT_FALSE(Url::parse("http://"));
  EXPECT_FALSE(Url::parse("http:/one-slash"));
  EXPECT_FALSE(Url::parse("http://host:port/"));
  EXPECT_FALSE(Url::parse("http://ho st/"));
  EXPECT_FALSE(Url::parse("://nothing"));
  // A colon in the host leaves a port that is not a number.
  EXPECT_FALSE(Url::parse("http://p:p:/a"));
  EXPECT_FALSE(Url::parse("http://a:1:2/"));
}

TEST(UrlParsing, AnAddressReadsBackAsItself) {
  for (const char* address : {"http://translate.localhost/?hl=bg&tab=wT#en|bg| Hello!  ",
                              "http://h.localhost:8080//double//slash?q#f", "about:blank"}) {
    auto url = Url::parse(address);
    ASSERT_TRUE(url) << address;
    auto again = Url::parse(url->str());
    ASSERT_TRUE(again) << url->str();
    EXPECT_EQ(again->str(), url->str());
  }
}

TEST(UrlParsing, ReadsOpaqueAddresses) {
  std::optional<Url> url = Url::parse("about:blank");
  ASSERT_TRUE(url);
  EXPECT_EQ(url->scheme, "about");
  EXPECT_EQ(url->path, "blank");
  EXPECT_EQ(url->str(), "about:blank");
}

TEST(UrlParsing, KnowsWhichHostsTheEngineServes) {
  EXPECT_TRUE(Url::parse("http://translate.localhost/")->is_local());
  EXPECT_TRUE(Url::parse("https://VOICE.localhost/x")->is_local());
  EXPECT_FALSE(Url::parse("http://example.com/")->is_local());
  EXPECT_FALSE(Url::parse("http://evillocalhost/")->is_local());
  EXPECT_FALSE(Url::parse("http://localhost.example.com/")->is_local());
  EXPECT_FALSE(Url::parse("file:///etc/passwd")->is_local());
}

TEST(UrlResolving, ResolvesTheReferencesPagesUse) {
  const char* base = "http://translate.localhost/dir/page?x=1#frag";
  EXPECT_EQ(resolved("http://translate.localhost/", "/?hl=bg&tab=wT"),
            "http://translate.localhost/?hl=bg&tab=wT");
  EXPECT_EQ(resolved(base, "other"), "http://translate.localhost/dir/other");
  EXPECT_EQ(resolved(base, "../up?q"), "http://translate.localhost/up?q");
  EXPECT_EQ(resolved(base, "./a/./b/../c"), "http://translate.localhost/dir/a/c");
  EXPECT_EQ(resolved(base, "?y=2"), "http://translate.localhost/dir/page?y=2");
  EXPECT_EQ(resolved(base, "#en|bg|a#b"), "http://translate.localhost/dir/page?x=1#en|bg|a#b");
  EXPECT_EQ(resolved(base, ""), "http://translate.localhost/dir/page?x=1");
  EXPECT_EQ(resolved(base, "//voice.localhost/v"), "http://voice.localhost/v");
  EXPECT_EQ(resolved(base, "https://Example.com/Z"), "https://example.com/Z");
  EXPECT_EQ(resolved(base, "/../../x"), "http://translate.localhost/x");
}

TEST(UrlResolving, GivesNothingWithoutAnAbsoluteBase) {
  EXPECT_EQ(resolved("", "/x"), "<none>");
  EXPECT_EQ(resolved("not an address", "x"), "<none>");
  EXPECT_EQ(resolved("about:blank", "x"), "<none>");
  EXPECT_EQ(resolved("about:blank", "#top"), "about:blank#top");
}

}  // namespace

}  // namespace prevod
