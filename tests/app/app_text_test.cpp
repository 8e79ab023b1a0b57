#include "app/app_text.h"

#include <gtest/gtest.h>

#include "project/model.h"

namespace vorlane {
namespace {

TEST(AppTextTest, VersionAndTitles) {
  EXPECT_EQ(VersionText(kVersion), "v1.2.9");
  EXPECT_EQ(VersionText(130), "v1.3.0");
  EXPECT_EQ(VersionText(7), "v0.0.7");
  EXPECT_EQ(MainWindowTitle(kVersion, ""), "Vorlane v1.2.9");
  EXPECT_EQ(MainWindowTitle(kVersion, "platformer"), "Vorlane v1.2.9 - platformer");
  EXPECT_EQ(AboutTitle(kVersion), "Vorlane v1.2.9");
  EXPECT_EQ(AboutVersionLine(kVersion), "version 1.2.9");
}

}  // namespace
}  // namespace vorlane
