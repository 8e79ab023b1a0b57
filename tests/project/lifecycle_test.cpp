#include "project/lifecycle.h"

#include <gtest/gtest.h>

#include <ctime>

#include "gui/file_util.h"
#include "project/leftovers.h"
#include "support/sample_project.h"
#include "support/temp_dir.h"

namespace vorlane {
namespace {

using LifecycleTest = test::InTempDir;

TEST_F(LifecycleTest, NewProjectMakesFoldersAndPreferences) {
  std::tm t{};
  t.tm_hour = 14, t.tm_min = 5, t.tm_sec = 3;
  EXPECT_EQ(WorkingFolderName(t), "_temp_140503");

  Project p = test::SampleProject();
  Preferences prefs;
  StartNewProject(p, prefs);
  EXPECT_TRUE(IsRegularFile("preferences.dat"));
  EXPECT_TRUE(IsDirectory("Projects") && IsDirectory("Extensions"));
  EXPECT_EQ(p.tempfolder.rfind("_temp_", 0), 0u);
  EXPECT_EQ(ProjectXml(p), ProjectXml(Project{}));  // the sample is gone
  EXPECT_EQ(p.projectname, "");

  // A second New in the same second gets its own folder; the old one goes.
  test::WriteAll(p.tempfolder + "/a.wav", "x");
  const std::string first = p.tempfolder;
  NewSprite(p);
  StartNewProject(p, prefs);
  EXPECT_NE(p.tempfolder, first);
  EXPECT_FALSE(FileExists(first));
  EXPECT_FALSE(FileExists(OwnerMarkerPath(first)));
  EXPECT_TRUE(IsDirectory(p.tempfolder));
  EXPECT_EQ(p.modified, 0);
}

// A name taken this second gets "_2", the first number free.
TEST_F(LifecycleTest, ATakenNameGetsTheFirstFreeNumber) {
  for (;;) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    const std::string taken = WorkingFolderName(*localtime_r(&now, &local));
    MakeDirectory(taken);
    const std::string name = NewWorkingFolderName("");
    if (name.starts_with(taken)) {  // not past the second meanwhile
      EXPECT_EQ(name, taken + "_2");
      break;
    }
  }
}

TEST_F(LifecycleTest, OpenReplacesTheProjectOnlyWhenTheReadSucceeds) {
  Preferences prefs;
  Project open;
  StartNewProject(open, prefs);
  NewScene(open);
  Project saved = test::SampleProject();
  saved.tempfolder = "media";
  MakeDirectory("media");
  test::WriteSampleMedia("media");
  ASSERT_TRUE(WriteProject(saved));
  test::WriteAll("Projects/broken.xml", "<vorlane");
  test::WriteAll("Projects/newer.xml", "<vorlane version=\"130\"/>");

  const std::string before = open.tempfolder;
  FileReport report;
  EXPECT_FALSE(OpenProjectNamed(open, prefs, "broken", &report));
  EXPECT_FALSE(report.error.empty());
  EXPECT_FALSE(OpenProjectNamed(open, prefs, "newer", &report));
  EXPECT_EQ(report.error, "This project requires a new program version (v130).");
  EXPECT_EQ(open.scenes.size(), 1u);
  EXPECT_EQ(open.tempfolder, before);
  EXPECT_TRUE(IsDirectory(before));

  // What the read gives is the project file test's; here: it went into a
  // fresh working folder, which replaced the old one.
  ASSERT_TRUE(OpenProjectNamed(open, prefs, "demo", &report)) << report.error;
  EXPECT_EQ(open.projectname, "demo");
  EXPECT_FALSE(FileExists(before));
  EXPECT_EQ(test::ReadAll(open.tempfolder + "/jump.wav"), "wav bytes");
  FinishSession(open, prefs);
  EXPECT_FALSE(FileExists(open.tempfolder));
}

}  // namespace
}  // namespace vorlane
