#include "project/lifecycle.h"

#include <gtest/gtest.h>

#include "gui/file_util.h"
#include "support/temp_dir.h"

namespace vorlane {
namespace {

using LifecycleTest = test::InTempDir;

TEST(WorkingFolderTest, NameIsTheTimeOfDay) {
  std::tm t{};
  t.tm_hour = 14;
  t.tm_min = 5;
  t.tm_sec = 3;
  EXPECT_EQ(WorkingFolderName(t), "_temp_140503");
}

TEST_F(LifecycleTest, NewProjectMakesFoldersAndPreferences) {
  Project p;
  Preferences prefs;
  StartNewProject(p, prefs);
  EXPECT_TRUE(IsRegularFile("preferences.dat"));
  EXPECT_TRUE(IsDirectory("Projects"));
  EXPECT_TRUE(IsDirectory("Extensions"));
  ASSERT_TRUE(IsDirectory(p.tempfolder));
  EXPECT_EQ(p.tempfolder.rfind("_temp_", 0), 0u);
  EXPECT_EQ(p.uid, 1);
  EXPECT_EQ(p.imgfolder, "img");

  // A second New in the same second gets its own folder; the old one goes.
  test::WriteAll(p.tempfolder + "/a.wav", "x");
  const std::string first = p.tempfolder;
  NewSprite(p);
  p.projectname = "demo";
  StartNewProject(p, prefs);
  EXPECT_NE(p.tempfolder, first);
  EXPECT_FALSE(FileExists(first));
  EXPECT_TRUE(IsDirectory(p.tempfolder));
  EXPECT_TRUE(p.sprites.empty());
  EXPECT_EQ(p.projectname, "");
  EXPECT_EQ(p.modified, 0);
}

TEST_F(LifecycleTest, OpenReplacesTheProjectOnlyWhenTheReadSucceeds) {
  Project p;
  Preferences prefs;
  StartNewProject(p, prefs);
  NewSprite(p);
  p.projectname = "good";
  test::WriteAll(p.tempfolder + "/boom.wav", "B");
  NewSound(p);
  p.sounds[0].wav = "boom.wav";
  ASSERT_TRUE(WriteProject(p));

  Project open;
  StartNewProject(open, prefs);
  NewScene(open);
  open.modified = 1;
  const std::string before = open.tempfolder;
  test::WriteAll("Projects/broken.xml", "<vorlane");
  FileReport report;
  EXPECT_FALSE(OpenProjectNamed(open, prefs, "broken", &report));
  EXPECT_FALSE(report.error.empty());
  EXPECT_EQ(open.scenes.size(), 1u);
  EXPECT_EQ(open.modified, 1);
  EXPECT_EQ(open.tempfolder, before);
  EXPECT_TRUE(IsDirectory(before));

  test::WriteAll("Projects/newer.xml", "<vorlane version=\"130\"/>");
  EXPECT_FALSE(OpenProjectNamed(open, prefs, "newer", &report));
  EXPECT_EQ(report.error, "This project requires a new program version (v130).");

  ASSERT_TRUE(OpenProjectNamed(open, prefs, "good", &report)) << report.error;
  EXPECT_EQ(open.projectname, "good");
  EXPECT_EQ(open.sprites.size(), 1u);
  EXPECT_TRUE(open.scenes.empty());
  EXPECT_EQ(open.modified, 0);
  EXPECT_FALSE(FileExists(before));
  EXPECT_EQ(test::ReadAll(open.tempfolder + "/boom.wav"), "B");

  FinishSession(open, prefs);
  EXPECT_FALSE(FileExists(open.tempfolder));
}

}  // namespace
}  // namespace vorlane
