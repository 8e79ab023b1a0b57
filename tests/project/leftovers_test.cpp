#include "project/leftovers.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "gui/file_util.h"
#include "project/lifecycle.h"
#include "support/temp_dir.h"

namespace vorlane {
namespace {

namespace fs = std::filesystem;
using test::WriteAll;

using LeftoversTest = test::InTempDir;

// The number of a process that has ended.
long long GonePid() {
  const pid_t pid = ::fork();
  if (pid == 0) ::_exit(0);
  ::waitpid(pid, nullptr, 0);
  return pid;
}

std::string SaveFile(long long pid, const std::string& n) {
  return ".vorlane-save-" + std::to_string(pid) + "-" + n;
}

// A working folder as a run of `owner` leaves it, holding `files`.
void LeaveFolder(const std::string& folder, const ProcessStamp* owner,
                 const std::vector<std::string>& files = {}) {
  fs::create_directory(folder);
  if (owner) WriteAll(OwnerMarkerPath(folder), OwnerMarkerText(*owner));
  for (const std::string& file : files) WriteAll(folder + "/" + file, "x");
}

std::vector<std::string> Sorted(std::vector<std::string> list) {
  std::sort(list.begin(), list.end());
  return list;
}

TEST_F(LeftoversTest, SaveFilesGoOnlyWhenTheirProcessIsGone) {
  const long long gone = GonePid();
  const long long self = ::getpid();
  fs::create_directories("Projects/demo/img/deep");
  fs::create_directories("Projects/demo/aud");
  fs::create_directories("Projects/" + SaveFile(gone, "9"));  // a folder: not ours
  for (const std::string& path : std::vector<std::string>{
           SaveFile(gone, "0"), "Projects/" + SaveFile(gone, "1"),
           "Projects/demo/" + SaveFile(gone, "2"), "Projects/demo/img/" + SaveFile(gone, "3"),
           "Projects/demo/aud/" + SaveFile(self, "4"), "Projects/demo/aud/" + SaveFile(self, "5"),
           "Projects/demo/img/deep/" + SaveFile(gone, "6"),
           "Projects/demo/.vorlane-save-" + std::to_string(gone), "Projects/demo.xml"})
    WriteAll(path, "partial");
  // Written long before this process started: a run that had its number.
  const timespec old_times[2] = {{978307200, 0}, {978307200, 0}};
  ASSERT_EQ(
      ::utimensat(AT_FDCWD, ("Projects/demo/aud/" + SaveFile(self, "5")).c_str(), old_times, 0), 0);

  EXPECT_EQ(
      Sorted(RemoveLeftovers()),
      Sorted({SaveFile(gone, "0"), "Projects/" + SaveFile(gone, "1"),
              "Projects/demo/" + SaveFile(gone, "2"), "Projects/demo/img/" + SaveFile(gone, "3"),
              "Projects/demo/aud/" + SaveFile(self, "5")}));
  // This process may be writing its own; other names and deeper folders are
  // not the program's.
  EXPECT_TRUE(IsRegularFile("Projects/demo/aud/" + SaveFile(self, "4")));
  EXPECT_TRUE(IsRegularFile("Projects/demo/img/deep/" + SaveFile(gone, "6")));
  EXPECT_TRUE(IsDirectory("Projects/" + SaveFile(gone, "9")));
  EXPECT_TRUE(IsRegularFile("Projects/demo.xml"));
}

TEST_F(LeftoversTest, OnlyEmptyWorkingFoldersOfGoneRunsAreRemoved) {
  Project project;
  Preferences prefs;
  StartNewProject(project, prefs);
  const std::string mine = project.tempfolder;
  EXPECT_EQ(test::ReadAll(OwnerMarkerPath(mine)), OwnerMarkerText(ThisProcess()));
  EXPECT_TRUE(MayBeRunning(ThisProcess()));

  ProcessStamp gone = ThisProcess();
  gone.pid = GonePid();
  ProcessStamp reused = ThisProcess();  // this process's number, another start
  ++reused.start;
  ProcessStamp earlier_boot = ThisProcess();
  earlier_boot.boot = "an earlier boot";
  ProcessStamp elsewhere = gone;  // a program folder shared with another machine
  elsewhere.host = "elsewhere";
  LeaveFolder("_temp_000001", &gone);
  LeaveFolder("_temp_000002", &gone, {"jump.wav"});
  LeaveFolder("_temp_000003", &reused, {SaveFile(gone.pid, "0")});
  LeaveFolder("_temp_000004_2", &earlier_boot);
  LeaveFolder("_temp_000005", &elsewhere);
  LeaveFolder("_temp_000006", nullptr);  // from a version without markers
  LeaveFolder("_temp_mine", &gone);      // not names the program makes
  LeaveFolder("_temp_000008_x", &gone);
  WriteAll(OwnerMarkerPath("_temp_000007"), OwnerMarkerText(gone));  // its folder went
  EXPECT_EQ(ClaimWorkingFolder("_temp_000007"), Claim::Taken);
  EXPECT_EQ(ClaimWorkingFolder("_temp_000006"), Claim::Taken);

  EXPECT_EQ(LeftoverWorkingFolders(),
            (std::vector<std::string>{"_temp_000001", "_temp_000002", "_temp_000003",
                                      "_temp_000004_2", "_temp_000006"}));
  EXPECT_EQ(Sorted(RemoveLeftovers()),
            Sorted({"_temp_000003/" + SaveFile(gone.pid, "0"), "_temp_000001", "_temp_000001.owner",
                    "_temp_000003", "_temp_000003.owner", "_temp_000004_2", "_temp_000004_2.owner",
                    "_temp_000007.owner"}));
  EXPECT_EQ(LeftoverWorkingFolders(), (std::vector<std::string>{"_temp_000002", "_temp_000006"}));
  for (const char* kept : {"_temp_000002/jump.wav", "_temp_000002.owner", "_temp_000005.owner",
                           "_temp_mine.owner", "_temp_000008_x.owner"})
    EXPECT_TRUE(IsRegularFile(kept)) << kept;
  EXPECT_TRUE(IsDirectory("_temp_000006"));
  EXPECT_TRUE(IsDirectory(mine));

  FinishSession(project, prefs);
  EXPECT_FALSE(FileExists(mine));
  EXPECT_FALSE(FileExists(OwnerMarkerPath(mine)));
}

}  // namespace
}  // namespace vorlane
