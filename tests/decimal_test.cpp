#include "text/decimal.h"

#include <gtest/gtest.h>

#include <limits>

namespace tarnwick {
namespace {

TEST(DecimalText, WritesWholeNumbersWithoutPaddingOrSign) {
  EXPECT_EQ(DecimalText(0), u"0");
  EXPECT_EQ(DecimalText(7), u"7");
  EXPECT_EQ(DecimalText(1200), u"1200");
  EXPECT_EQ(DecimalText(-35), u"-35");
  EXPECT_EQ(DecimalText(std::numeric_limits<std::int64_t>::max()), u"9223372036854775807");
  EXPECT_EQ(DecimalText(std::numeric_limits<std::int64_t>::min()), u"-9223372036854775808");
}

TEST(DecimalText, ABufferServesOneNumberAtATime) {
  DecimalBuffer buffer;
  EXPECT_EQ(DecimalText(std::numeric_limits<std::int64_t>::min(), buffer), u"-9223372036854775808");
  EXPECT_EQ(DecimalText(12, buffer), u"12");  // no digits of the longer number left behind
}

}  // namespace
}  // namespace tarnwick
