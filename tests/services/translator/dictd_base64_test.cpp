#include "services/translator/dictd_base64.h"

#include <gtest/gtest.h>

namespace prevod {

TEST(DictdBase64, ReadsDigitsMostSignificantFirst) {
  EXPECT_EQ(dictd_base64::decode("A"), 0u);
  EXPECT_EQ(dictd_base64::decode("B"), 1u);
  EXPECT_EQ(dictd_base64::decode("a"), 26u);
  EXPECT_EQ(dictd_base64::decode("0"), 52u);
  EXPECT_EQ(dictd_base64::decode("+"), 62u);
  EXPECT_EQ(dictd_base64::decode("/"), 63u);
  EXPECT_EQ(dictd_base64::decode("BA"), 64u);
  // An offset from the English-Bulgarian index: 1*64^3 + 8*64^2 + 14*64 + 44.
  EXPECT_EQ(dictd_base64::decode("BIOs"), 295852u);
}

TEST(DictdBase64, RefusesTextThatIsNotANumber) {
  EXPECT_FALSE(dictd_base64::decode(""));
  EXPECT_FALSE(dictd_base64::decode("B-A"));
  EXPECT_FALSE(dictd_base64::decode(" B"));
  EXPECT_FALSE(dictd_base64::decode("B="));
  EXPECT_FALSE(dictd_base64::decode("\xd0\x90"));
}

TEST(DictdBase64, RefusesNumbersTooLongToBeOffsets) {
  EXPECT_TRUE(dictd_base64::decode("//////////"));
  EXPECT_FALSE(dictd_base64::decode("BAAAAAAAAAA"));
}

TEST(DictdBase64, EncodingReadsBackAsTheSameNumber) {
  for (uint64_t value : {uint64_t{0}, uint64_t{1}, uint64_t{63}, uint64_t{64}, uint64_t{4199827},
                         (uint64_t{1} << 60) - 1}) {
    EXPECT_EQ(dictd_base64::decode(dictd_base64::encode(value)), value) << value;
  }
  EXPECT_EQ(dictd_base64::encode(295852), "BIOs");
}

}  // namespace prevod
