// Owners for the C handles the program opens (file descriptors, stdio
// files, folder listings, XML parsers): each one is released when its owner
// goes out of scope, so no early return can leak it.
#pragma once

#include <dirent.h>
#include <expat.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <utility>

namespace vorlane {

class UniqueFd {
 public:
  UniqueFd() = default;
  explicit UniqueFd(int fd) : fd_(fd) {}
  UniqueFd(UniqueFd&& other) noexcept : fd_(other.Release()) {}
  UniqueFd& operator=(UniqueFd&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  ~UniqueFd() { Reset(); }

  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  int Release() { return std::exchange(fd_, -1); }
  void Reset(int fd = -1) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
  }
  // Closes now and tells whether the close succeeded: a write's last error
  // (a full disk on a network file system) can surface only here.
  bool Close() { return fd_ < 0 || ::close(std::exchange(fd_, -1)) == 0; }

 private:
  int fd_ = -1;
};

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using UniqueFile = std::unique_ptr<std::FILE, FileCloser>;

struct DirCloser {
  void operator()(DIR* dir) const { ::closedir(dir); }
};
using UniqueDir = std::unique_ptr<DIR, DirCloser>;

struct XmlParserFree {
  void operator()(XML_Parser parser) const { XML_ParserFree(parser); }
};
using UniqueXmlParser = std::unique_ptr<XML_ParserStruct, XmlParserFree>;

}  // namespace vorlane
