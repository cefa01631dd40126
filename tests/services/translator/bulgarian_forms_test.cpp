#include "services/translator/bulgarian_forms.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace prevod {

using bulgarian_forms::irregular;
using Forms = std::vector<std::string>;

TEST(BulgarianForms, ReadsIrregularPluralsAlsoWithTheirArticle) {
  EXPECT_EQ(irregular("очи"), Forms{"око"});
  EXPECT_EQ(irregular("Очите"), Forms{"око"});
  EXPECT_EQ(irregular("хората"), Forms{"човек"});
  EXPECT_EQ(irregular("децата"), Forms{"дете"});
  EXPECT_EQ(irregular("краищата"), Forms{"край"});
}

TEST(BulgarianForms, ReadsTheFormsOfIrregularVerbs) {
  EXPECT_EQ(irregular("може"), Forms{"мога"});
  EXPECT_EQ(irregular("дойде"), Forms{"дойда"});
  EXPECT_EQ(irregular("каза"), Forms{"кажа"});
  EXPECT_EQ(irregular("видях"), Forms{"видя"});
}

TEST(BulgarianForms, ARegularWordHasNoIrregularForm) {
  EXPECT_EQ(irregular("котка"), Forms{});
  EXPECT_EQ(irregular("око"), Forms{}) << "the dictionary form itself";
  EXPECT_EQ(irregular("а"), Forms{}) << "an article alone";
  EXPECT_EQ(irregular(""), Forms{});
  EXPECT_EQ(irregular("\xFF"), Forms{});
}

}  // namespace prevod
