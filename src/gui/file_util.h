// File-system services used by every part of the program. Every document
// the program writes goes through WriteFileAtomic, so a failed or interrupted
// write never destroys the previous version of the file, and a link at the
// destination is replaced rather than written through. Every read opens a
// regular file only, without ever blocking, and up to a size limit
// (gui/file_limits.h).
#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "gui/file_limits.h"
#include "gui/handles.h"

namespace vorlane {

// Writes `bytes` to a temporary file beside `path`, flushes it to disk and
// renames it over `path`; the new file keeps the permissions of the regular
// file it replaces. On failure the old file (if any) is left as it was, the
// temporary file is removed and false is returned; `error` (when given) then
// holds a sentence for the user.
// `durable` false skips the flush to disk, for many small files that are
// flushed together afterwards with SyncFileSystem.
// Writes wherever `path` leads: the program's own files use WriteProgramFile.
bool WriteFileAtomic(const std::string& path, std::string_view bytes,
                     std::string* error = nullptr, bool durable = true);

class PendingFile;

// WriteFileAtomic in two halves, for many files flushed together: writes
// `bytes` to a finished temporary file beside `path` and returns it, for
// its Commit to put in place after one SyncFileSystem; null (with `error`)
// when that fails. Until the Commit, `path` is as it was.
std::unique_ptr<PendingFile> StageFile(const std::string& path, std::string_view bytes,
                                       std::string* error = nullptr);

// True when `folder` is the program folder (the current directory) or lies
// below it once every link is followed. Otherwise false, with a sentence
// naming the folder in `error`.
bool IsInsideProgramFolder(const std::string& folder, std::string* error = nullptr);

// WriteFileAtomic for the program's own files (under Projects/, the working
// folder, the preferences): refused when the folder of `path` leads outside
// the program folder.
bool WriteProgramFile(const std::string& path, std::string_view bytes, std::string* error = nullptr,
                      bool durable = true);

// Flushes everything written to the file system holding `path` to disk.
void SyncFileSystem(const std::string& path);

// Reads a whole file of at most `max_bytes` bytes. False, with a sentence
// naming the file in `error`, when it cannot be opened or read, is not a
// regular file (a folder, a FIFO, a device: none is ever waited on), is
// larger than the limit, or lies outside the program folder once every link
// is followed while `from` asks for the program folder.
bool ReadFile(const std::string& path, std::string* bytes,
              std::int64_t max_bytes = kMaxOtherFileBytes, std::string* error = nullptr,
              ReadFrom from = ReadFrom::Anywhere);

// Whether ReadFile would take the file, without reading it.
bool CanReadFile(const std::string& path, std::int64_t max_bytes, std::string* error = nullptr,
                 ReadFrom from = ReadFrom::Anywhere);

// Opens a regular file for reading in the same way, for a reader that needs
// only its beginning; null, with `error` set, where ReadFile would fail.
UniqueFile OpenRegularFile(const std::string& path, std::string* error = nullptr,
                           ReadFrom from = ReadFrom::Anywhere);

// The same open for a reader that streams the file itself; `st` (when
// given) gets the opened file's status.
UniqueFd OpenFileForReading(const std::string& path, std::int64_t max_bytes, std::string* error,
                            ReadFrom from, struct stat* st = nullptr);

// Copies the regular file `from` (at most `max_bytes` long) to `to` the way
// WriteFileAtomic writes: `to` is replaced only by a complete copy, and on
// failure the old `to` is left as it was. False with `error` set when
// anything fails.
bool CopyFile(const std::string& from, const std::string& to, std::int64_t max_bytes,
              std::string* error = nullptr, bool durable = true,
              ReadFrom read_from = ReadFrom::Anywhere);

// CopyFile into the program's own folders: refused when the folder of `to`
// leads outside the program folder.
bool CopyProgramFile(const std::string& from, const std::string& to, std::int64_t max_bytes,
                     std::string* error = nullptr, bool durable = true,
                     ReadFrom read_from = ReadFrom::Anywhere);

// A temporary file beside `path` that takes its place on Commit, the way
// WriteFileAtomic's does, and is removed if it never does. For a library
// that writes a file by its name: it writes temp_path(), Reopen takes what
// it left there, and Commit puts that in place.
class PendingFile {
 public:
  PendingFile(const std::string& path, std::string* error);
  ~PendingFile();
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;

  bool valid() const { return fd_.valid(); }
  int fd() const { return fd_.get(); }
  const std::string& temp_path() const { return temp_; }
  const std::string& path() const { return path_; }

  // Opens the file now at temp_path(), which a library may have replaced.
  bool Reopen(std::string* error);
  // Finishes the temporary file (its permissions, with `durable` a flush,
  // and closing it) without putting it in place, so that many files can be
  // flushed together and then committed; Commit then only renames.
  bool Close(bool durable, std::string* error);
  bool Commit(bool durable, std::string* error);
  // Commit that does not remove the regular file it replaces but swaps the
  // two, leaving that one at `*replaced` (empty when there was none), so
  // that the files replaced by a batch can be deleted together (DeleteFiles).
  bool CommitKeepingOld(bool durable, std::string* error, std::string* replaced);

 private:
  std::string path_;
  std::string temp_;
  UniqueFd fd_;
  bool closed_ = false;  // Close finished the file: only the rename is left
};

bool FileExists(const std::string& path);    // any kind of entry
bool IsDirectory(const std::string& path);
bool IsRegularFile(const std::string& path);
// Size in bytes, -1 when the file does not exist.
std::int64_t FileSize(const std::string& path);

// Creates one folder when it is not already a directory. True when it
// exists as a directory afterwards.
bool MakeDirectory(const std::string& path);

// Deletes the plain files in `folder` (sub-folders are not entered) and then
// the folder itself; does nothing when `folder` is not a directory, or is a
// link to one (the files it leads to are not the program's).
void DeleteFolderFiles(const std::string& folder);

bool DeleteFile(const std::string& path);

// The names of the entries of `folder` ("." and ".." left out), in the order
// the file system lists them; empty when it cannot be listed.
std::vector<std::string> ListFolder(const std::string& folder);

}  // namespace vorlane
