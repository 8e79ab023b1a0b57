#include "generate/run_game.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <thread>

#include "gui/file_util.h"
#include "support/temp_dir.h"

namespace vorlane {
namespace {

using RunGameTest = test::InTempDir;

void WriteProgram(const std::string& path, const std::string& script, mode_t mode = 0755) {
  test::WriteAll(path, script);
  chmod(path.c_str(), mode);
}

TEST_F(RunGameTest, PageAndAddress) {
  for (const char* folder : {"/home/user/app/", "/home/user/app"})
    EXPECT_EQ(GamePagePath(folder, "game1"), "/home/user/app/Projects/game1/index.html");
  EXPECT_EQ(GamePageAddress("/a/index.html", 1), "file:///a/index.html");
  EXPECT_EQ(GamePageAddress("/a b/index.html", 0), "/a b/index.html");
  // A page is ready when it is there and not empty.
  const std::string page = GamePagePath(WorkingDirectory(), "g");
  EXPECT_FALSE(GamePageReady(page));
  MakeDirectory("Projects");
  MakeDirectory("Projects/g");
  test::WriteAll("Projects/g/index.html", "");
  EXPECT_FALSE(GamePageReady(page));
  test::WriteAll("Projects/g/index.html", "<html>");
  EXPECT_TRUE(GamePageReady(page));
}

// The first executable, non-empty, non-folder file of that name on the PATH.
TEST_F(RunGameTest, PathSearchTakesTheFirstUsableProgram) {
  const std::string here = WorkingDirectory();
  for (const char* dir : {"empty", "noexec", "folder", "good", "later"}) MakeDirectory(dir);
  WriteProgram("empty/x-www-browser", "");
  WriteProgram("noexec/x-www-browser", "#!/bin/sh\n", 0644);
  MakeDirectory("folder/x-www-browser");
  WriteProgram("good/x-www-browser", "#!/bin/sh\n");
  WriteProgram("later/x-www-browser", "#!/bin/sh\n");
  const std::string list = "::" + here + "empty:" + here + "noexec:" + here + "folder:" + here +
                           "good:" + here + "later";
  EXPECT_EQ(FindInPath("x-www-browser", list), here + "good/x-www-browser");
  for (const std::string& path : {std::string(), here + "empty", here + "noexec", here + "folder"})
    EXPECT_EQ(FindInPath("x-www-browser", path), "") << path;
  EXPECT_EQ(FindInPath("../good/x-www-browser", here + "empty"), "") << "names only";
}

TEST_F(RunGameTest, BrowserFallsBackToTheDesktopOpener) {
  const std::string here = WorkingDirectory();
  MakeDirectory("both");
  MakeDirectory("opener");
  for (const char* program : {"both/x-www-browser", "both/xdg-open", "opener/xdg-open"})
    WriteProgram(program, "#!/bin/sh\n");
  const struct {
    std::string folder;
    bool starts;  // what starting a program gives
    bool opened;
    std::vector<std::string> started;
  } cases[] = {
      {"both", true, true, {here + "both/x-www-browser /a b/index.html"}},
      {"opener", true, true, {here + "opener/xdg-open /a b/index.html"}},
      // A browser that cannot start hands over to the opener.
      {"both",
       false,
       false,
       {here + "both/x-www-browser /a b/index.html", here + "both/xdg-open /a b/index.html"}},
      {"nowhere", true, false, {}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> started;
    const auto launch = [&](const std::string& program, const std::string& argument) {
      started.push_back(program + " " + argument);
      return c.starts;
    };
    EXPECT_EQ(OpenInWebBrowser("/a b/index.html", here + c.folder, launch), c.opened) << c.folder;
    EXPECT_EQ(started, c.started) << c.folder;
  }
  EXPECT_NE(NoBrowserMessage("page").find("page"), std::string::npos);
}

TEST_F(RunGameTest, StartsTheProgramDetachedWithOneArgument) {
  const std::string here = WorkingDirectory();
  WriteProgram("browser", "#!/bin/sh\nprintf '%s' \"$#:$1\" > \"" + here + "part\" && mv \"" +
                              here + "part\" \"" + here + "started.txt\"\n");
  ASSERT_TRUE(StartDetached(here + "browser", "/path with blanks/index.html"));
  std::string got;
  // Waits for the program's answer; the bound only stops a broken start.
  for (int i = 0; i < 3000 && !ReadFile("started.txt", &got); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_EQ(got, "1:/path with blanks/index.html");
  EXPECT_FALSE(StartDetached(here + "missing-program", "x"));
}

}  // namespace
}  // namespace vorlane
