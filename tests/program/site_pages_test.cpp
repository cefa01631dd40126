// The pages the embedded services serve go through the page engine's
// prepass as they are: the prepass only bounds what real pages never reach.

#include <gtest/gtest.h>
#include <gumbo.h>

#include <string>

#include "platform/page/html_prepass.h"
#include "services/translator/translator_site.h"
#include "services/voicereader/voice_reader_site.h"

namespace prevod {
namespace {

std::string without_markers(std::string markup) {
  const std::string marker = " " + std::string(HtmlPrepass::kFormattingMarker) + "=\"";
  for (size_t at; (at = markup.find(marker)) != std::string::npos;) {
    markup.erase(at, markup.find('"', at + marker.size()) + 1 - at);
  }
  return markup;
}

TEST(SitePages, PassThePrepassAsTheyAreBesideTheMarkers) {
  for (const std::string& page :
       {TranslatorSite::home_page_html(), TranslatorSite::translation_page_html()}) {
    EXPECT_EQ(without_markers(HtmlPrepass::prepare(page)), page);
  }
  // The voice reader page has a NOSCRIPT, which the prepass rewrites; the
  // depth cap must still not have touched it.
  const std::string page = VoiceReaderSite::page_html();
  EXPECT_EQ(HtmlPrepass::prepare(page), HtmlPrepass::prepare(page, GUMBO_TAG_LAST, 1u << 20));
}

}  // namespace
}  // namespace prevod
