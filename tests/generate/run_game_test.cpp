// Finding the game's page and a program to open it with.
#include "generate/run_game.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "gui/file_util.h"
#include "support/temp_dir.h"

namespace vorlane {
namespace {

using RunGameTest = test::InTempDir;

void WriteProgram(const std::string& path, const std::string& script, mode_t mode = 0755) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  test::WriteAll(path, script);
  chmod(path.c_str(), mode);
}

// A page is ready when it is there and not empty.
TEST_F(RunGameTest, PageAndAddress) {
  EXPECT_EQ(GamePagePath("/app", "g"), "/app/Projects/g/index.html");
  EXPECT_EQ(GamePagePath("/app/", "g"), "/app/Projects/g/index.html");
  EXPECT_EQ(GamePageAddress("/a/index.html", 1), "file:///a/index.html");
  EXPECT_EQ(GamePageAddress("/a b/index.html", 0), "/a b/index.html");
  const std::string page = GamePagePath(WorkingDirectory(), "g");
  for (const char* bytes : {"", "<html>"}) {
    EXPECT_FALSE(GamePageReady(page));
    WriteProgram("Projects/g/index.html", bytes, 0644);
  }
  EXPECT_TRUE(GamePageReady(page));
}

// The first executable, non-empty, non-folder file of that name on the PATH;
// a browser that cannot start hands over to the desktop opener.
TEST_F(RunGameTest, BrowserIsTheFirstUsableProgramOnThePathThenTheOpener) {
  const std::string here = WorkingDirectory();
  WriteProgram("empty/x-www-browser", "");
  WriteProgram("noexec/x-www-browser", "#!/bin/sh\n", 0644);
  MakeDirectory("folder");
  MakeDirectory("folder/x-www-browser");
  for (const char* program : {"good/x-www-browser", "good/xdg-open", "opener/xdg-open"})
    WriteProgram(program, "#!/bin/sh\n");
  const std::string list =
      "::" + here + "empty:" + here + "noexec:" + here + "folder:" + here + "good";
  EXPECT_EQ(FindInPath("x-www-browser", list + ":" + here + "opener"), here + "good/x-www-browser");
  for (const std::string& path : {std::string(), here + "empty", here + "noexec", here + "folder"})
    EXPECT_EQ(FindInPath("x-www-browser", path), "") << path;
  EXPECT_EQ(FindInPath("../good/x-www-browser", here + "empty"), "") << "names only";
  const struct {
    std::string folder;
    bool starts;  // what starting a program gives
    std::vector<std::string> started;
  } cases[] = {
      {"good", true, {"good/x-www-browser"}},
      {"opener", true, {"opener/xdg-open"}},
      {"good", false, {"good/x-www-browser", "good/xdg-open"}},
      {"nowhere", true, {}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> started;
    const auto launch = [&](const std::string& program, const std::string& argument) {
      started.push_back(program.substr(here.size()));
      EXPECT_EQ(argument, "/a b/index.html");
      return c.starts;
    };
    const bool opened = OpenInWebBrowser("/a b/index.html", here + c.folder, launch);
    EXPECT_EQ(opened, c.starts && !started.empty()) << c.folder;
    EXPECT_EQ(started, c.started) << c.folder;
  }
  EXPECT_NE(NoBrowserMessage("page").find("page"), std::string::npos);
}

}  // namespace
}  // namespace vorlane
