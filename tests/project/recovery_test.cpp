#include "project/recovery.h"

#include <gtest/gtest.h>
#include <unistd.h>

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
// the sample's media and a recovery file of the sample with unsaved edits.
class RecoveryTest : public test::InTempDir {
 protected:
  void SetUp() override {
    killed_ = test::SampleProject();
    killed_.tempfolder = "_temp_101112";
    MakeDirectory(killed_.tempfolder);
    test::WriteSampleMedia(killed_.tempfolder);
    ASSERT_TRUE(WriteProject(killed_));
    saved_xml_ = ReadAll("Projects/demo.xml");
    // Unsaved: a frame repainted, a sprite renamed, an object added.
    Image red = Image::Opaque(16, 16);
    red.Fill(Color{255, 0, 0, 255});
    killed_.frames[0].image = ShareImage(std::move(red));
    killed_.sprites[0].name = "spr_runner";
    for (Frame& frame : killed_.frames) frame.sprite = "spr_runner";
    killed_.objects.push_back(killed_.objects[0]);
    killed_.objects.back().name = "obj_extra";
    SetModified(killed_, 1);
    RecoveryCache cache;
    std::string error;
    ASSERT_TRUE(WriteRecovery(TakeRecoverySnapshot(killed_, 1700000000), cache, &error)) << error;
  }

  Project killed_;
  std::string saved_xml_;
};

TEST_F(RecoveryTest, RestoringGivesBackTheUnsavedProjectWithoutTouchingTheSavedOne) {
  EXPECT_EQ(ReadAll("Projects/demo.xml"), saved_xml_) << "autosave never writes the project";
  const std::vector<FoundRecovery> found = FindRecoveries();
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].folder, "_temp_101112");
  EXPECT_EQ(found[0].name, "demo");
  EXPECT_EQ(found[0].version, kVersion);
  EXPECT_EQ(RestoreQuestion(found[0]).rfind(
                "Vorlane did not close normally. Restore the unsaved changes of demo from ", 0),
            0u);

  Preferences prefs;
  Project project;
  StartNewProject(project, prefs);
  const std::string fresh_folder = project.tempfolder;
  FileReport report;
  ASSERT_TRUE(RestoreRecovery(project, found[0], &report)) << report.error;
  EXPECT_EQ(project.modified, 1);
  EXPECT_EQ(project.projectname, "demo");
  EXPECT_EQ(project.tempfolder, "_temp_101112") << "its media are there";
  EXPECT_FALSE(FileExists(fresh_folder));
  EXPECT_EQ(ProjectXml(project), ProjectXml(killed_));
  ASSERT_TRUE(project.frames[0].image);
  EXPECT_EQ(project.frames[0].image->Pixel(3, 3), (Color{255, 0, 0, 255}));
  EXPECT_EQ(project.frames[1].image->width(), 24);
  EXPECT_TRUE(LeftoverWorkingFolders().empty()) << "the folder is this run's now";

  // Saved where the user likes, the project takes its media and pictures.
  project.projectname = "rescued";
  ASSERT_TRUE(WriteProject(project));
  EXPECT_EQ(ReadAll("Projects/rescued/img/spr_runner_1.png").empty(), false);
  EXPECT_EQ(ReadAll("Projects/rescued/aud/jump.wav"), ReadAll("_temp_101112/jump.wav"));
}

TEST_F(RecoveryTest, AutosavesWriteOnlyWhatChangedAndRemoveWhatIsNoLongerNamed) {
  EXPECT_TRUE(FileExists("_temp_101112/.recovery-spr_runner_0.png"));
  killed_.sprites[0].name = "spr_hero";
  for (Frame& frame : killed_.frames) frame.sprite = "spr_hero";
  RecoveryCache cache;
  ASSERT_TRUE(WriteRecovery(TakeRecoverySnapshot(killed_, 1700000060), cache));
  EXPECT_FALSE(FileExists("_temp_101112/.recovery-spr_runner_0.png"));
  // An unchanged picture is not written again.
  WriteAll("_temp_101112/.recovery-spr_hero_1.png", "kept");
  ASSERT_TRUE(WriteRecovery(TakeRecoverySnapshot(killed_, 1700000120), cache));
  EXPECT_EQ(ReadAll("_temp_101112/.recovery-spr_hero_1.png"), "kept");

  RemoveRecovery("_temp_101112");
  EXPECT_TRUE(FindRecoveries().empty());
  EXPECT_FALSE(FileExists("_temp_101112/.recovery-spr_hero_0.png"));
  EXPECT_TRUE(FileExists("_temp_101112/jump.wav")) << "media stay";
}

TEST_F(RecoveryTest, AKillBeforeTheFileIsReplacedLeavesEveryPictureItNames) {
  // The recovery file cannot be replaced (a folder in its way), as when the
  // run is killed before the rename: the old one still finds its pictures.
  ASSERT_EQ(std::rename("_temp_101112/recovery.xml", "old.xml"), 0);
  MakeDirectory("_temp_101112/recovery.xml");
  WriteAll("_temp_101112/recovery.xml/x", "");
  killed_.sprites[0].name = "spr_hero";
  for (Frame& frame : killed_.frames) frame.sprite = "spr_hero";
  RecoveryCache cache;
  EXPECT_FALSE(WriteRecovery(TakeRecoverySnapshot(killed_, 1700000060), cache));
  EXPECT_TRUE(FileExists("_temp_101112/.recovery-spr_runner_0.png"));
  DeleteFile("_temp_101112/recovery.xml/x");
  ASSERT_EQ(rmdir("_temp_101112/recovery.xml"), 0);
  ASSERT_EQ(std::rename("old.xml", "_temp_101112/recovery.xml"), 0);

  // A picture that is gone all the same is named when restoring.
  DeleteFile("_temp_101112/.recovery-spr_runner_1.png");
  Preferences prefs;
  Project project;
  StartNewProject(project, prefs);
  FileReport report;
  ASSERT_TRUE(RestoreRecovery(project, FindRecoveries()[0], &report)) << report.error;
  EXPECT_EQ(report.missing, std::vector<std::string>{"spr_runner_1.png"});
  EXPECT_NE(WarningText(report).find("spr_runner_1.png"), std::string::npos);
  EXPECT_TRUE(project.frames[0].image);
}

TEST_F(RecoveryTest, DiscardingRemovesTheKilledRunsWorkingFolder) {
  DiscardRecovery(FindRecoveries()[0]);
  EXPECT_FALSE(FileExists("_temp_101112"));
  EXPECT_TRUE(LeftoverWorkingFolders().empty());
}

TEST_F(RecoveryTest, NewerDamagedOrStrangeFilesAreRefusedAndChangeNothing) {
  Preferences prefs;
  Project project;
  StartNewProject(project, prefs);
  NewSprite(project);
  const std::string before = ProjectXml(project);
  const std::string body = ReadAll("_temp_101112/recovery.xml");
  const std::string rest = body.substr(body.find('\n') + 1);
  struct Case {
    std::string file, error;
  } cases[] = {
      {"VORLANE RECOVERY 130 1700000000 demo\n" + rest, NewerVersionMessage(130)},
      {"VORLANE RECOVERY 129 1700000000 demo\n<vorlane version=\"129\"><sprites",
       "The recovery file is damaged"},
  };
  for (const Case& c : cases) {
    WriteAll("_temp_101112/recovery.xml", c.file);
    const std::vector<FoundRecovery> found = FindRecoveries();
    ASSERT_EQ(found.size(), 1u);
    FileReport report;
    EXPECT_FALSE(RestoreRecovery(project, found[0], &report));
    EXPECT_NE(report.error.find(c.error), std::string::npos) << report.error;
    EXPECT_EQ(ProjectXml(project), before);
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
  RecoveryCache cache;
  ASSERT_TRUE(WriteRecovery(TakeRecoverySnapshot(killed_, 5), cache));
  ASSERT_EQ(FindRecoveries().size(), 1u);
  EXPECT_EQ(FindRecoveries()[0].name, "50%\nsure");
}

TEST_F(RecoveryTest, TheAutosaverWritesInTheBackgroundAndRemovesOnRequest) {
  RemoveRecovery("_temp_101112");
  {
    Autosaver saver;
    saver.Save(killed_);
    saver.Save(killed_);  // replaces the first while it waits, or follows it
    saver.Wait();
    EXPECT_GE(saver.written(), 1);
    EXPECT_EQ(saver.last_error(), "");
    EXPECT_EQ(FindRecoveries().size(), 1u);
    saver.Remove(killed_.tempfolder);
    EXPECT_TRUE(FindRecoveries().empty());

    // The user goes on editing while the worker writes: each save takes the
    // project as it is then, and the last one is what stays.
    for (int i = 0; i < 20; ++i) {
      killed_.objects.back().name = "obj_edit" + std::to_string(i);
      Image shade = Image::Opaque(16, 16);
      shade.Fill(Color{static_cast<std::uint8_t>(i), 0, 0, 255});
      killed_.frames[0].image = ShareImage(std::move(shade));
      saver.Save(killed_);
    }
    saver.Wait();
    const std::string recovered = ReadAll("_temp_101112/recovery.xml");
    EXPECT_NE(recovered.find("obj_edit19"), std::string::npos);
    EXPECT_EQ(recovered.find("obj_edit18"), std::string::npos);
    saver.Remove(killed_.tempfolder);

    // A working folder that has gone is reported, not created.
    Project gone = killed_;
    gone.tempfolder = "_temp_000000";
    saver.Save(gone);
    saver.Wait();
    EXPECT_NE(saver.last_error(), "");
    EXPECT_FALSE(FileExists("_temp_000000"));
  }
}

}  // namespace
}  // namespace vorlane
