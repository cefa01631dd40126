#include "services//translator/affix_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/utf8.h"
#include "services/translator/lookup_text.h"

namespace prevod {

namespace {

std::vector<std::string> roots(const AffixRules& rules, std::string_view word) {
  std::vector<std::string> out;
  for (const std::u32string& root : rules.roots(utf8::decode(word))) {
    out.push_back(utf8::encode(root));
  }
  return out;
}

}  // namespace

TEST(AffixRules, ReadsSuffixRulesBackwardsUnderTheirConditions) {
  const AffixRules rules = AffixRules::parse(
      "SET UTF-8\n"
      "SFX K Y 2\n"
      "SFX K а ите а\n"
      "SFX K 0 та [^а]\n"
      "SFX S Y 3\n"
      "SFX S y ies [^aeiou]y\n"
      "SFX S 0 s [aeiou]y\n"
      "SFX S 0 es/XY [sxzh]\n");
  EXPECT_EQ(rules.size(), 5u);
  EXPECT_EQ(roots(rules, "котките"), std::vector<std::string>{"котка"});
  EXPECT_EQ(roots(rules, "пътта"), std::vector<std::string>{"път"}) << "the root ends in т";
  EXPECT_TRUE(roots(rules, "жената").empty()) << "the condition refuses a root in а";
  EXPECT_EQ(roots(rules, "flies"), std::vector<std::string>{"fly"});
  EXPECT_EQ(roots(rules, "plays"), std::vector<std::string>{"play"});
  EXPECT_TRUE(roots(rules, "trys").empty()) << "[aeiou]y wants a vowel before the y";
  EXPECT_EQ(roots(rules, "boxes"), std::vector<std::string>{"box"}) << "flags after / ignored";
  EXPECT_TRUE(roots(rules, "ies").empty()) << "no root is left";
}

TEST(AffixRules, GivesEachRootOnceLongestFirst) {
  const AffixRules rules = AffixRules::parse(
      "SFX A Y 1\nSFX A 0 s .\n"
      "SFX B Y 1\nSFX B 0 s .\n"
      "SFX C Y 1\nSFX C 0 es .\n");
  EXPECT_EQ(rules.size(), 2u) << "a rule shared by two flags is kept once";
  EXPECT_EQ(roots(rules, "boxes"), (std::vector<std::string>{"boxe", "box"}));
}

TEST(AffixRules, SkipsWhatIsNotASuffixEntry) {
  const AffixRules rules = AffixRules::parse(
      "PFX U Y 1\nPFX U 0 un .\n"
      "SFX A Y 1\r\n"
      "SFX A 0\n"
      "SFX B 0 s [abc\n"
      "SFX C y 0 y\n"
      "SFX D 0 ed .\r\n");
  EXPECT_EQ(rules.size(), 1u);
  EXPECT_TRUE(roots(rules, "unhappy").empty()) << "prefixes are not undone";
  EXPECT_EQ(roots(rules, "walked"), std::vector<std::string>{"walk"});
}

}  // namespace prevod
