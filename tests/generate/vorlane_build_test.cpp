// Runs the vorlane-build program in a temporary program folder, as a script
// or CI job would.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>

#include "generate/emitters.h"
#include "generate/game_page.h"
#include "gui/preferences.h"
#include "gui/file_util.h"
#include "project/project_file.h"
#include "support/sample_project.h"
#include "support/temp_dir.h"

namespace vorlane {
namespace {

namespace fs = std::filesystem;
using test::ReadAll;
using test::WriteAll;

constexpr char kTemplate[] = "V=//VORLANE_VERSION\n//VORLANE_FONTS//VORLANE_SCENES";

// The program is built beside the tests: <build>/tests/generate_tests and
// <build>/src/vorlane-build.
std::string ToolPath() {
  return (fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "src" / "vorlane-build")
      .string();
}

struct ToolRun {
  int status = -1;
  std::string out;
  std::string err;
};

ToolRun RunTool(const std::string& arguments) {
  const std::string command =
      "'" + ToolPath() + "' " + arguments + " >../tool.out 2>../tool.err </dev/null";
  const int raw = std::system(command.c_str());
  ToolRun run;
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = ReadAll("../tool.out");
  run.err = ReadAll("../tool.err");
  return run;
}

// Every file and folder below the current directory with its content.
std::map<std::string, std::string> Snapshot() {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(".")) {
    const std::string path = entry.path().string();
    files[path] = entry.is_directory() ? "<folder>" : ReadAll(path);
  }
  return files;
}

int Lines(const std::string& text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); }

class VorlaneBuildTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(IsRegularFile(ToolPath())) << "build the vorlane-build target: " << ToolPath();
    // The program folder is a sub-folder, so the tool's output files stay out of it.
    fs::create_directory("program folder");
    fs::current_path("program folder");
    WriteAll("export.js", kTemplate);
  }

  // Saves the sample project, with or without its scene, and preferences.
  void SaveDemo(bool with_scene, int generate_index_html = 1) {
    Preferences prefs;
    prefs.GenerateIndexHTML = generate_index_html;
    ASSERT_TRUE(SavePreferences(prefs));
    Project p = test::SampleProject();
    if (!with_scene) p.scenes.clear();
    FileReport report;
    ASSERT_TRUE(WriteProject(p, &report)) << report.error;
  }

  bool HasWorkingFolder() {
    for (const auto& entry : fs::directory_iterator("."))
      if (entry.path().filename().string().rfind("_temp_", 0) == 0) return true;
    return false;
  }

  test::ScopedTempDir dir_;
};

TEST_F(VorlaneBuildTest, BuildsTheGameAndListsTheFiles) {
  SaveDemo(true);
  fs::remove("preferences.dat");  // made afresh when missing
  const ToolRun run = RunTool("demo");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "Projects/demo/index.html\nProjects/demo/game.js\n");
  EXPECT_EQ(run.err, "");
  // The emitters' own bytes for the sample are pinned in emitters_test.
  const Project sample = test::SampleProject();
  EXPECT_EQ(ReadAll("Projects/demo/game.js"),
            "V=v1.2.9\n" + EmitFonts(sample) + EmitScenes(sample));
  EXPECT_EQ(ReadAll("Projects/demo/index.html"), IndexHtml());
  EXPECT_TRUE(IsRegularFile("preferences.dat"));
  EXPECT_FALSE(HasWorkingFolder());
}

TEST_F(VorlaneBuildTest, FollowsThePreferencesAndWarnsAboutAMissingScene) {
  SaveDemo(false, 0);
  WriteAll("Projects/demo/index.html", "my own page");
  const ToolRun run = RunTool("demo");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "Projects/demo/game.js\n");
  EXPECT_EQ(run.err, "vorlane-build: warning: There is no scene added.\n");
  EXPECT_EQ(ReadAll("Projects/demo/index.html"), "my own page");
  EXPECT_NE(ReadAll("Projects/demo/game.js").find("__font_init__(this, fnt_score"),
            std::string::npos);
}

TEST_F(VorlaneBuildTest, ResaveConvertsAnOlderProject) {
  Preferences prefs;
  ASSERT_TRUE(SavePreferences(prefs));
  fs::create_directories("Projects/old");
  // Version 128 kept frame pictures directly in the project folder.
  ASSERT_TRUE(SavePng(Image::Transparent(8, 4), "Projects/old/spr_0.png"));
  WriteAll("Projects/old.xml",
           "<?xml version=\"1.0\" encoding=\"UTF-8\"?><vorlane version=\"128\" uid=\"5\" title=\"\" "
           "advancedscriptmode=\"0\"><functions/><variables/><comments/>"
           "<sprites count=\"1\"><sprite name=\"spr\" collisionshape=\"Box\"/></sprites>"
           "<frames count=\"1\"><frame file=\"0\" sprite=\"spr\"/></frames><sounds count=\"0\"/>"
           "<musics count=\"0\"/><backgrounds count=\"0\"/><fonts count=\"0\"/>"
           "<objects count=\"0\"/><scripts count=\"0\"/><scenes count=\"1\"><scene name=\"r\"/>"
           "</scenes><layers count=\"0\"/><tiles count=\"0\"/></vorlane>");
  WriteAll("export.js", "//VORLANE_SPRITES");

  const ToolRun run = RunTool("--resave old");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "Projects/old.xml\nProjects/old/index.html\nProjects/old/game.js\n");
  EXPECT_EQ(ReadProjectVersion("old"), 129);
  EXPECT_TRUE(IsRegularFile("Projects/old/img/spr_0.png"));
  EXPECT_NE(ReadAll("Projects/old/game.js").find("spr, 8, 4, 0, 0, 'Box'"), std::string::npos);
}

TEST_F(VorlaneBuildTest, FailuresSayWhyInOneLineAndChangeNothing) {
  SaveDemo(true);
  ASSERT_EQ(RunTool("demo").status, 0);

  struct Case {
    std::string arguments;
    std::string message;  // part of the one line on stderr
    std::function<void()> prepare;
  };
  const std::vector<Case> cases = {
      {"missing", "Projects/missing.xml", [] {}},
      {"../demo", "not a project name", [] {}},
      {"\"$(printf 'two\\nlines')\"", "two lines", [] {}},
      {"broken", "damaged", [] { WriteAll("Projects/broken.xml", "<vorlane version=\"129\">"); }},
      {"newer", "This project requires a new program version (v130).",
       [] { WriteAll("Projects/newer.xml", "<vorlane version=\"130\"/>"); }},
      // An output that cannot be replaced: game.js stands as a folder.
      {"demo", "Projects/demo/game.js",
       [] {
         fs::remove("Projects/demo/game.js");
         fs::create_directories("Projects/demo/game.js/keep");
       }},
      // Without the engine template the game would silently be empty.
      {"demo", "export.js",
       [] {
         fs::remove_all("Projects/demo/game.js");
         fs::remove("export.js");
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    c.prepare();
    const auto prepared = Snapshot();
    const ToolRun run = RunTool(c.arguments);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(Lines(run.err), 1) << run.err;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_EQ(Snapshot(), prepared);
  }
}

TEST_F(VorlaneBuildTest, HelpAndWrongArguments) {
  ToolRun run = RunTool("--help");
  EXPECT_EQ(run.status, 0);
  for (const char* word : {"--resave", "export.js", "preferences.dat", "GenerateIndexHTML", "Exit"})
    EXPECT_NE(run.out.find(word), std::string::npos) << word;
  for (const char* arguments : {"", "--fast demo", "a b"}) {
    run = RunTool(arguments);
    EXPECT_EQ(run.status, 2) << arguments;
    EXPECT_EQ(Lines(run.err), 1) << run.err;
  }
  EXPECT_FALSE(FileExists("preferences.dat"));
  EXPECT_FALSE(FileExists("Projects"));
}

}  // namespace
}  // namespace vorlane
