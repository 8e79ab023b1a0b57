// What a killed run leaves behind, and how a later start tells it from what
// a running process still uses: the atomic writer's temporary files
// (".vorlane-save-PID-N", named after the writing process) and the working
// folders, each of which has an owner marker "<folder>.owner" beside it
// naming the process that made it.
#pragma once

#include <string>
#include <vector>

namespace vorlane {

// A process, told apart from a later one that got the same number: its start
// time (clock ticks since boot), the boot it ran in and the machine it ran on.
struct ProcessStamp {
  long long pid = 0;
  unsigned long long start = 0;
  std::string boot;
  std::string host;
};

ProcessStamp ThisProcess();

// Whether `owner` may still be running. A process of another machine (a
// shared program folder) cannot be checked, so it counts as running.
bool MayBeRunning(const ProcessStamp& owner);

// The marker beside a working folder, and its text for `owner`.
std::string OwnerMarkerPath(const std::string& folder);
std::string OwnerMarkerText(const ProcessStamp& owner);

enum class Claim { Made, Taken, Failed };

// Makes the working folder `folder` for this process: the marker first (a
// name whose marker exists is Taken), then the folder. Failed when either
// cannot be written; nothing is left behind then.
Claim ClaimWorkingFolder(const std::string& folder);

// Takes over the working folder of a run that is gone (to restore what it
// left): its marker is rewritten for this process. False when its owner may
// still be running or the marker cannot be written.
bool AdoptWorkingFolder(const std::string& folder);

// Deletes the files of this process's working folder, the folder, and then
// its marker; a folder that cannot be removed keeps its marker, so a later
// start lists it as a leftover.
void ReleaseWorkingFolder(const std::string& folder);

// The working folders of the program folder ("_temp_HHMMSS" and
// "_temp_HHMMSS_N") whose owner is gone, or which have no marker (made by an
// older version); sorted by name. Those holding files may hold the only copy
// of media a user added and never saved.
std::vector<std::string> LeftoverWorkingFolders();

// Done at start: deletes the temporary save files of processes that are gone
// (in the program folder, Projects/, each project folder and its
// sub-folders, and the working folders), then removes the leftover working
// folders that are empty, with their markers, and markers left without a
// folder. A folder without a marker is kept, as is everything a running
// process may own. Returns the paths removed.
std::vector<std::string> RemoveLeftovers();

}  // namespace vorlane
