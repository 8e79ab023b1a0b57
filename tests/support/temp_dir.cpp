#include "support/temp_dir.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace vorlane::test {

ScopedTempDir::ScopedTempDir() {
  previous_ = std::filesystem::current_path().string();
  std::string pattern = (std::filesystem::temp_directory_path() / "vorlane-test-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
  std::filesystem::current_path(path_);
}

ScopedTempDir::~ScopedTempDir() {
  std::error_code ec;
  std::filesystem::current_path(previous_, ec);
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ec);
  std::filesystem::remove_all(path_, ec);
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void WriteAll(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

std::vector<std::pair<std::string, std::string>> UnreadableFiles(const std::string& fifo,
                                                                 const std::string& huge,
                                                                 std::int64_t limit) {
  EXPECT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  WriteAll(huge, "");
  std::filesystem::resize_file(huge, static_cast<std::uintmax_t>(limit) + 1);
  return {{fifo, "\"" + fifo + "\" was not read: it is not a regular file."},
          {huge, "\"" + huge + "\" was not read: it is larger than " + std::to_string(limit >> 20) +
                     " MB"}};
}

}  // namespace vorlane::test
