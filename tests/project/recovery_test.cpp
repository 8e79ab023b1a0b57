#include "project/recovery.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "gui/file_util.h"
#include "project/autosaver.h"
#include "project/leftovers.h"
#include "project/lifecycle.h"
#include "support/sample_project.h"
#include "support/temp_dir.h"

namespace vorlane {
namespace {

using test::ReadAll;
using test::WriteAll;

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
