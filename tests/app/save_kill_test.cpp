// The Save command killed at a random moment: whatever moment it dies at,
// the program folder holds the project as it was or as it was being saved,
// never a torn file or a missing picture, and what the killed run left
// behind is gone once the program starts again and saves.
//
// The moment of each kill is random; every outcome has to pass. CTest runs a
// few trials on a small project. By hand, for the benchmarks' full project:
//   VORLANE_KILL_TRIALS=100 VORLANE_KILL_SCALE=1 build/tests/app_tests
//       --gtest_filter='SaveKillTest.*'
// VORLANE_KILL_SEED repeats the kill moments of an earlier run.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>
#include <thread>

#include "app/project_save.h"
#include "generate/game_page.h"
#include "gui/file_util.h"
#include "gui/preferences.h"
#include "large_project.h"
#include "project/leftovers.h"
#include "project/project_file.h"
#include "project/project_paths.h"
#include "support/temp_dir.h"

namespace vorlane {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr char kName[] = "large";
constexpr char kWorking[] = "_work";  // holds the tile set pictures
constexpr char kTemplate[] = "//VORLANE_VERSION\n//VORLANE_SCENES\n";

double EnvNumber(const char* name, double fallback) {
  const char* text = std::getenv(name);
  return text && *text ? std::atof(text) : fallback;
}

// What the Save command does once it has a name: the project, then the game.
bool SaveCommand(Project& project) {
  FileReport report;
  GenerateReport generated;
  return WriteProjectUnder(project, kName, &report) &&
         GenerateGame(project, kTemplate, Preferences{}.GenerateIndexHTML, &generated);
}

bool IsSaveLeftover(const fs::path& path) {
  return path.filename().string().starts_with(".vorlane-save-");
}

// The temporary files of interrupted writes anywhere in the program folder.
std::vector<std::string> SaveLeftovers() {
  std::vector<std::string> found;
  for (const auto& entry : fs::recursive_directory_iterator("."))
    if (IsSaveLeftover(entry.path())) found.push_back(entry.path().string());
  return found;
}

// The bytes of every file under Projects/ but the temporary ones, by path.
using Files = std::map<std::string, std::string>;

Files SavedFiles() {
  Files files;
  for (const auto& entry : fs::recursive_directory_iterator(kProjectsFolder))
    if (entry.is_regular_file() && !IsSaveLeftover(entry.path()))
      files[entry.path().generic_string()] = test::ReadAll(entry.path().string());
  return files;
}

// One version of the project: its records before any save, and the files an
// uninterrupted save of it leaves.
struct Version {
  Project records;
  Files files;
};

// Each frame's picture changed by one pixel, so every frame file and the
// project file tell the two versions apart.
Project OlderVersion(Project project) {
  project.settings.title = "older";
  for (Frame& frame : project.frames) {
    Image changed = *frame.image;
    changed.Plot(0, 0, Color{9, 9, 9, 255});
    frame.image = ShareImage(std::move(changed));
  }
  return project;
}

class SaveKillTest : public test::InTempDir {
 protected:
  // The Save command on a copy of `version`, in this process.
  static void Save(const Version& version) {
    Project project = version.records;
    ASSERT_TRUE(SaveCommand(project));
  }

  // Starts the Save command of `version` in a child process.
  static pid_t StartSave(const Version& version) {
    Project project = version.records;  // copied before, so the child only saves
    const pid_t child = ::fork();
    if (child == 0) ::_exit(SaveCommand(project) ? 0 : 1);
    return child;
  }

  static int Wait(pid_t child) {
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
  }
};

TEST_F(SaveKillTest, AKilledSaveLeavesTheOldOrTheNewProjectWhole) {
  const int trials = static_cast<int>(EnvNumber("VORLANE_KILL_TRIALS", 10));
  const double scale = EnvNumber("VORLANE_KILL_SCALE", 0.05);
  const unsigned seed =
      static_cast<unsigned>(EnvNumber("VORLANE_KILL_SEED", std::random_device{}()));
  std::mt19937 random(seed);

  fs::create_directories(kProjectsFolder);
  fs::create_directories(kWorking);
  Version newer{bench::MakeLargeProject(scale, kWorking), {}};
  newer.records.settings.title = "newer";
  Version older{OlderVersion(newer.records), {}};

  // The files of each version, and how long a save takes in a child (the
  // middle of three: flushing to disk takes what the machine gives it).
  std::vector<Clock::duration> durations;
  for (int i = 0; i < 3; ++i) {
    Save(older);
    older.files = SavedFiles();
    const auto start = Clock::now();
    ASSERT_EQ(Wait(StartSave(newer)), 0);
    durations.push_back(Clock::now() - start);
  }
  std::sort(durations.begin(), durations.end());
  const Clock::duration duration = durations[1];
  newer.files = SavedFiles();
  const std::string xml = std::string(kProjectsFolder) + "/" + kName + ".xml";
  ASSERT_NE(older.files[xml], newer.files[xml]);
  ASSERT_EQ(older.files.size(), newer.files.size());

  int old_xml = 0, new_xml = 0, mixed_frames = 0, with_leftovers = 0;
  std::uniform_int_distribution<long long> moment(
      0, std::chrono::duration_cast<std::chrono::microseconds>(duration).count());
  for (int trial = 0; trial < trials; ++trial) {
    SCOPED_TRACE("trial " + std::to_string(trial) + ", seed " + std::to_string(seed));
    // As the program starts after a kill, then saves the older version.
    RemoveLeftovers();
    Save(older);
    ASSERT_EQ(SaveLeftovers(), std::vector<std::string>{});
    ASSERT_EQ(SavedFiles(), older.files);

    const pid_t child = StartSave(newer);
    std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
    ::kill(child, SIGKILL);
    const int status = Wait(child);
    ASSERT_TRUE(WIFSIGNALED(status) || (WIFEXITED(status) && WEXITSTATUS(status) == 0));

    // Every file is whole: the older version's or the newer one's.
    const Files files = SavedFiles();
    ASSERT_EQ(files.size(), newer.files.size());
    int new_frames = 0, frames = 0;
    for (const auto& [path, bytes] : files) {
      const bool is_old = bytes == older.files.at(path), is_new = bytes == newer.files.at(path);
      ASSERT_TRUE(is_old || is_new) << path << " is torn";
      // The frame pictures; the tile sets are the same in both versions.
      if (path.ends_with(".png") && !is_old + !is_new == 1) {
        ++frames;
        new_frames += is_new;
      }
    }
    const bool xml_new = files.at(xml) == newer.files[xml];
    (xml_new ? new_xml : old_xml)++;
    // The newer project file comes only after all its pictures.
    if (xml_new) {
      EXPECT_EQ(new_frames, frames);
    }
    mixed_frames += new_frames > 0 && new_frames < frames;
    with_leftovers += !SaveLeftovers().empty();

    // It opens, and every picture it names decodes.
    Project opened;
    opened.tempfolder = "_check";
    DeleteFolderFiles(opened.tempfolder);
    fs::create_directories(opened.tempfolder);
    FileReport report;
    ASSERT_TRUE(ReadProject(opened, kName, &report)) << report.error;
    EXPECT_EQ(WarningText(report), "");
    EXPECT_EQ(opened.settings.title, xml_new ? "newer" : "older");
    ASSERT_EQ(opened.frames.size(), newer.records.frames.size());
    const std::string images = PathsOf(kName, opened.imgfolder, opened.audfolder).images;
    for (const Frame& frame : opened.frames) {
      const std::string path = images + frame.sprite + "_" + frame.file + ".png";
      std::string error;
      EXPECT_FALSE(LoadImageFile(path, &error).is_null()) << path << ": " << error;
      EXPECT_FALSE(DecodeImage(files.at(path)).is_null()) << path;
    }
  }
  RemoveLeftovers();
  Save(newer);
  EXPECT_EQ(SaveLeftovers(), std::vector<std::string>{});
  EXPECT_EQ(SavedFiles(), newer.files);

  std::printf(
      "%d kills (seed %u) within %.0f ms, a save of %zu frames: %d older project files, %d newer; "
      "%d with some frames saved, %d with temporary files left until the next start\n",
      trials, seed, std::chrono::duration<double, std::milli>(duration).count(),
      newer.records.frames.size(), old_xml, new_xml, mixed_frames, with_leftovers);
}

}  // namespace
}  // namespace vorlane
