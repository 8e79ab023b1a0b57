#include "gui/number_text.h"

#include <gtest/gtest.h>

#include <climits>

namespace vorlane {
namespace {

TEST(NumberTextTest, LeadingIntegerOrZero) {
  const std::pair<const char*, int> cases[] = {
      {"  -12xyz", -12}, {"+7", 7}, {"\t\r\n5", 5}, {"abc", 0}, {"-", 0}, {"1 2", 1},
      {"2147483648", INT_MAX}, {"-99999999999999999999999999", INT_MIN}};
  for (const auto& [text, number] : cases) EXPECT_EQ(LeadingInt(text), number) << text;
}

}  // namespace
}  // namespace vorlane
