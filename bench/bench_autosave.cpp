// Times autosave: what the interface spends (the snapshot and handing it to
// the worker) and what the worker spends writing, for the example game and
// for the large benchmark project. Run it from the source folder (it reads
// runtime/Projects/gem_garden).
#include <chrono>
#include <cstdio>
#include <filesystem>

#include "large_project.h"
#include "project/autosaver.h"
#include "project/project_file.h"
#include "timing.h"

using namespace vorlane;
namespace fs = std::filesystem;

namespace {

void Measure(const char* what, Project& project) {
  Autosaver saver;
  // The interface's part: the snapshot and the hand-over, with the worker
  // idle (the first) and busy with the write before (the others).
  const double first = bench::BestOf(1, [&] { saver.Save(project); });
  const double busy = bench::BestOf(5, [&] { saver.Save(project); });
  saver.Wait();
  const double whole_first = bench::BestOf(1, [&] {
    saver.Remove(project.tempfolder);
    saver.Save(project);
    saver.Wait();
  });
  const double whole_again = bench::BestOf(3, [&] {
    saver.Save(project);
    saver.Wait();
  });
  std::printf(
      "%-28s interface %.2f ms (worker busy: %.2f ms); write in background %.1f ms "
      "first, %.1f ms when no picture changed\n",
      what, first, busy, whole_first, whole_again);
  saver.Remove(project.tempfolder);
}

}  // namespace

int main() {
  const fs::path source = fs::current_path() / "runtime";
  if (!fs::exists(source / "Projects" / "gem_garden.xml")) {
    std::printf("run from the source folder: runtime/Projects/gem_garden.xml not found\n");
    return 1;
  }
  const fs::path folder = fs::temp_directory_path() / "vorlane-bench-autosave";
  fs::remove_all(folder);
  fs::create_directories(folder / "_temp_bench");
  fs::copy(source / "Projects", folder / "Projects", fs::copy_options::recursive);
  fs::current_path(folder);

  Project example;
  example.tempfolder = "_temp_bench";
  FileReport report;
  if (!ReadProject(example, "gem_garden", &report)) {
    std::printf("gem_garden: %s\n", report.error.c_str());
    return 1;
  }
  Measure("example game gem_garden", example);

  Project large = bench::MakeLargeProject(1, "_temp_bench");
  Measure("large project (4,000 frames)", large);
  fs::current_path(fs::temp_directory_path());
  fs::remove_all(folder);
}
