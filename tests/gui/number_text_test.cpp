#include "gui/number_text.h"

#include <gtest/gtest.h>

#include <climits>

namespace vorlane {
namespace {

TEST(NumberTextTest, LeadingIntegerOrZero) {
  EXPECT_EQ(LeadingInt("42"), 42);
  EXPECT_EQ(LeadingInt("  -12xyz"), -12);
  EXPECT_EQ(LeadingInt("+7"), 7);
  EXPECT_EQ(LeadingInt("\t\r\n5"), 5);
  EXPECT_EQ(LeadingInt("abc"), 0);
  EXPECT_EQ(LeadingInt(""), 0);
  EXPECT_EQ(LeadingInt("-"), 0);
  EXPECT_EQ(LeadingInt("1 2"), 1);
  EXPECT_EQ(LeadingInt("2147483647"), INT_MAX);
  EXPECT_EQ(LeadingInt("2147483648"), INT_MAX);
  EXPECT_EQ(LeadingInt("-2147483648"), INT_MIN);
  EXPECT_EQ(LeadingInt("-99999999999999999999999999"), INT_MIN);
}

}  // namespace
}  // namespace vorlane
