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
    saved_xml_ = ReadAll("Projects/demo.xml");
    Image red = Image::Opaque(16, 16);
    red.Fill(Color{255, 0, 0, 255});
    killed_.frames[0].image = ShareImage(std::move(red));
    Rename("spr_runner");
    killed_.objects.push_back(killed_.objects[0]);
    killed_.objects.back().name = "obj_extra";
    SetModified(killed_, 1);
    ASSERT_TRUE(Autosave(1700000000));
  }
  void Rename(const std::string& sprite) {
    killed_.sprites[0].name = killed_.frames[0].sprite = killed_.frames[1].sprite = sprite;
  }
  bool Autosave(std::int64_t time) {
    return WriteRecovery(TakeRecoverySnapshot(killed_, time), cache_);
  }
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
  std::string saved_xml_, fresh_;
};

TEST_F(RecoveryTest, RestoringGivesBackTheUnsavedProjectWithoutTouchingTheSavedOne) {
  EXPECT_EQ(ReadAll("Projects/demo.xml"), saved_xml_);
  const std::vector<FoundRecovery> found = FindRecoveries();
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].name, "demo");
  EXPECT_EQ(RestoreQuestion(found[0]).rfind(
                "Vorlane did not close normally. Restore the unsaved changes of demo from ", 0),
            0u);
  Project project;
  FileReport report;
  ASSERT_TRUE(Restore(project, report)) << report.error;
  EXPECT_EQ(project.modified, 1);
  EXPECT_EQ(project.tempfolder, "_temp_101112") << "its media are there";
  EXPECT_EQ(ProjectXml(project), ProjectXml(killed_));
  EXPECT_EQ(*project.frames[0].image, *killed_.frames[0].image);
  EXPECT_EQ(*project.frames[1].image, *killed_.frames[1].image);
  EXPECT_FALSE(FileExists(fresh_)) << "the fresh working folder went";
  EXPECT_TRUE(LeftoverWorkingFolders().empty()) << "the folder is this run's now";
  project.projectname = "rescued";  // saved where the user likes, with its media
  ASSERT_TRUE(WriteProject(project));
  EXPECT_EQ(LoadImageFile("Projects/rescued/img/spr_runner_0.png"), *killed_.frames[0].image);
  EXPECT_EQ(ReadAll("Projects/rescued/aud/jump.wav"), "wav bytes");
}

// An autosave writes the pictures that changed, then the file, then removes
// the pictures no longer named; a kill before the file is replaced leaves
// every picture the old one names, and one gone all the same is named.
TEST_F(RecoveryTest, AutosavesWriteWhatChangedAndKeepWhatTheFileNames) {
  killed_.frames[1].image = ShareImage(Image::Opaque(2, 2));
  ASSERT_TRUE(Autosave(1700000060));
  EXPECT_EQ(LoadImageFile("_temp_101112/.recovery-spr_runner_1.png"), *killed_.frames[1].image);
  Rename("spr_hero");
  ASSERT_TRUE(Autosave(1700000090));
  EXPECT_FALSE(FileExists("_temp_101112/.recovery-spr_runner_0.png"));
  WriteAll("_temp_101112/.recovery-spr_hero_1.png", "kept");  // unchanged: not written again
  ASSERT_TRUE(Autosave(1700000120));
  EXPECT_EQ(ReadAll("_temp_101112/.recovery-spr_hero_1.png"), "kept");

  ASSERT_EQ(std::rename("_temp_101112/recovery.xml", "old.xml"), 0);
  MakeDirectory("_temp_101112/recovery.xml");  // cannot be replaced, as when killed
  Rename("spr_other");
  EXPECT_FALSE(Autosave(1700000180));
  EXPECT_TRUE(FileExists("_temp_101112/.recovery-spr_hero_0.png"));
  ASSERT_EQ(std::remove("_temp_101112/recovery.xml"), 0);
  ASSERT_EQ(std::rename("old.xml", "_temp_101112/recovery.xml"), 0);
  DeleteFile("_temp_101112/.recovery-spr_hero_1.png");
  Project project;
  FileReport report;
  ASSERT_TRUE(Restore(project, report)) << report.error;
  EXPECT_EQ(report.missing, std::vector<std::string>{"spr_hero_1.png"});
  EXPECT_NE(WarningText(report).find("spr_hero_1.png"), std::string::npos);
  EXPECT_TRUE(project.frames[0].image);

  RemoveRecovery("_temp_101112");
  EXPECT_TRUE(FindRecoveries().empty());
  EXPECT_FALSE(FileExists("_temp_101112/.recovery-spr_hero_0.png"));
  EXPECT_TRUE(FileExists("_temp_101112/jump.wav")) << "media stay";
}

TEST_F(RecoveryTest, DiscardingRemovesTheKilledRunsWorkingFolder) {
  DiscardRecovery(FindRecoveries()[0]);
  EXPECT_FALSE(FileExists("_temp_101112"));
  EXPECT_TRUE(LeftoverWorkingFolders().empty());
}

TEST_F(RecoveryTest, NewerDamagedOrStrangeFilesAreRefusedAndChangeNothing) {
  const std::string body = ReadAll("_temp_101112/recovery.xml");
  const std::string rest = body.substr(body.find('\n') + 1);
  const std::pair<std::string, std::string> cases[] = {
      {"VORLANE RECOVERY 130 1700000000 demo\n" + rest, NewerVersionMessage(130)},
      {"VORLANE RECOVERY 129 1700000000 demo\n<vorlane version=\"129\"><sprites",
       "The recovery file is damaged"},
  };
  for (const auto& [file, why] : cases) {
    WriteAll("_temp_101112/recovery.xml", file);
    Project project;
    FileReport report;
    EXPECT_FALSE(Restore(project, report));
    EXPECT_NE(report.error.find(why), std::string::npos) << report.error;
    EXPECT_EQ(ProjectXml(project), ProjectXml(Project{}));
    EXPECT_EQ(LeftoverWorkingFolders(), std::vector<std::string>{"_temp_101112"});
  }
  // Files that are no recovery files are not offered.
  for (const std::string text :
       {"", "VORLANE RECOVERY x y demo\n", "<vorlane/>", "VORLANE RECOVERY 129"}) {
    WriteAll("_temp_101112/recovery.xml", text);
    EXPECT_TRUE(FindRecoveries().empty()) << text;
  }
  // A name with a line break or a percent sign comes back as it was.
  killed_.projectname = "50%\nsure";
  ASSERT_TRUE(Autosave(5));
  EXPECT_EQ(FindRecoveries().at(0).name, "50%\nsure");
}

// The user goes on editing while the worker writes: each save takes the
// project as it is then, and the last one is what stays.
TEST_F(RecoveryTest, TheAutosaverWritesInTheBackgroundAndRemovesOnRequest) {
  Autosaver saver;
  for (int i = 0; i < 20; ++i) {
    killed_.objects.back().name = "obj_edit" + std::to_string(i);
    saver.Save(killed_);
  }
  saver.Wait();
  EXPECT_EQ(saver.last_error(), "");
  const std::string recovered = ReadAll("_temp_101112/recovery.xml");
  EXPECT_NE(recovered.find("obj_edit19"), std::string::npos);
  EXPECT_EQ(recovered.find("obj_edit18"), std::string::npos);
  saver.Remove(killed_.tempfolder);
  EXPECT_TRUE(FindRecoveries().empty());

  // A working folder that has gone is reported, not created.
  killed_.tempfolder = "_temp_000000";
  saver.Save(killed_);
  saver.Wait();
  EXPECT_NE(saver.last_error(), "");
  EXPECT_FALSE(FileExists("_temp_000000"));
}

}  // namespace
}  // namespace vorlane
