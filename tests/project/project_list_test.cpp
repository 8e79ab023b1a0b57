#include "project/project_list.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "gui/file_util.h"
#include "support/temp_dir.h"

namespace vorlane {
namespace {

using ProjectListTest = test::InTempDir;

// Regular ".xml" files with a name, sub-folders not searched; the date a
// project was started; a preview only when its picture is not empty.
TEST_F(ProjectListTest, ListsProjectsWithDateAndPreview) {
  MakeDirectory("Projects");
  MakeDirectory("Projects/folder.xml");
  MakeDirectory("Projects/demo");
  for (const char* file : {"demo.xml", "a.xml.xml", "my.xmlgame.xml", "notes.txt", ".xml",
                           "demo.png", "demo/inner.xml"})
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
}

}  // namespace
}  // namespace vorlane
