#include "resources/player_markup.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <utility>
#include <vector>

#include "services/voicereader/gumbo_tree.h"

namespace prevod {

namespace {

const GumboNode* player_object(const GumboTree& tree) {
  for (const GumboNode* object : tree.elements(GUMBO_TAG_OBJECT)) {
    if (!GumboTree::inside(object, GUMBO_TAG_NOSCRIPT)) return object;
  }
  return nullptr;
}

TEST(PlayerMarkup, ThePlayerObjectCarriesItsIdClassAndSize) {
  GumboTree tree(PlayerMarkup());
  const GumboNode* object = player_object(tree);
  ASSERT_NE(object, nullptr);
  EXPECT_EQ(GumboTree::attribute(object, "id"), "vr_demo");
  EXPECT_EQ(GumboTree::attribute(object, "name"), "vr_demo");
  EXPECT_EQ(GumboTree::attribute(object, "classid"), "clsid:d27cdb6e-ae6d-11cf-96b8-444553540000");
  EXPECT_EQ(GumboTree::attribute(object, "width"), "737");
  EXPECT_EQ(GumboTree::attribute(object, "height"), "370");
  EXPECT_EQ(GumboTree::attribute(object, "align"), "middle");
  EXPECT_FALSE(GumboTree::attribute(object, "codebase").empty());
}

TEST(PlayerMarkup, ThePlayerObjectHasItsParamListInOrder) {
  const std::vector<std::pair<std::string, std::string>> expected{
      {"_cx", "19500"},
      {"_cy", "9790"},
      {"FlashVars", ""},
      {"Movie", "/onlineservices/voice_reader/vr_demo.swf"},
      {"Src", "/onlineservices/voice_reader/vr_demo.swf"},
      {"WMode", "Transparent"},
      {"Play", "0"},
      {"Loop", "-1"},
      {"Quality", "High"},
      {"SAlign", ""},
      {"Menu", "-1"},
      {"Base", ""},
      {"AllowScriptAccess", "sameDomain"},
      {"Scale", "ShowAll"},
      {"DeviceFont", "0"},
      {"EmbedMovie", "0"},
      {"BGColor", "FFFFFF"},
      {"SWRemote", ""},
      {"MovieData", ""},
      {"SeamlessTabbing", "1"},
      {"Profile", "0"},
      {"ProfileAddress", ""},
      {"ProfilePort", "0"},
      {"AllowNetworking", "all"},
      {"AllowFullScreen", "false"},
  };
  GumboTree tree(PlayerMarkup());
  const GumboNode* object = player_object(tree);
  ASSERT_NE(object, nullptr);
  std::vector<std::pair<std::string, std::string>> params;
  for (const GumboNode* param : GumboTree::elements(object, GUMBO_TAG_PARAM)) {
    ASSERT_TRUE(GumboTree::has_attribute(param, "value"));
    params.emplace_back(GumboTree::attribute(param, "name"), GumboTree::attribute(param, "value"));
  }
  EXPECT_EQ(params, expected);
}

TEST(PlayerMarkup, TheScriptCallsTheEmbeddingRoutineWithItsParametersInOrder) {
  GumboTree tree(PlayerMarkup());
  auto scripts = tree.elements(GUMBO_TAG_SCRIPT);
  ASSERT_EQ(scripts.size(), 1u);
  std::string script = GumboTree::text(scripts[0]);
  EXPECT_NE(script.find("alert("), std::string::npos);
  size_t call = script.find("AC_FL_RunContent(");
  ASSERT_NE(call, std::string::npos);

  std::vector<std::string> names;
  std::vector<std::string> values;
  std::regex pair(R"('([^']*)'\s*,\s*'([^']*)')");
  std::string args = script.substr(call);
  for (std::sregex_iterator it(args.begin(), args.end(), pair), end; it != end; ++it) {
    names.push_back((*it)[1]);
    values.push_back((*it)[2]);
  }
  const std::vector<std::string> expected{
      "width", "height",  "src",   "movie",           "quality",           "align",
      "play",  "loop",    "scale", "wmode",           "devicefont",        "id",
      "name",  "bgcolor", "menu",  "allowFullScreen", "allowScriptAccess", "flashvars"};
  ASSERT_EQ(names, expected);
  EXPECT_EQ(values[0], "737");
  EXPECT_EQ(values[1], "370");
  EXPECT_EQ(values[2], "/onlineservices/voice_reader/vr_demo.swf");
  EXPECT_EQ(values[3], "/onlineservices/voice_reader/vr_demo");
  EXPECT_EQ(values[11], "vr_demo");
  EXPECT_EQ(values[17].rfind("lang=en-gb&", 0), 0u) << values[17];
  for (const char* key : {"text=", "server=http://voicereader.localhost/", "customer=", "user="}) {
    EXPECT_NE(values[17].find(key), std::string::npos) << key;
  }
}

TEST(PlayerMarkup, TheFallbackHoldsASecondObjectAndEmbedWithTheSameSettings) {
  GumboTree tree(PlayerMarkup());
  auto noscripts = tree.elements(GUMBO_TAG_NOSCRIPT);
  ASSERT_EQ(noscripts.size(), 1u);
  GumboTree fallback("<body>" + GumboTree::text(noscripts[0]) + "</body>");
  // Parsed with scripting off the fallback's content is markup of its own.
  auto objects = GumboTree::elements(noscripts[0], GUMBO_TAG_OBJECT);
  auto embeds = GumboTree::elements(noscripts[0], GUMBO_TAG_EMBED);
  if (objects.empty()) {
    objects = fallback.elements(GUMBO_TAG_OBJECT);
    embeds = fallback.elements(GUMBO_TAG_EMBED);
  }
  ASSERT_EQ(objects.size(), 1u);
  ASSERT_EQ(embeds.size(), 1u);
  for (const GumboNode* node : {objects[0], embeds[0]}) {
    EXPECT_EQ(GumboTree::attribute(node, "width"), "737");
    EXPECT_EQ(GumboTree::attribute(node, "height"), "370");
    EXPECT_EQ(GumboTree::attribute(node, "name"), "vr_demo");
    EXPECT_EQ(GumboTree::attribute(node, "align"), "middle");
  }
  EXPECT_EQ(GumboTree::attribute(objects[0], "classid"),
            "clsid:d27cdb6e-ae6d-11cf-96b8-444553540000");
  EXPECT_EQ(GumboTree::attribute(embeds[0], "src"), "/onlineservices/voice_reader/vr_demo.swf");
  EXPECT_EQ(GumboTree::attribute(embeds[0], "flashvars").rfind("lang=en-gb&", 0), 0u);
}

}  // namespace

}  // namespace prevod
