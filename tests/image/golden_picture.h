// Fixed pictures kept as PNG files in golden/ beside the test, looked at by
// eye when made; VORLANE_UPDATE_GOLDEN=1 rewrites them when a change is meant.
#pragma once

#include <gtest/gtest.h>

#include <QtGlobal>
#include <filesystem>

#include "gui/image.h"

namespace vorlane::test {

inline void ExpectGolden(const Image& picture, const std::string& name, const char* test_file) {
  // `test_file` may be relative to the build folder, two up from the program.
  const auto build = std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path();
  const std::string path = (build / test_file).parent_path() / "golden" / (name + ".png");
  if (qEnvironmentVariableIsSet("VORLANE_UPDATE_GOLDEN")) {
    ASSERT_TRUE(SavePng(picture, path)) << path;
  }
  EXPECT_EQ(LoadImageFile(path), picture) << name;
}

}  // namespace vorlane::test

#define EXPECT_GOLDEN(picture, name) ::vorlane::test::ExpectGolden(picture, name, __FILE__)
