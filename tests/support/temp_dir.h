// Tests run the program's code in a fresh, empty current directory, since
// every path the program uses is relative to it.
#pragma once

#include <gtest/gtest.h>

#include <string>

namespace vorlane::test {

// Makes a fresh folder under the system's temporary folder, enters it, and on
// destruction returns to the previous directory and removes the folder.
class ScopedTempDir {
 public:
  ScopedTempDir();
  ~ScopedTempDir();
  ScopedTempDir(const ScopedTempDir&) = delete;
  ScopedTempDir& operator=(const ScopedTempDir&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  std::string previous_;
};

// A fixture whose every test runs in its own ScopedTempDir.
class InTempDir : public ::testing::Test {
 protected:
  ScopedTempDir dir_;
};

std::string ReadAll(const std::string& path);
void WriteAll(const std::string& path, const std::string& bytes);

}  // namespace vorlane::test
