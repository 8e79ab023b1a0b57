// Runs the vorlane-build program in a temporary program folder, as a script
// or CI job would. Most runs are in golden/vorlane_build.txt: each with what
// the tool printed, its exit status and the files it changed, compared byte
// for byte (VORLANE_UPDATE_GOLDEN=1 rewrites the results below each run).
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <map>
#include <sstream>

#include "gui/file_util.h"
#include "gui/preferences.h"
#include "project/project_file.h"
#include "support/golden.h"
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

  test::ScopedTempDir dir_;
};

// The files a run added or changed, and those it removed (-).
std::string Changes(const std::map<std::string, std::string>& before,
                    const std::map<std::string, std::string>& after) {
  std::string list;
  for (const auto& [path, bytes] : after)
    if (!before.count(path) || before.at(path) != bytes) list += " " + path.substr(2);
  for (const auto& [path, bytes] : before)
    if (!after.count(path)) list += " -" + path.substr(2);
  return list.empty() ? " nothing" : list;
}

// A `%` line of the transcript: sets up the program folder before a run, or
// shows the first line of a file.
void Prepare(const std::string& line, std::string& transcript) {
  std::istringstream in(line);
  std::string verb, path, text;
  in >> verb >> path;
  std::getline(in >> std::ws, text);
  for (size_t at; (at = text.find("\\n")) != std::string::npos;) text.replace(at, 2, "\n");
  if (verb == "sample" || verb == "sample-without-scenes" || verb == "sample-broken") {
    // [NAME [OBJECT NAME]]; broken: two scripts that do not parse
    Project p = test::SampleProject();
    if (!path.empty()) p.projectname = path;
    if (!text.empty()) p.objects[0].name = text;
    if (verb == "sample-without-scenes") p.scenes.clear();
    if (verb == "sample-broken") p.scripts[2].code = p.fns[0].code = "x += ;";
    EXPECT_TRUE(WriteProject(p));
  } else if (verb == "prefs") {  // GenerateIndexHTML
    Preferences prefs;
    prefs.GenerateIndexHTML = std::stoi(path);
    EXPECT_TRUE(SavePreferences(prefs));
  } else if (verb == "write" || verb == "append") {
    WriteAll(path, (verb == "append" ? ReadAll(path) : "") + text);
  } else if (verb == "rm") {
    fs::remove_all(path);
  } else if (verb == "mkdir") {
    fs::create_directories(path);
  } else if (verb == "mv") {
    fs::rename(path, text);
  } else if (verb == "media") {  // the sample's media files
    test::WriteSampleMedia(path);
  } else if (verb == "huge-frame") {  // wider than the program loads
    EXPECT_TRUE(SavePng(Image::Opaque(16385, 1), path));
  } else if (verb == "head") {
    const std::string bytes = ReadAll(path);
    transcript += "= " + bytes.substr(0, bytes.find('\n')) + "\n";
  } else {
    ADD_FAILURE() << "unknown: % " << line;
  }
}

TEST_F(VorlaneBuildTest, RunsAsTheTranscriptSays) {
  std::istringstream script(ReadAll(VORLANE_GOLDEN_DIR "/vorlane_build.txt"));
  std::string transcript, line;
  while (std::getline(script, line)) {
    if (!line.empty() && (line[0] == '>' || line[0] == '!' || line[0] == '=')) continue;
    transcript += line + "\n";
    if (line.rfind("% ", 0) == 0) Prepare(line.substr(2), transcript);
    if (line.rfind("$ ", 0) != 0) continue;
    const auto before = Snapshot();
    const ToolRun run = RunTool(line.substr(2));
    for (const auto& [mark, text] : {std::pair{"> ", run.out}, {"! ", run.err}}) {
      std::istringstream lines(text);
      for (std::string printed; std::getline(lines, printed);) transcript += mark + printed + "\n";
    }
    transcript +=
        "= exit " + std::to_string(run.status) + ", changed:" + Changes(before, Snapshot()) + "\n";
  }
  test::ExpectGolden("vorlane_build.txt", transcript);
}

// What a killed run left is removed (which leftovers count is the project
// tests' business), but not what this running session is writing.
TEST_F(VorlaneBuildTest, RemovesWhatKilledRunsLeftButNothingInUse) {
  Project p = test::SampleProject();
  ASSERT_TRUE(WriteProject(p));
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
      {"demo", {"."}, {"The program folder"}},
      {"--resave demo",
       {".", "Projects/demo", "Projects/demo/img"},
       {"The program folder", "\"Projects/demo/\" cannot be written",
        "\"Projects/demo/img/\" cannot"}},
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
