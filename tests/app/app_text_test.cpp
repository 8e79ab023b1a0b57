#include "app/app_text.h"

#include <gtest/gtest.h>

namespace vorlane {
namespace {

// The titles built from it are checked on the windows themselves.
TEST(AppTextTest, VersionNumberReadsAsThreeDigits) {
  EXPECT_EQ(VersionText(129), "v1.2.9");
  EXPECT_EQ(VersionText(130), "v1.3.0");
  EXPECT_EQ(VersionText(7), "v0.0.7");
  EXPECT_EQ(AboutVersionLine(130), "version 1.3.0");
}

}  // namespace
}  // namespace vorlane
