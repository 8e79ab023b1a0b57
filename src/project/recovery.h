// Crash recovery: while a project has unsaved changes, a copy of it is
// written now and then into the run's working folder, never over the project
// file. A run that exits normally removes it with its working folder; one
// that was killed leaves it behind, and the next start offers to restore it.
//
// In the working folder: "recovery.xml", one header line followed by the
// project file's text, written atomically after the pictures it names and
// before those it no longer names go, so that the recovery file on disk
// always names frames that are there; and each frame's picture
// as ".recovery-<sprite>_<frame>.png". Sounds and backgrounds are already in
// the working folder, where the dialogs copied them.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "project/model.h"
#include "project/project_file.h"

namespace vorlane {

inline constexpr char kRecoveryFile[] = "recovery.xml";
inline constexpr char kRecoveryFramePrefix[] = ".recovery-";

// What is written, taken on the interface's thread: a copy of the project,
// which shares the frames' immutable pictures, so that building the file's
// text and writing it can run anywhere while the user goes on editing.
struct RecoverySnapshot {
  std::int64_t time = 0;  // seconds since 1970
  Project project;
};

RecoverySnapshot TakeRecoverySnapshot(const Project& project, std::int64_t time);

// Remembers which frame pictures are already written, so that an autosave
// writes only what changed. One per working folder.
struct RecoveryCache {
  std::string folder;
  std::unordered_map<std::string, std::uint64_t> written;  // file, fingerprint
};

// Writes the snapshot into its working folder: changed frame pictures, then
// recovery.xml, then removes the pictures it no longer names. False with
// `error` set when a write failed; a recovery file written earlier then
// stays whole, with every picture it names.
bool WriteRecovery(const RecoverySnapshot& snapshot, RecoveryCache& cache,
                   std::string* error = nullptr);

// Deletes the recovery file and the frame pictures beside it.
void RemoveRecovery(const std::string& folder);

// A recovery file left by a run that did not exit normally.
struct FoundRecovery {
  std::string folder;  // its working folder
  std::string name;
  std::int64_t time = 0;
  int version = 0;  // of the program that wrote it
};

// The recovery files in the working folders of runs that are gone, the
// newest first. Files whose header cannot be read are left out.
std::vector<FoundRecovery> FindRecoveries();

// "Vorlane did not close normally. Restore the unsaved changes of <name>
// from <time>?" with the local time as "YYYY-MM-DD HH:MM".
std::string RestoreQuestion(const FoundRecovery& found);

// Opens the recovered project in place of `project`: its working folder
// becomes this run's (its media are there) and the one `project` had goes.
// The project keeps its name and is marked modified. A file written by a
// newer program is refused with the newer-version message; on any failure
// `project` is untouched and `report->error` says why.
bool RestoreRecovery(Project& project, const FoundRecovery& found, FileReport* report);

// A recovery file written by a newer program is not offered again: it is
// renamed "recovery-v<version>.xml" in its folder, which then stays. Returns
// its new path, "" when it could not be renamed.
std::string KeepRecoveryAside(const FoundRecovery& found);
// The newer-version message, saying where the file was kept when it was.
std::string NewerRecoveryMessage(const FoundRecovery& found, const std::string& aside);

// The user chose not to restore: the killed run's working folder goes, with
// the copies of sounds and backgrounds it held.
void DiscardRecovery(const FoundRecovery& found);

}  // namespace vorlane
