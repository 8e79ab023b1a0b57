// Tests run the program's code in a fresh, empty current directory, since
// every path the program uses is relative to it.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

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

// Files no reader may take: a FIFO named `fifo`, and a sparse file named
// `huge` one byte over `limit`. Returns each name with the start of the
// message a refused read gives.
std::vector<std::pair<std::string, std::string>> UnreadableFiles(const std::string& fifo,
                                                                 const std::string& huge,
                                                                 std::int64_t limit);

}  // namespace vorlane::test
