#include "services/translator/english_forms.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace prevod {

namespace {

bool has(const std::vector<std::string>& readings, const std::string& reading) {
  return std::find(readings.begin(), readings.end(), reading) != readings.end();
}

}  // namespace

TEST(EnglishForms, IrregularFormsNameTheirDictionaryForm) {
  using english_forms::irregular;
  EXPECT_EQ(irregular("went"), std::vector<std::string>{"go"});
  EXPECT_EQ(irregular("gone"), std::vector<std::string>{"go"});
  EXPECT_EQ(irregular("Ran"), std::vector<std::string>{"run"});
  EXPECT_EQ(irregular("were"), std::vector<std::string>{"be"});
  EXPECT_EQ(irregular("mice"), std::vector<std::string>{"mouse"});
  EXPECT_EQ(irregular("children"), std::vector<std::string>{"child"});
  EXPECT_EQ(irregular("worse"), std::vector<std::string>{"bad"});
  EXPECT_EQ(irregular("more"), (std::vector<std::string>{"many", "much"}));
  EXPECT_EQ(irregular("lay"), std::vector<std::string>{"lie"});
  EXPECT_TRUE(irregular("go").empty()) << "a dictionary form is no irregular form";
  EXPECT_TRUE(irregular("cats").empty());
}

TEST(EnglishForms, RegularSuffixesGiveTheirStems) {
  using english_forms::by_rule;
  EXPECT_TRUE(has(by_rule("running"), "run")) << "doubled consonant";
  EXPECT_TRUE(has(by_rule("stopped"), "stop"));
  EXPECT_TRUE(has(by_rule("hoped"), "hope")) << "dropped e";
  EXPECT_TRUE(has(by_rule("making"), "make"));
  EXPECT_TRUE(has(by_rule("studies"), "study"));
  EXPECT_TRUE(has(by_rule("studied"), "study"));
  EXPECT_TRUE(has(by_rule("happiest"), "happy"));
  EXPECT_TRUE(has(by_rule("boxes"), "box"));
  EXPECT_TRUE(has(by_rule("cat's"), "cat"));
  EXPECT_TRUE(has(by_rule("cats'"), "cat"));
  EXPECT_TRUE(has(by_rule("Quickly"), "quick"));
  EXPECT_FALSE(has(by_rule("glass"), "glas")) << "a double s is no plural";
  EXPECT_TRUE(has(by_rule("trafficking"), "traffic")) << "the k of -icking";
  EXPECT_TRUE(has(by_rule("panicked"), "panic")) << "the k of -icked";
  EXPECT_FALSE(has(by_rule("ticked"), "tic")) << "a short verb keeps its k";
  EXPECT_TRUE(by_rule("is").empty()) << "no one-letter stems";
}

}  // namespace prevod
