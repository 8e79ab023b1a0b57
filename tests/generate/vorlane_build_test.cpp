// Runs the vorlane-build program in a temporary program folder, as a script
// or CI job would.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>

#include "gui/preferences.h"
#include "gui/file_util.h"
#include "project/leftovers.h"
#include "project/lifecycle.h"
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

// The number of a process that has ended.
long long GonePid() {
  const pid_t pid = ::fork();
  if (pid == 0) ::_exit(0);
  ::waitpid(pid, nullptr, 0);
  return pid;
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

  bool HasWorkingFolder() {
    for (const auto& entry : fs::directory_iterator("."))
      if (entry.path().filename().string().rfind("_temp_", 0) == 0) return true;
    return false;
  }

  test::ScopedTempDir dir_;
};

// What lands in the files is the game page and project file tests' business;
// here: what the tool prints, its exit status, and that it cleans up.
TEST_F(VorlaneBuildTest, BuildsTheGameAndListsTheFiles) {
  const struct {
    const char* arguments;
    bool with_scene;
    int generate_index_html;  // -1: no preferences.dat, made afresh
    std::string out, err;
    bool huge_frame = false;  // wider than the program loads
  } runs[] = {
      {"demo", true, -1, "Projects/demo/index.html\nProjects/demo/game.js\n", ""},
      // The page is there now and the preferences do not ask for it.
      {"demo", false, 0, "Projects/demo/game.js\n",
       "vorlane-build: warning: There is no scene added.\n"},
      {"--resave demo", true, 0, "Projects/demo.xml\nProjects/demo/game.js\n", ""},
      {"--resave demo", true, 0, "Projects/demo.xml\nProjects/demo/game.js\n",
       "vorlane-build: warning: \"spr_hero_0.png\" was not loaded: it is too large to load; its "
       "file is kept.\n",
       true},
  };
  for (const auto& r : runs) {
    SCOPED_TRACE(r.out);
    Project p = test::SampleProject();
    if (!r.with_scene) p.scenes.clear();
    ASSERT_TRUE(WriteProject(p));
    const std::string frame =
        "Projects/demo/img/" + p.frames[0].sprite + "_" + p.frames[0].file + ".png";
    if (r.huge_frame) ASSERT_TRUE(SavePng(Image::Opaque(16385, 1), frame));
    const std::string frame_bytes = ReadAll(frame);
    Preferences prefs;
    prefs.GenerateIndexHTML = r.generate_index_html;
    if (r.generate_index_html < 0) fs::remove("preferences.dat");
    else ASSERT_TRUE(SavePreferences(prefs));
    const ToolRun run = RunTool(r.arguments);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, r.out);
    EXPECT_EQ(run.err, r.err);
    EXPECT_EQ(ReadAll("Projects/demo/game.js").rfind("V=v1.2.9\n", 0), 0u);
    EXPECT_TRUE(IsRegularFile("preferences.dat"));
    EXPECT_FALSE(HasWorkingFolder());
    EXPECT_EQ(ReadAll(frame), frame_bytes);
  }
}

TEST_F(VorlaneBuildTest, FailuresSayWhyInOneLineAndChangeNothing) {
  Project p = test::SampleProject();
  ASSERT_TRUE(WriteProject(p));
  ASSERT_EQ(RunTool("demo").status, 0);

  struct Case {
    std::string arguments;
    int status;
    std::string message;  // part of the one line on stderr
    std::function<void()> prepare;
  };
  const std::vector<Case> cases = {
      {"", 2, "no project name given", [] {}},
      {"--fast demo", 2, "unknown option \"--fast\"", [] {}},
      {"a b", 2, "only one project name", [] {}},
      {"missing", 1, "Projects/missing.xml", [] {}},
      {"../demo", 1, "not a project name", [] {}},
      {"\"$(printf 'two\\nlines')\"", 1, "two lines", [] {}},
      {"broken", 1, "damaged",
       [] { WriteAll("Projects/broken.xml", "<vorlane version=\"129\">"); }},
      {"newer", 1, "This project requires a new program version (v130).",
       [] { WriteAll("Projects/newer.xml", "<vorlane version=\"130\"/>"); }},
      // A name from an older version that JavaScript cannot take.
      {"old", 1, "The object name 'my hero' cannot be used",
       [] {
         Project old = test::SampleProject();
         old.projectname = "old";
         old.objects[0].name = "my hero";
         EXPECT_TRUE(WriteProject(old));
       }},
      // An output that cannot be replaced: game.js stands as a folder.
      {"demo", 1, "Projects/demo/game.js",
       [] {
         fs::remove("Projects/demo/game.js");
         fs::create_directories("Projects/demo/game.js/keep");
       }},
      // Without the engine template the game would silently be empty.
      {"demo", 1, "export.js",
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
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(Lines(run.err), 1) << run.err;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_EQ(Snapshot(), prepared);
  }
}

// Each run may follow one that was killed, and run beside a program that is
// working in the same folder (here: this test's own session).
TEST_F(VorlaneBuildTest, RemovesWhatKilledRunsLeftButNothingInUse) {
  Project p = test::SampleProject();
  ASSERT_TRUE(WriteProject(p));
  Project running;
  Preferences prefs;
  StartNewProject(running, prefs);
  ProcessStamp killed = ThisProcess();
  killed.pid = GonePid();
  const std::string partial =
      "Projects/demo/img/.vorlane-save-" + std::to_string(killed.pid) + "-0";
  const std::string mine = "Projects/.vorlane-save-" + std::to_string(::getpid()) + "-0";
  WriteAll(partial, "half a frame");
  WriteAll(mine, "being written");
  for (const char* folder : {"_temp_101010", "_temp_111111"}) {
    fs::create_directory(folder);
    WriteAll(OwnerMarkerPath(folder), OwnerMarkerText(killed));
  }
  WriteAll("_temp_111111/jump.wav", "never saved");

  const ToolRun run = RunTool("demo");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_FALSE(FileExists(partial));
  EXPECT_FALSE(FileExists("_temp_101010"));
  EXPECT_EQ(ReadAll("_temp_111111/jump.wav"), "never saved");
  EXPECT_EQ(ReadAll(mine), "being written");
  EXPECT_TRUE(IsDirectory(running.tempfolder));
  FinishSession(running, prefs);
}

TEST_F(VorlaneBuildTest, HelpNamesWhatTheToolReads) {
  const ToolRun run = RunTool("--help");
  EXPECT_EQ(run.status, 0);
  for (const char* word : {"--resave", "export.js", "preferences.dat", "GenerateIndexHTML", "Exit"})
    EXPECT_NE(run.out.find(word), std::string::npos) << word;
  EXPECT_FALSE(FileExists("preferences.dat"));
}

}  // namespace
}  // namespace vorlane
