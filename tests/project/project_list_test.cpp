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
  test::WriteAll("Projects/platformer.xml", "<vorlane/>");
  test::WriteAll("Projects/a.xml.xml", "<vorlane/>");
  test::WriteAll("Projects/my.xmlgame.xml", "<vorlane/>");
  test::WriteAll("Projects/notes.txt", "x");
  test::WriteAll("Projects/.xml", "x");  // no name left
  test::WriteAll("Projects/platformer.png", "x");
  MakeDirectory("Projects/folder.xml");  // not a regular file
  MakeDirectory("Projects/platformer");
  test::WriteAll("Projects/platformer/inner.xml", "x");  // sub-folders are not searched

  auto names = RefreshProjectList();
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"a", "mygame", "platformer"}));
  EXPECT_TRUE(RefreshProjectList("Missing").empty());
}

TEST_F(ProjectListTest, StartedDateAndPreview) {
  std::tm t{};
  t.tm_year = 112;
  t.tm_mon = 4;
  t.tm_mday = 31;
  t.tm_hour = 18;
  t.tm_min = 7;
  EXPECT_EQ(ProjectStartedText(t), "Project started: 2012-05-31 18:07");

  MakeDirectory("Projects");
  test::WriteAll("Projects/demo.xml", "<vorlane/>");
  const std::string text = ProjectStartedText("demo");
  ASSERT_EQ(text.size(), std::string("Project started: 2012-05-31 18:07").size());
  EXPECT_EQ(text.rfind("Project started: 20", 0), 0u);
  EXPECT_EQ(ProjectStartedText("missing"), "");

  EXPECT_EQ(ProjectPreviewPath("demo"), "");
  test::WriteAll("Projects/demo.png", "");
  EXPECT_EQ(ProjectPreviewPath("demo"), "") << "an empty picture counts as none";
  test::WriteAll("Projects/demo.png", "x");
  EXPECT_EQ(ProjectPreviewPath("demo"), "Projects/demo.png");
}

}  // namespace
}  // namespace vorlane
