// Timing for the benchmarks: the best of several runs, in milliseconds.
#pragma once

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>

namespace vorlane::bench {

// `before` runs ahead of each timed run, outside the timing.
inline double BestOf(int runs, const std::function<void()>& work,
                     const std::function<void()>& before = {}) {
  double best = 1e18;
  for (int i = 0; i < runs; ++i) {
    if (before) before();
    const auto start = std::chrono::steady_clock::now();
    work();
    best = std::min(
        best, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  return best;
}

// A new folder for a benchmark that writes many files, named for this run.
// The file system may search past entries freed in the last minutes for
// every file it creates in the same area (ext4 without a journal does);
// reusing a folder just emptied by the previous run would measure that
// run's clean-up rather than the work.
inline std::filesystem::path FreshFolder(const std::string& name) {
  const auto folder =
      std::filesystem::temp_directory_path() / (name + "-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  return folder;
}

}  // namespace vorlane::bench
