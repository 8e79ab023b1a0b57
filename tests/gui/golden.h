// Golden files: bytes a format fixes, kept in tests/<folder>/golden/ beside
// the tests that compare them. VORLANE_UPDATE_GOLDEN=1 rewrites them instead,
// for a change that is meant; their diff then shows what changed.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "support/temp_dir.h"

namespace vorlane::test {

// Compares `bytes` with the golden file `name` byte for byte.
inline void ExpectGolden(const std::string& name, const std::string& bytes) {
  const std::string path = std::string(VORLANE_GOLDEN_DIR) + "/" + name;
  if (const char* update = std::getenv("VORLANE_UPDATE_GOLDEN"); update && *update == '1')
    WriteAll(path, bytes);
  EXPECT_EQ(bytes, ReadAll(path)) << "golden file " << path;
}

}  // namespace vorlane::test
