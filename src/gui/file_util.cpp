#include "gui/file_util.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

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

void SetReadError(std::string* error, const std::string& path, int err) {
  if (error) *error = "Could not read \"" + path + "\": " + std::strerror(err) + ".";
}

std::string SizeText(std::int64_t bytes) {
  if (bytes >= kMegabyte && bytes % kMegabyte == 0)
    return std::to_string(bytes / kMegabyte) + " MB";
  return std::to_string(bytes) + " bytes";
}

void SetTooLarge(std::string* error, const std::string& path, std::int64_t max_bytes) {
  if (error)
    *error = "\"" + path + "\" was not read: it is larger than " + SizeText(max_bytes) +
             ", more than such a file may hold.";
}

enum class Where { Inside, Outside, Unknown };

// Where `path` leads once every link is followed; Unknown, with errno set,
// when it cannot be resolved. `real` gets the resolved path.
Where Resolve(const std::string& path, std::string* real) {
  using Path = std::unique_ptr<char, decltype(&std::free)>;
  const Path resolved(::realpath(path.c_str(), nullptr), &std::free);
  const Path base(resolved ? ::realpath(".", nullptr) : nullptr, &std::free);
  if (!resolved || !base) return Where::Unknown;
  const std::string_view r = resolved.get(), b = base.get();
  *real = r;
  return r == b || (r.starts_with(b) && (b == "/" || r[b.size()] == '/')) ? Where::Inside
                                                                          : Where::Outside;
}

}  // namespace

// A FIFO or a device is refused before it is opened, since opening one may
// wait for a writer or do something of its own. O_NONBLOCK covers the entry
// being swapped for one in between, and fstat checks what was opened. A
// file that must be in the program folder is looked at where it really is,
// and what is opened must be that file, so a link changed in between is
// refused too.
UniqueFd OpenFileForReading(const std::string& path, std::int64_t max_bytes, std::string* error,
                            ReadFrom from, struct stat* status) {
  const auto refuse = [&](const std::string& why) {
    if (error) *error = "\"" + path + "\" was not read: " + why;
    return UniqueFd();
  };
  std::string real = path;
  if (from == ReadFrom::ProgramFolder) {
    switch (Resolve(path, &real)) {
      case Where::Inside: break;
      case Where::Outside:
        return refuse("it leads outside the program folder, to \"" + real + "\".");
      case Where::Unknown: SetReadError(error, path, errno); return UniqueFd();
    }
  }
  struct stat seen {};
  if (::stat(real.c_str(), &seen) != 0) {
    SetReadError(error, path, errno);
    return UniqueFd();
  }
  if (!S_ISREG(seen.st_mode)) return refuse("it is not a regular file.");
  UniqueFd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  struct stat st {};
  if (!fd.valid() || ::fstat(fd.get(), &st) != 0) {
    SetReadError(error, path, errno);
    return UniqueFd();
  }
  if (!S_ISREG(st.st_mode)) return refuse("it is not a regular file.");
  if (from == ReadFrom::ProgramFolder && (st.st_dev != seen.st_dev || st.st_ino != seen.st_ino))
    return refuse("it was replaced while it was opened.");
  if (st.st_size > max_bytes) {
    SetTooLarge(error, path, max_bytes);
    return UniqueFd();
  }
  const int flags = ::fcntl(fd.get(), F_GETFL);
  if (flags >= 0) ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK);
  if (status) *status = st;
  return fd;
}

// Created with the usual permissions straight away: saving a project writes
// thousands of small files, and every system call counts.
PendingFile::PendingFile(const std::string& path, std::string* error) : path_(path) {
  static std::atomic<unsigned> counter{0};
  std::string prefix = FolderOf(path);
  if (prefix.back() != '/') prefix += '/';
  prefix += ".vorlane-save-" + std::to_string(::getpid()) + "-";
  for (int attempt = 0; attempt < 100 && !fd_.valid(); ++attempt) {
    temp_ = prefix + std::to_string(counter++);
    fd_.Reset(::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (!fd_.valid() && errno != EEXIST) break;
  }
  if (!fd_.valid()) {
    SetError(error, path, errno);
    temp_.clear();
  }
}

PendingFile::~PendingFile() {
  fd_.Reset();
  if (!temp_.empty()) ::unlink(temp_.c_str());
}

bool PendingFile::Reopen(std::string* error) {
  if (temp_.empty()) return false;
  fd_.Reset(::open(temp_.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
  if (!fd_.valid()) SetError(error, path_, errno);
  return fd_.valid();
}

bool PendingFile::Close(bool durable, std::string* error) {
  // A read-only file stays read-only; a link or a new file gets the usual
  // permissions.
  struct stat old {};
  bool ok = fd_.valid();
  int err = ok ? 0 : EBADF;
  const auto failed = [&] {
    ok = false;
    err = errno;
  };
  if (ok && ::lstat(path_.c_str(), &old) == 0 && S_ISREG(old.st_mode) &&
      ::fchmod(fd_.get(), old.st_mode & 07777) != 0)
    failed();
  if (ok && durable && ::fsync(fd_.get()) != 0) failed();
  if (!fd_.Close() && ok) failed();
  if (!ok) SetError(error, path_, err);
  closed_ = ok;
  return ok;
}

// The final rename never crosses file systems and replaces a link at
// `path` instead of writing through it.
bool PendingFile::Commit(bool durable, std::string* error) {
  if (!closed_ && !Close(durable, error)) return false;
  if (::rename(temp_.c_str(), path_.c_str()) != 0) {
    SetError(error, path_, errno);
    return false;
  }
  temp_.clear();
  return true;
}

bool PendingFile::CommitKeepingOld(bool durable, std::string* error, std::string* replaced) {
  replaced->clear();
  if (!closed_ && !Close(durable, error)) return false;
  struct stat old {};
  // Only a regular file is swapped out: a folder must never be moved aside.
  if (::lstat(path_.c_str(), &old) == 0 && S_ISREG(old.st_mode) &&
      ::renameat2(AT_FDCWD, temp_.c_str(), AT_FDCWD, path_.c_str(), RENAME_EXCHANGE) == 0) {
    replaced->swap(temp_);
    return true;
  }
  // No file to swap, or a file system that cannot: a plain rename.
  return Commit(durable, error);
}

bool WriteFileAtomic(const std::string& path, std::string_view bytes, std::string* error,
                     bool durable) {
  PendingFile file(path, error);
  if (!file.valid()) return false;
  if (!WriteAll(file.fd(), bytes)) {
    SetError(error, path, errno);
    return false;
  }
  return file.Commit(durable, error);
}

std::unique_ptr<PendingFile> StageFile(const std::string& path, std::string_view bytes,
                                       std::string* error) {
  auto file = std::make_unique<PendingFile>(path, error);
  if (!file->valid()) return nullptr;
  if (!WriteAll(file->fd(), bytes)) {
    SetError(error, path, errno);
    return nullptr;
  }
  if (!file->Close(false, error)) return nullptr;
  return file;
}

namespace {

void SetOutside(std::string* error, const std::string& folder, const std::string& real) {
  if (error)
    *error = "The folder \"" + folder + "\" leads outside the program folder, to \"" + real +
             "\"; nothing is written there.";
}

// Checks the folder a program file goes to; an error names the file.
bool ProgramFolderOf(const std::string& path, std::string* error) {
  const std::string folder = FolderOf(path);
  std::string real;
  switch (Resolve(folder, &real)) {
    case Where::Inside: return true;
    case Where::Outside: SetOutside(error, folder, real); return false;
    case Where::Unknown: SetError(error, path, errno); return false;
  }
  return false;
}

}  // namespace

bool IsInsideProgramFolder(const std::string& folder, std::string* error) {
  std::string real;
  switch (Resolve(folder, &real)) {
    case Where::Inside: return true;
    case Where::Outside: SetOutside(error, folder, real); return false;
    case Where::Unknown:
      if (error)
        *error = "Could not use the folder \"" + folder + "\": " + std::strerror(errno) + ".";
      return false;
  }
  return false;
}

bool WriteProgramFile(const std::string& path, std::string_view bytes, std::string* error,
                      bool durable) {
  return ProgramFolderOf(path, error) && WriteFileAtomic(path, bytes, error, durable);
}

void SyncFileSystem(const std::string& path) {
  const UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.valid()) ::syncfs(fd.get());
}

bool ReadFile(const std::string& path, std::string* bytes, std::int64_t max_bytes,
              std::string* error, ReadFrom from) {
  bytes->clear();
  struct stat st {};
  const UniqueFd fd = OpenFileForReading(path, max_bytes, error, from, &st);
  if (!fd.valid()) return false;
  bytes->reserve(static_cast<size_t>(st.st_size));
  // The size was checked, but the file may grow while it is read, and some
  // (under /proc) claim to be empty: the limit holds for what is read.
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      SetReadError(error, path, errno);
      bytes->clear();
      return false;
    }
    if (n == 0) return true;
    if (static_cast<std::int64_t>(bytes->size()) + n > max_bytes) {
      SetTooLarge(error, path, max_bytes);
      bytes->clear();
      return false;
    }
    bytes->append(buffer, static_cast<size_t>(n));
  }
}

bool CanReadFile(const std::string& path, std::int64_t max_bytes, std::string* error,
                 ReadFrom from) {
  return OpenFileForReading(path, max_bytes, error, from).valid();
}

UniqueFile OpenRegularFile(const std::string& path, std::string* error, ReadFrom from) {
  UniqueFd fd = OpenFileForReading(path, INT64_MAX, error, from);
  if (!fd.valid()) return nullptr;
  UniqueFile file(::fdopen(fd.get(), "rb"));
  if (!file) {
    SetReadError(error, path, errno);
    return nullptr;
  }
  fd.Release();
  return file;
}

bool CopyFile(const std::string& from, const std::string& to, std::int64_t max_bytes,
              std::string* error, bool durable, ReadFrom read_from) {
  const UniqueFd in_fd = OpenFileForReading(from, max_bytes, error, read_from);
  if (!in_fd.valid()) return false;
  PendingFile out_file(to, error);
  if (!out_file.valid()) return false;
  const int in = in_fd.get();
  const int out = out_file.fd();
  // The kernel copies the bytes itself where it can; a plain read and write
  // loop takes over where it cannot (some file systems refuse). Both stop
  // one byte past the limit, which tells a file that grew too large.
  std::int64_t copied = 0;
  bool kernel_copy = true;
  char buffer[65536];
  while (copied <= max_bytes) {
    const std::int64_t room = max_bytes + 1 - copied;
    if (kernel_copy) {
      const size_t length = static_cast<size_t>(std::min<std::int64_t>(room, 1 << 30));
      const ssize_t n = ::copy_file_range(in, nullptr, out, nullptr, length, 0);
      if (n > 0) {
        copied += n;
        continue;
      }
      if (n == 0) return out_file.Commit(durable, error);
      if (errno == EINTR) continue;
      if (errno != EXDEV && errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) {
        SetError(error, to, errno);
        return false;
      }
      kernel_copy = false;
    }
    const size_t length = static_cast<size_t>(std::min<std::int64_t>(room, sizeof buffer));
    const ssize_t n = ::read(in, buffer, length);
    if (n < 0) {
      if (errno == EINTR) continue;
      SetReadError(error, from, errno);
      return false;
    }
    if (n == 0) return out_file.Commit(durable, error);
    if (!WriteAll(out, std::string_view(buffer, static_cast<size_t>(n)))) {
      SetError(error, to, errno);
      return false;
    }
    copied += n;
  }
  SetTooLarge(error, from, max_bytes);
  return false;
}

bool CopyProgramFile(const std::string& from, const std::string& to, std::int64_t max_bytes,
                     std::string* error, bool durable, ReadFrom read_from) {
  return ProgramFolderOf(to, error) && CopyFile(from, to, max_bytes, error, durable, read_from);
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
  // lstat, without the trailing slashes that would make it follow a link.
  std::string entry = folder;
  while (entry.size() > 1 && entry.back() == '/') entry.pop_back();
  struct stat self {};
  if (::lstat(entry.c_str(), &self) != 0 || !S_ISDIR(self.st_mode)) return;
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
