#include "project/project_list.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "gui/file_util.h"
#include "support/temp_dir.h"

namespace vorlane {
namespace {

using ProjectListTest = test::InTempDir;

TEST_F(ProjectListTest, ListsTheXmlFilesOfProjects) {
  MakeDirectory("Projects");
  MakeDirectory("Projects/folder.xml");  // not a regular file
  MakeDirectory("Projects/platformer");
  for (const char* file : {"platformer.xml", "a.xml.xml", "my.xmlgame.xml", "notes.txt",
                           ".xml" /* no name left */, "platformer.png",
                           "platformer/inner.xml" /* sub-folders are not searched */})
    test::WriteAll(std::string("Projects/") + file, "<vorlane/>");
  auto names = RefreshProjectList();
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"a", "mygame", "platformer"}));
  EXPECT_TRUE(RefreshProjectList("Missing").empty());
}

TEST_F(ProjectListTest, StartedDateAndPreview) {
  std::tm t{};
  t.tm_year = 112, t.tm_mon = 4, t.tm_mday = 31, t.tm_hour = 18, t.tm_min = 7;
  EXPECT_EQ(ProjectStartedText(t), "Project started: 2012-05-31 18:07");
  MakeDirectory("Projects");
  test::WriteAll("Projects/demo.xml", "<vorlane/>");
  EXPECT_EQ(ProjectStartedText("demo").size(), ProjectStartedText(t).size());
  EXPECT_EQ(ProjectStartedText("missing"), "");

  EXPECT_EQ(ProjectPreviewPath("demo"), "");
  test::WriteAll("Projects/demo.png", "");
  EXPECT_EQ(ProjectPreviewPath("demo"), "") << "an empty picture counts as none";
  test::WriteAll("Projects/demo.png", "x");
  EXPECT_EQ(ProjectPreviewPath("demo"), "Projects/demo.png");
}

}  // namespace
}  // namespace vorlane
