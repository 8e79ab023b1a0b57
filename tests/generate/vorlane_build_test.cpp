// Runs the vorlane-build program in a temporary program folder, as a script
// or CI job would.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>

#include "gui/file_util.h"
#include "gui/preferences.h"
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

// `as` runs the tool through a command such as setpriv.
ToolRun RunTool(const std::string& arguments, const std::string& as = "") {
  const int raw = std::system(
      (as + "'" + ToolPath() + "' " + arguments + " >../tool.out 2>../tool.err </dev/null")
          .c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadAll("../tool.out"), ReadAll("../tool.err")};
}

// Every file and folder below the current directory with its content.
std::map<std::string, std::string> Snapshot() {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator("."))
    files[entry.path().string()] =
        entry.is_directory() ? "<folder>" : ReadAll(entry.path().string());
  return files;
}

int Lines(const std::string& text) {
  return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

class VorlaneBuildTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(IsRegularFile(ToolPath())) << "build the vorlane-build target: " << ToolPath();
    // The program folder is a sub-folder, so the tool's output files stay out of it.
    fs::create_directory("program folder");
    fs::current_path("program folder");
    WriteAll("export.js", kTemplate);
  }

  void SaveSample() {
    Project p = test::SampleProject();
    ASSERT_TRUE(WriteProject(p));
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
  const std::string both = "Projects/demo/index.html\nProjects/demo/game.js\n";
  const std::string resaved = "Projects/demo.xml\nProjects/demo/game.js\n";
  const struct {
    const char* arguments;
    bool with_scene;
    int generate_index_html;  // -1: no preferences.dat, made afresh
    std::string out, err;
    bool huge_frame = false;  // wider than the program loads
  } runs[] = {
      {"demo", true, -1, both, ""},
      // The page is there now and the preferences do not ask for it.
      {"demo", false, 0, "Projects/demo/game.js\n",
       "vorlane-build: warning: There is no scene added.\n"},
      {"--resave demo", true, 0, resaved, ""},
      {"--resave demo", true, 0, resaved,
       "vorlane-build: warning: \"spr_hero_0.png\" was not loaded: it is too large to load; its "
       "file is kept.\n",
       true},
  };
  for (const auto& r : runs) {
    SCOPED_TRACE(r.out);
    Project p = test::SampleProject();
    if (!r.with_scene) p.scenes.clear();
    ASSERT_TRUE(WriteProject(p));
    const std::string frame = "Projects/demo/img/spr_hero_0.png";
    if (r.huge_frame) ASSERT_TRUE(SavePng(Image::Opaque(16385, 1), frame));
    const std::string frame_bytes = ReadAll(frame);
    Preferences prefs;
    prefs.GenerateIndexHTML = r.generate_index_html;
    if (r.generate_index_html < 0)
      fs::remove("preferences.dat");
    else
      ASSERT_TRUE(SavePreferences(prefs));
    const ToolRun run = RunTool(r.arguments);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, r.out);
    EXPECT_EQ(run.err, r.err);
    EXPECT_EQ(ReadAll("Projects/demo/game.js").rfind("V=v1.2.9\n", 0), 0u);
    EXPECT_TRUE(IsRegularFile("preferences.dat") && !HasWorkingFolder());
    EXPECT_EQ(ReadAll(frame), frame_bytes);
  }
  // The help names what the tool reads, and reads and writes nothing.
  fs::remove("preferences.dat");
  const ToolRun run = RunTool("--help");
  EXPECT_EQ(run.status, 0);
  for (const char* word : {"--resave", "export.js", "preferences.dat", "GenerateIndexHTML", "Exit",
                           "Projects/NAME.xml and the files in Projects/NAME/ are as"})
    EXPECT_NE(run.out.find(word), std::string::npos) << word;
  EXPECT_FALSE(FileExists("preferences.dat"));
}

// Each failure is one line on stderr, and everything stays as it was.
TEST_F(VorlaneBuildTest, FailuresSayWhyInOneLineAndChangeNothing) {
  SaveSample();
  ASSERT_EQ(RunTool("demo").status, 0);
  const auto project = [](const std::string& name, const std::string& object) {
    Project p = test::SampleProject();
    p.projectname = name;
    p.objects[0].name = object;
    EXPECT_TRUE(WriteProject(p));
  };
  const struct {
    std::string arguments;
    int status;
    std::string message;  // part of the one line on stderr
    std::function<void()> prepare;
  } cases[] = {
      {"", 2, "no project name given", {}},
      {"--fast demo", 2, "unknown option \"--fast\"", {}},
      {"a b", 2, "only one project name", {}},
      {"--export", 2, "--export needs the zip file to write", {}},
      {"--export nowhere/game.zip demo", 1, "The folder \"nowhere\" does not exist", {}},
      {"missing", 1, "Projects/missing.xml", {}},
      {"../demo", 1, "not a project name", {}},
      {"\"$(printf 'two\\nlines')\"", 1, "two lines", {}},
      {"broken", 1, "damaged",
       [] { WriteAll("Projects/broken.xml", "<vorlane version=\"129\">"); }},
      {"newer", 1, "This project requires a new program version (v130).",
       [] { WriteAll("Projects/newer.xml", "<vorlane version=\"130\"/>"); }},
      // A name from an older version that JavaScript cannot take, refused
      // before the project file would be written back.
      {"old", 1, "The object name 'my hero' is not a valid name",
       [&] { project("old", "my hero"); }},
      {"--resave old", 1, "The object name 'my hero' is not a valid name",
       [] { WriteAll("Projects/old.xml", ReadAll("Projects/old.xml") + "\n\n"); }},
      // A name the engine template declares for itself.
      {"taken", 1, "The object name 'lives' is already used by the game engine",
       [&] {
         WriteAll("export.js", std::string(kTemplate) + "\nvar lives = 3;");
         project("taken", "lives");
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
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    if (c.prepare) c.prepare();
    const auto prepared = Snapshot();
    const ToolRun run = RunTool(c.arguments);
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(Lines(run.err), 1) << run.err;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_EQ(Snapshot(), prepared);
  }
}

TEST_F(VorlaneBuildTest, ExportWritesTheZipOnlyWhenEveryFileIsThere) {
  SaveSample();  // without its tile set and sounds
  ToolRun run = RunTool("--export game.zip demo");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "Projects/demo/index.html\nProjects/demo/game.js\n");
  EXPECT_NE(run.err.find("\"Projects/demo/img/tiles.png\" the game needs is missing"),
            std::string::npos)
      << run.err;
  EXPECT_FALSE(FileExists("game.zip"));

  test::WriteSampleMedia("Projects/demo/aud");
  fs::rename("Projects/demo/aud/tiles.png", "Projects/demo/img/tiles.png");
  run = RunTool("--export game.zip demo");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "Projects/demo/index.html\nProjects/demo/game.js\ngame.zip\n");
  EXPECT_GT(FileSize("game.zip"), 0);
  EXPECT_FALSE(HasWorkingFolder());
}

// What a killed run left is removed (which leftovers count is the project
// tests' business), but not what this running session is writing.
TEST_F(VorlaneBuildTest, RemovesWhatKilledRunsLeftButNothingInUse) {
  SaveSample();
  const pid_t gone = ::fork();  // the number of a process that has ended
  if (gone == 0) ::_exit(0);
  ::waitpid(gone, nullptr, 0);
  const std::string partial = "Projects/demo/img/.vorlane-save-" + std::to_string(gone) + "-0";
  const std::string mine = "Projects/.vorlane-save-" + std::to_string(::getpid()) + "-0";
  WriteAll(partial, "half a frame");
  WriteAll(mine, "being written");
  const ToolRun run = RunTool("demo");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_FALSE(FileExists(partial));
  EXPECT_EQ(ReadAll(mine), "being written");
}

// As root every folder is writable, so the tool runs as another user.
TEST_F(VorlaneBuildTest, UnwritableFoldersAreReportedBeforeAnythingIsWritten) {
  if (::getuid() != 0) GTEST_SKIP() << "needs root to run the tool as user 65534";
  const std::string as_nobody = "setpriv --reuid=65534 --regid=65534 --clear-groups ";
  Project p = test::SampleProject();
  ASSERT_TRUE(WriteProject(p));
  ASSERT_EQ(RunTool("demo").status, 0);
  // As an older version saved it: a resave would change it.
  WriteAll("Projects/demo.xml", ReadAll("Projects/demo.xml") + "\n\n");
  fs::permissions(dir_.path(), fs::perms::owner_all | fs::perms::group_read |
                                   fs::perms::group_exec | fs::perms::others_read |
                                   fs::perms::others_exec);
  ::lchown(".", 65534, 65534);
  for (const auto& entry : fs::recursive_directory_iterator("."))
    ::lchown(entry.path().c_str(), 65534, 65534);
  struct stat owner {};
  if (::stat(".", &owner) != 0 || owner.st_uid != 65534 || RunTool("--help", as_nobody).status != 0)
    GTEST_SKIP() << "the tool cannot be run as user 65534 here";

  const struct {
    std::string arguments;
    std::vector<std::string> read_only;
    std::vector<std::string> messages;  // one line each
  } cases[] = {
      {"--resave demo", {"Projects/demo"}, {"\"Projects/demo/\" cannot be written"}},
      {"demo", {"."}, {"The program folder"}},
      {"--resave demo",
       {".", "Projects/demo", "Projects/demo/img"},
       {"The program folder", "\"Projects/demo/\" cannot", "\"Projects/demo/img/\" cannot"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.messages.back());
    for (const std::string& folder : c.read_only)
      fs::permissions(folder, fs::perms::owner_write, fs::perm_options::remove);
    const auto prepared = Snapshot();
    const ToolRun run = RunTool(c.arguments, as_nobody);
    for (const std::string& folder : c.read_only)
      fs::permissions(folder, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(Lines(run.err), static_cast<int>(c.messages.size())) << run.err;
    for (const std::string& message : c.messages)
      EXPECT_NE(run.err.find(message), std::string::npos) << message << " in " << run.err;
    EXPECT_EQ(Snapshot(), prepared);
  }

  // A write the checks cannot foresee: game.js belongs to another user in a
  // shared folder. What was written before is listed.
  ::lchown("Projects/demo", 0, 0);
  ::lchown("Projects/demo/game.js", 0, 0);
  ::chmod("Projects/demo", 01777);
  const std::string game = ReadAll("Projects/demo/game.js");
  const ToolRun run = RunTool("demo", as_nobody);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "Projects/demo/index.html\n");
  EXPECT_EQ(Lines(run.err), 1) << run.err;
  EXPECT_NE(run.err.find("Projects/demo/game.js"), std::string::npos) << run.err;
  EXPECT_EQ(ReadAll("Projects/demo/game.js"), game);
}

// The disk fills up after the checks: what could not be written is said.
TEST_F(VorlaneBuildTest, AFullDiskIsReported) {
  if (::getuid() != 0) GTEST_SKIP() << "needs root to mount a small file system";
  fs::create_directory("full");
  if (::mount("tmpfs", "full", "tmpfs", 0, "size=1m") != 0)
    GTEST_SKIP() << "cannot mount a tmpfs here: " << std::strerror(errno);
  struct Unmount {
    ~Unmount() { ::umount2(path.c_str(), MNT_DETACH); }
    std::string path;
  } unmount{fs::absolute("full").string()};
  fs::current_path("full");
  WriteAll("export.js", kTemplate);
  Project p = test::SampleProject();
  ASSERT_TRUE(WriteProject(p));
  ASSERT_EQ(RunTool("demo").status, 0);
  {
    const int fd = ::open("filler", O_WRONLY | O_CREAT, 0644);
    const std::string block(4096, 'x');
    for (size_t size : {block.size(), size_t{1}})
      while (::write(fd, block.data(), size) > 0) {
      }
    ::close(fd);
  }
  const auto prepared = Snapshot();
  const ToolRun run = RunTool("demo");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(Lines(run.err), 2) << run.err;
  EXPECT_NE(run.err.find("working folder"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("preferences.dat could not be written"), std::string::npos) << run.err;
  EXPECT_EQ(Snapshot(), prepared);
  fs::current_path("..");
}

}  // namespace
}  // namespace vorlane
