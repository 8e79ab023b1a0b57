// File-system services used by every part of the program. Every document
// the program writes goes through WriteFileAtomic, so a failed or interrupted
// write never destroys the previous version of the file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vorlane {

// Writes `bytes` to a temporary file beside `path`, flushes it to disk and
// renames it over `path`. On failure the old file (if any) is left as it was,
// the temporary file is removed and false is returned; `error` (when given)
// then holds a sentence for the user.
// `durable` false skips the flush to disk, for many small files that are
// flushed together afterwards with SyncFileSystem.
bool WriteFileAtomic(const std::string& path, std::string_view bytes,
                     std::string* error = nullptr, bool durable = true);

// Flushes everything written to the file system holding `path` to disk.
void SyncFileSystem(const std::string& path);

// Reads a whole file. False when it cannot be opened or read.
bool ReadFile(const std::string& path, std::string* bytes);

// Copies `from` to `to`, overwriting `to`. False when `from` is missing or
// anything fails; a partly written destination is removed.
bool CopyFile(const std::string& from, const std::string& to);

bool FileExists(const std::string& path);    // any kind of entry
bool IsDirectory(const std::string& path);
bool IsRegularFile(const std::string& path);
// Size in bytes, -1 when the file does not exist.
std::int64_t FileSize(const std::string& path);

// Creates one folder when it is not already a directory. True when it
// exists as a directory afterwards.
bool MakeDirectory(const std::string& path);

// Deletes the plain files in `folder` (sub-folders are not entered) and then
// the folder itself; does nothing when `folder` is not a directory.
void DeleteFolderFiles(const std::string& folder);

bool DeleteFile(const std::string& path);

// The names of the entries of `folder` ("." and ".." left out), in the order
// the file system lists them; empty when it cannot be listed.
std::vector<std::string> ListFolder(const std::string& folder);

}  // namespace vorlane
