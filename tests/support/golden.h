// Golden files: bytes a test's output must equal exactly, kept in
// tests/<folder>/golden/ (VORLANE_GOLDEN_DIR). Run the tests with
// VORLANE_UPDATE_GOLDEN=1 to rewrite them after an intended change, then
// review their diff.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "gui/image.h"
#include "support/temp_dir.h"

namespace vorlane::test {

// `name` is a path below the test program's golden/ folder.
inline void ExpectGolden(const std::string& name, const std::string& bytes) {
  const std::filesystem::path path = std::filesystem::path(VORLANE_GOLDEN_DIR) / name;
  if (std::getenv("VORLANE_UPDATE_GOLDEN")) {
    std::filesystem::create_directories(path.parent_path());
    WriteAll(path, bytes);
  }
  const std::string golden = ReadAll(path);
  if (golden == bytes) return;
  // The first line that differs, rather than two whole files.
  const size_t at = std::mismatch(golden.begin(), golden.end(), bytes.begin(), bytes.end()).first -
                    golden.begin();
  const size_t line = golden.rfind('\n', at) == std::string::npos ? 0 : golden.rfind('\n', at) + 1;
  ADD_FAILURE() << path << " differs at line "
                << std::count(golden.begin(), golden.begin() + line, '\n') + 1
                << ":\n  golden: " << golden.substr(line, golden.find('\n', at) - line)
                << "\n  output: " << bytes.substr(line, bytes.find('\n', at) - line)
                << "\n(VORLANE_UPDATE_GOLDEN=1 rewrites the file when the change is intended)";
}

// A picture kept as `name`.png, compared by its pixels: looked at by eye
// when made.
inline void ExpectGolden(const std::string& name, const Image& picture) {
  const std::string path = std::string(VORLANE_GOLDEN_DIR) + "/" + name + ".png";
  if (std::getenv("VORLANE_UPDATE_GOLDEN")) {
    ASSERT_TRUE(SavePng(picture, path)) << path;
  }
  EXPECT_EQ(LoadImageFile(path), picture) << name;
}

}  // namespace vorlane::test
