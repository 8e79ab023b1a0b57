#include "project/lifecycle.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>

#include "gui/file_util.h"
#include "project/autosaver.h"
#include "project/leftovers.h"
#include "project/project_list.h"
#include "project/recovery.h"
#include "support/sample_project.h"
#include "support/temp_dir.h"

namespace vorlane {
namespace {

using LifecycleTest = test::InTempDir;
namespace fs = std::filesystem;
using test::WriteAll;
using Strings = std::vector<std::string>;
using test::ReadAll;

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
    if (name.starts_with(taken)) {  // else past the second: again
      EXPECT_EQ(name, taken + "_2");
    }
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

// A run that was killed: its working folder, without a live owner, holding
// the sample's media and a recovery file of the sample with unsaved edits (a
// frame repainted, a sprite renamed, an object added).
class RecoveryTest : public test::InTempDir {
 protected:
  void SetUp() override {
    killed_ = test::SampleProject();
    killed_.tempfolder = "_temp_101112";
    MakeDirectory(killed_.tempfolder);
    test::WriteSampleMedia(killed_.tempfolder);
    ASSERT_TRUE(WriteProject(killed_));
    killed_.frames[0].image = ShareImage(Image::Opaque(16, 16));
    Rename("spr_runner");
    killed_.objects.push_back(killed_.objects[0]);
    killed_.objects.back().name = "obj_extra";
    SetModified(killed_, 1);
    ASSERT_TRUE(Autosave());
  }
  void Rename(const std::string& sprite) {
    killed_.sprites[0].name = killed_.frames[0].sprite = killed_.frames[1].sprite = sprite;
  }
  bool Autosave() { return WriteRecovery(TakeRecoverySnapshot(killed_, 1700000000), cache_); }
  // A new run restores what FindRecoveries offers.
  bool Restore(Project& project, FileReport& report) {
    Preferences prefs;
    StartNewProject(project, prefs);
    fresh_ = project.tempfolder;
    const std::vector<FoundRecovery> found = FindRecoveries();
    return found.size() == 1 && RestoreRecovery(project, found[0], &report);
  }

  Project killed_;
  RecoveryCache cache_;
  std::string fresh_;
};

// The unsaved project comes back modified, in the killed run's working
// folder, and saves with its media; the saved project is untouched.
TEST_F(RecoveryTest, RestoringGivesBackTheUnsavedProject) {
  const std::string saved = ReadAll("Projects/demo.xml");
  EXPECT_EQ(FindRecoveries().at(0).name, "demo");
  Project project;
  FileReport report;
  ASSERT_TRUE(Restore(project, report)) << report.error;
  EXPECT_EQ(project.modified, 1);
  EXPECT_EQ(project.tempfolder, "_temp_101112");
  EXPECT_EQ(ProjectXml(project), ProjectXml(killed_));
  EXPECT_EQ(*project.frames[0].image, *killed_.frames[0].image);
  EXPECT_FALSE(FileExists(fresh_)) << "the fresh working folder went";
  EXPECT_TRUE(LeftoverWorkingFolders().empty()) << "the folder is this run's now";
  EXPECT_EQ(ReadAll("Projects/demo.xml"), saved);
  project.projectname = "rescued";
  ASSERT_TRUE(WriteProject(project));
  EXPECT_EQ(LoadImageFile("Projects/rescued/img/spr_runner_0.png"), *killed_.frames[0].image);
  EXPECT_EQ(ReadAll("Projects/rescued/aud/jump.wav"), "wav bytes");
}

// An autosave writes the pictures that changed, then the file, then removes
// the pictures no longer named; a kill before the file is replaced leaves
// every picture the old one names, and one gone all the same is named.
TEST_F(RecoveryTest, AutosavesWriteWhatChangedAndKeepWhatTheFileNames) {
  killed_.frames[1].image = ShareImage(Image::Opaque(2, 2));
  ASSERT_TRUE(Autosave());
  EXPECT_EQ(LoadImageFile("_temp_101112/.recovery-spr_runner_1.png"), *killed_.frames[1].image);
  Rename("spr_hero");
  ASSERT_TRUE(Autosave());
  EXPECT_FALSE(FileExists("_temp_101112/.recovery-spr_runner_0.png"));
  WriteAll("_temp_101112/.recovery-spr_hero_1.png", "kept");  // unchanged: not written again
  ASSERT_TRUE(Autosave());
  EXPECT_EQ(ReadAll("_temp_101112/.recovery-spr_hero_1.png"), "kept");

  ASSERT_EQ(std::rename("_temp_101112/recovery.xml", "old.xml"), 0);
  MakeDirectory("_temp_101112/recovery.xml");  // cannot be replaced, as when killed
  Rename("spr_other");
  EXPECT_FALSE(Autosave());
  EXPECT_TRUE(FileExists("_temp_101112/.recovery-spr_hero_0.png"));
  ASSERT_EQ(std::remove("_temp_101112/recovery.xml"), 0);
  ASSERT_EQ(std::rename("old.xml", "_temp_101112/recovery.xml"), 0);
  DeleteFile("_temp_101112/.recovery-spr_hero_1.png");
  Project project;
  FileReport report;
  ASSERT_TRUE(Restore(project, report)) << report.error;
  EXPECT_NE(WarningText(report).find("spr_hero_1.png"), std::string::npos);
  RemoveRecovery("_temp_101112");
  EXPECT_FALSE(FileExists("_temp_101112/.recovery-spr_hero_0.png"));
  EXPECT_TRUE(FileExists("_temp_101112/jump.wav")) << "media stay";
}

// A damaged file is refused and changes nothing (a newer one is the
// main window's test); files that are no recovery files are not offered;
// any project name comes back as it was; discarding removes the killed
// run's folder.
TEST_F(RecoveryTest, DamagedOrStrangeFilesAreRefused) {
  WriteAll("_temp_101112/recovery.xml",
           "VORLANE RECOVERY 129 1 demo\n<vorlane version=\"129\"><sprites");
  Project project;
  FileReport report;
  EXPECT_FALSE(Restore(project, report));
  EXPECT_NE(report.error.find("The recovery file is damaged"), std::string::npos) << report.error;
  EXPECT_EQ(ProjectXml(project), ProjectXml(Project{}));
  EXPECT_EQ(LeftoverWorkingFolders(), std::vector<std::string>{"_temp_101112"});
  for (const std::string text : {"", "VORLANE RECOVERY x y demo\n", "<vorlane/>"}) {
    WriteAll("_temp_101112/recovery.xml", text);
    EXPECT_TRUE(FindRecoveries().empty()) << text;
  }
  killed_.projectname = "50%\nsure";
  ASSERT_TRUE(Autosave());
  EXPECT_EQ(FindRecoveries().at(0).name, "50%\nsure");
  DiscardRecovery(FindRecoveries().at(0));
  EXPECT_FALSE(FileExists("_temp_101112"));
}

// The user goes on editing while the worker writes: the last save stays. A
// working folder that has gone is reported, not created.
TEST_F(RecoveryTest, TheAutosaverWritesInTheBackground) {
  Autosaver saver;
  for (const char* name : {"obj_first", "obj_last"}) {
    killed_.objects.back().name = name;
    saver.Save(killed_);
  }
  saver.Wait();
  EXPECT_EQ(saver.last_error(), "");
  const std::string recovered = ReadAll("_temp_101112/recovery.xml");
  EXPECT_NE(recovered.find("obj_last"), std::string::npos);
  EXPECT_EQ(recovered.find("obj_first"), std::string::npos);
  killed_.tempfolder = "_temp_000000";
  saver.Save(killed_);
  saver.Wait();
  EXPECT_NE(saver.last_error(), "");
  EXPECT_FALSE(FileExists("_temp_000000"));
}

}  // namespace
}  // namespace vorlane
