#include "services/voicereader/voice_reader_site.h"

#include <gtest/gtest.h>

#include <string>

#include "services/voicereader/gumbo_tree.h"

namespace prevod {

namespace {

TEST(VoiceReaderSite, ServesTheDemoPageWithTwoDownloads) {
  VoiceReaderSite site;
  for (const char* path : {"/onlineservices/voice_reader", "/onlineservices/voice_reader/",
                           "/onlineservices/voice_reader?lang=en"}) {
    PageLoad page = site.load(path);
    EXPECT_EQ(page.status, 200) << path;
    EXPECT_EQ(page.downloads, 2) << path;
    EXPECT_EQ(page.html, VoiceReaderSite::page_html()) << path;
  }
}

TEST(VoiceReaderSite, AnswersEveryOtherPathWith404) {
  VoiceReaderSite site;
  for (const char* path : {"", "/", "/onlineservices", "/onlineservices/voice_reader_x",
                           "/onlineservices/voice_reader/vr_demo.swf",
                           "/ONLINESERVICES/VOICE_READER", "/onlineservices/voice_reader//"}) {
    EXPECT_EQ(site.load(path).status, 404) << path;
  }
}

class DemoPage : public ::testing::Test {
 protected:
  GumboTree tree{VoiceReaderSite::page_html()};
};

TEST_F(DemoPage, HasSeveralDivsWithThePlayerInTheSecond) {
  auto divs = tree.elements(GUMBO_TAG_DIV);
  ASSERT_GE(divs.size(), 4u);
  auto objects = GumboTree::elements(divs[1], GUMBO_TAG_OBJECT);
  ASSERT_FALSE(objects.empty());
  EXPECT_EQ(GumboTree::attribute(objects[0], "id"), "vr_demo");
  EXPECT_EQ(GumboTree::attribute(objects[0], "classid"), VoiceReaderSite::kPlayerClassId);
  for (size_t i = 0; i < divs.size(); ++i) {
    if (i == 1) continue;
    EXPECT_TRUE(GumboTree::elements(divs[i], GUMBO_TAG_OBJECT).empty()) << i;
  }
}

TEST_F(DemoPage, HasOnlyOneLivePlayerObject) {
  int live = 0;
  for (const GumboNode* object : tree.elements(GUMBO_TAG_OBJECT)) {
    if (!GumboTree::inside(object, GUMBO_TAG_NOSCRIPT)) ++live;
  }
  EXPECT_EQ(live, 1);
}

TEST_F(DemoPage, HasTablesWithRowsAndCellsInsideAndOutsideTheDivs) {
  auto tables = tree.elements(GUMBO_TAG_TABLE);
  ASSERT_GE(tables.size(), 3u);
  int outside = 0;
  for (const GumboNode* table : tables) {
    EXPECT_FALSE(GumboTree::elements(table, GUMBO_TAG_TR).empty());
    EXPECT_FALSE(GumboTree::elements(table, GUMBO_TAG_TD).empty());
    if (!GumboTree::inside(table, GUMBO_TAG_DIV)) ++outside;
  }
  // Tables outside the divs survive their emptying and are collapsed.
  EXPECT_GE(outside, 2);
}

TEST_F(DemoPage, HasLinksAndDropDownListsInsideAndOutsideTheDivs) {
  auto links = tree.elements(GUMBO_TAG_A);
  auto lists = tree.elements(GUMBO_TAG_SELECT);
  EXPECT_GE(links.size(), 4u);
  EXPECT_GE(lists.size(), 2u);
  auto outside = [](const std::vector<const GumboNode*>& nodes) {
    int n = 0;
    for (const GumboNode* node : nodes) n += GumboTree::inside(node, GUMBO_TAG_DIV) ? 0 : 1;
    return n;
  };
  EXPECT_GE(outside(links), 1);
  EXPECT_GE(outside(lists), 1);
}

}  // namespace

}  // namespace prevod
