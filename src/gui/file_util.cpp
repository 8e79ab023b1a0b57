#include "gui/file_util.h"

#include "gui/handles.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vorlane {
namespace {

std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? "." : path.substr(0, slash + 1);
}

bool WriteAll(int fd, std::string_view bytes) {
  const char* p = bytes.data();
  size_t left = bytes.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += n;
    left -= static_cast<size_t>(n);
  }
  return true;
}

void SetError(std::string* error, const std::string& path, int err) {
  if (error) *error = "Could not write \"" + path + "\": " + std::strerror(err) + ".";
}

}  // namespace

bool WriteFileAtomic(const std::string& path, std::string_view bytes, std::string* error,
                     bool durable) {
  // The temporary file lives in the destination folder so that the final
  // rename never crosses file systems. It is created with the usual
  // permissions straight away: saving a project writes thousands of small
  // files, and every system call counts.
  static std::atomic<unsigned> counter{0};
  std::string prefix = FolderOf(path);
  if (prefix.back() != '/') prefix += '/';
  prefix += ".vorlane-save-" + std::to_string(::getpid()) + "-";
  std::string temp;
  UniqueFd fd;
  for (int attempt = 0; attempt < 100 && !fd.valid(); ++attempt) {
    temp = prefix + std::to_string(counter++);
    fd.Reset(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (!fd.valid() && errno != EEXIST) break;
  }
  if (!fd.valid()) {
    SetError(error, path, errno);
    return false;
  }

  bool ok = WriteAll(fd.get(), bytes) && (!durable || ::fsync(fd.get()) == 0);
  int err = errno;
  if (!fd.Close() && ok) {
    ok = false;
    err = errno;
  }
  if (ok && ::rename(temp.c_str(), path.c_str()) != 0) {
    ok = false;
    err = errno;
  }
  if (!ok) {
    ::unlink(temp.c_str());
    SetError(error, path, err);
  }
  return ok;
}

void SyncFileSystem(const std::string& path) {
  const UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.valid()) ::syncfs(fd.get());
}

bool ReadFile(const std::string& path, std::string* bytes) {
  const UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (!fd.valid()) return false;
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
  bytes->clear();
  if (st.st_size > 0) bytes->reserve(static_cast<size_t>(st.st_size));
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) break;
    bytes->append(buffer, static_cast<size_t>(n));
  }
  return true;
}

bool CopyFile(const std::string& from, const std::string& to) {
  const UniqueFd in_fd(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
  if (!in_fd.valid()) return false;
  struct stat st {};
  if (::fstat(in_fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  UniqueFd out_fd(::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
  if (!out_fd.valid()) return false;
  const int in = in_fd.get();
  const int out = out_fd.get();
  // The kernel copies the bytes itself where it can; a plain read and write
  // loop takes over where it cannot (some file systems refuse).
  bool ok = true;
  bool kernel_copy = true;
  char buffer[65536];
  for (;;) {
    if (kernel_copy) {
      const ssize_t n = ::copy_file_range(in, nullptr, out, nullptr, 1 << 30, 0);
      if (n > 0) continue;
      if (n == 0) break;
      if (errno == EINTR) continue;
      if (errno != EXDEV && errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) {
        ok = false;
        break;
      }
      kernel_copy = false;
    }
    const ssize_t n = ::read(in, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      ok = false;
      break;
    }
    if (n == 0) break;
    if (!WriteAll(out, std::string_view(buffer, static_cast<size_t>(n)))) {
      ok = false;
      break;
    }
  }
  if (!out_fd.Close()) ok = false;
  if (!ok) ::unlink(to.c_str());
  return ok;
}

bool FileExists(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0;
}

bool IsDirectory(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool IsRegularFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::int64_t FileSize(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return -1;
  return static_cast<std::int64_t>(st.st_size);
}

bool MakeDirectory(const std::string& path) {
  if (IsDirectory(path)) return true;
  return ::mkdir(path.c_str(), 0777) == 0 || IsDirectory(path);
}

void DeleteFolderFiles(const std::string& folder) {
  if (!IsDirectory(folder)) return;
  for (const std::string& name : ListFolder(folder)) {
    const std::string path = folder + "/" + name;
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode)) ::unlink(path.c_str());
  }
  ::rmdir(folder.c_str());
}

bool DeleteFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

std::vector<std::string> ListFolder(const std::string& folder) {
  std::vector<std::string> names;
  const UniqueDir dir{::opendir(folder.c_str())};
  if (!dir) return names;
  while (const dirent* entry = ::readdir(dir.get())) {
    std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(std::move(name));
  }
  return names;
}

}  // namespace vorlane
