#include "project/lifecycle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>

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

}  // namespace
}  // namespace vorlane
