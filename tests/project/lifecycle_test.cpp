#include "project/lifecycle.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <ctime>
#include <filesystem>

#include "gui/file_util.h"
#include "project/leftovers.h"
#include "project/project_list.h"
#include "support/sample_project.h"
#include "support/temp_dir.h"

namespace vorlane {
namespace {

using LifecycleTest = test::InTempDir;

// New makes the program's folders and preferences and a working folder of
// its own (a second New in the same second another, "_2" being the first
// number free), empties the project and removes the old working folder.
TEST_F(LifecycleTest, NewProjectMakesFoldersAndPreferences) {
  std::tm t{};
  t.tm_hour = 14, t.tm_min = 5, t.tm_sec = 3;
  EXPECT_EQ(WorkingFolderName(t), "_temp_140503");
  for (std::string taken, name; !name.starts_with(taken) || name.empty();) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    MakeDirectory(taken = WorkingFolderName(*localtime_r(&now, &local)));
    name = NewWorkingFolderName("");
    if (name.starts_with(taken)) EXPECT_EQ(name, taken + "_2");  // else past the second: again
  }
  Project p = test::SampleProject();
  Preferences prefs;
  StartNewProject(p, prefs);
  EXPECT_TRUE(IsRegularFile("preferences.dat"));
  EXPECT_TRUE(IsDirectory("Projects") && IsDirectory("Extensions"));
  EXPECT_EQ(ProjectXml(p), ProjectXml(Project{}));
  const std::string first = p.tempfolder;
  test::WriteAll(first + "/a.wav", "x");
  NewSprite(p);
  StartNewProject(p, prefs);
  EXPECT_TRUE(IsDirectory(p.tempfolder));
  EXPECT_FALSE(FileExists(first) || FileExists(OwnerMarkerPath(first)));
  EXPECT_EQ(p.modified, 0);
}

// The list holds regular ".xml" files with a name, sub-folders not
// searched, with the date each was started and a preview when its picture
// is not empty. An open that succeeds goes into a fresh working folder,
// which replaces the old one; finishing removes it. (A refused open keeping
// the open project is the main window's test.)
TEST_F(LifecycleTest, ListAndOpenProjects) {
  Preferences prefs;
  Project open;
  StartNewProject(open, prefs);
  Project saved = test::SampleProject();
  saved.tempfolder = "media";
  MakeDirectory("media");
  test::WriteSampleMedia("media");
  ASSERT_TRUE(WriteProject(saved));
  MakeDirectory("Projects/folder.xml");
  for (const char* file :
       {"a.xml.xml", "my.xmlgame.xml", "notes.txt", ".xml", "demo.png", "demo/inner.xml"})
    test::WriteAll(std::string("Projects/") + file, "<vorlane/>");
  auto names = RefreshProjectList();
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"a", "demo", "mygame"}));
  EXPECT_TRUE(RefreshProjectList("Missing").empty());
  std::tm t{};
  t.tm_year = 112, t.tm_mon = 4, t.tm_mday = 31, t.tm_hour = 18, t.tm_min = 7;
  EXPECT_EQ(ProjectStartedText(t), "Project started: 2012-05-31 18:07");
  EXPECT_EQ(ProjectStartedText("demo").size(), ProjectStartedText(t).size());
  EXPECT_EQ(ProjectStartedText("missing"), "");
  EXPECT_EQ(ProjectPreviewPath("demo"), "Projects/demo.png");
  test::WriteAll("Projects/demo.png", "");
  EXPECT_EQ(ProjectPreviewPath("demo"), "");

  const std::string before = open.tempfolder;
  FileReport report;
  ASSERT_TRUE(OpenProjectNamed(open, prefs, "demo", &report)) << report.error;
  EXPECT_EQ(open.projectname, "demo");
  EXPECT_FALSE(FileExists(before));
  EXPECT_EQ(test::ReadAll(open.tempfolder + "/jump.wav"), "wav bytes");
  FinishSession(open, prefs);
  EXPECT_FALSE(FileExists(open.tempfolder));
}

namespace fs = std::filesystem;
using test::WriteAll;
using Strings = std::vector<std::string>;

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

Strings Sorted(Strings list) {
  std::sort(list.begin(), list.end());
  return list;
}

// Partial save files go when their process is gone, or when written before
// this process started (a run that had its number); only in the program,
// Projects and project folders, and only files of the program's names.
TEST_F(LifecycleTest, SaveFilesGoOnlyWhenTheirProcessIsGone) {
  const long long gone = GonePid(), self = ::getpid();
  fs::create_directories("Projects/demo/img/deep");
  fs::create_directories("Projects/" + SaveFile(gone, "9"));  // a folder: not ours
  const Strings removed = {SaveFile(gone, "0"), "Projects/" + SaveFile(gone, "1"),
                           "Projects/demo/" + SaveFile(gone, "2"),
                           "Projects/demo/img/" + SaveFile(gone, "3"),
                           "Projects/demo/img/" + SaveFile(self, "5")};
  const Strings kept = {"Projects/demo/img/" + SaveFile(self, "4"),
                        "Projects/demo/img/deep/" + SaveFile(gone, "6"),
                        "Projects/demo/.vorlane-save-" + std::to_string(gone), "Projects/demo.xml"};
  for (const Strings& list : {removed, kept})
    for (const std::string& path : list) WriteAll(path, "partial");
  const timespec old_times[2] = {{978307200, 0}, {978307200, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, removed.back().c_str(), old_times, 0), 0);
  EXPECT_EQ(Sorted(RemoveLeftovers()), Sorted(removed));
  for (const std::string& path : kept) EXPECT_TRUE(IsRegularFile(path)) << path;
  EXPECT_TRUE(IsDirectory("Projects/" + SaveFile(gone, "9")));
}

// Working folders of runs that are gone (or whose number another start
// reuses, or from an earlier boot) go when empty, with their markers; not
// those of another machine, of no owner, or not of the program's names.
TEST_F(LifecycleTest, OnlyEmptyWorkingFoldersOfGoneRunsAreRemoved) {
  Project project;
  Preferences prefs;
  StartNewProject(project, prefs);
  const std::string mine = project.tempfolder;
  EXPECT_EQ(test::ReadAll(OwnerMarkerPath(mine)), OwnerMarkerText(ThisProcess()));
  ProcessStamp gone = ThisProcess(), reused = ThisProcess(), earlier_boot = ThisProcess();
  gone.pid = GonePid();
  ++reused.start;
  earlier_boot.boot = "an earlier boot";
  ProcessStamp elsewhere = gone;
  elsewhere.host = "elsewhere";
  const struct {
    const char* folder;
    const ProcessStamp* owner;
    std::string file;
  } folders[] = {{"_temp_000001", &gone, ""},
                 {"_temp_000002", &gone, "jump.wav"},
                 {"_temp_000003", &reused, SaveFile(gone.pid, "0")},
                 {"_temp_000004_2", &earlier_boot, ""},
                 {"_temp_000005", &elsewhere, ""},
                 {"_temp_000006", nullptr, ""},
                 {"_temp_mine", &gone, ""},
                 {"_temp_000008_x", &gone, ""}};
  for (const auto& f : folders) {
    fs::create_directory(f.folder);
    if (f.owner) WriteAll(OwnerMarkerPath(f.folder), OwnerMarkerText(*f.owner));
    if (!f.file.empty()) WriteAll(std::string(f.folder) + "/" + f.file, "x");
  }
  WriteAll(OwnerMarkerPath("_temp_000007"), OwnerMarkerText(gone));  // its folder went
  EXPECT_EQ(ClaimWorkingFolder("_temp_000007"), Claim::Taken);
  EXPECT_EQ(ClaimWorkingFolder("_temp_000006"), Claim::Taken);
  EXPECT_EQ(LeftoverWorkingFolders(), (Strings{"_temp_000001", "_temp_000002", "_temp_000003",
                                               "_temp_000004_2", "_temp_000006"}));
  EXPECT_EQ(Sorted(RemoveLeftovers()),
            Sorted({"_temp_000003/" + SaveFile(gone.pid, "0"), "_temp_000001", "_temp_000001.owner",
                    "_temp_000003", "_temp_000003.owner", "_temp_000004_2", "_temp_000004_2.owner",
                    "_temp_000007.owner"}));
  EXPECT_EQ(LeftoverWorkingFolders(), (Strings{"_temp_000002", "_temp_000006"}));
  for (const char* kept : {"_temp_000002/jump.wav", "_temp_000005.owner", "_temp_mine.owner"})
    EXPECT_TRUE(IsRegularFile(kept)) << kept;
  EXPECT_TRUE(IsDirectory(mine));
  FinishSession(project, prefs);
  EXPECT_FALSE(FileExists(mine) || FileExists(OwnerMarkerPath(mine)));
}

}  // namespace
}  // namespace vorlane
