#include "gui/bulk_delete.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <thread>

namespace vorlane {

void DeleteFiles(const std::vector<std::string>& paths) {
  // Waiting threads cost next to nothing; more than this gains no more
  // from a disk's queue.
  constexpr size_t kThreads = 16;
  std::atomic<size_t> next{0};
  const auto work = [&] {
    for (size_t i = next++; i < paths.size(); i = next++) ::unlink(paths[i].c_str());
  };
  std::vector<std::thread> helpers;
  const size_t count = std::min(kThreads, paths.size() / 8);
  for (size_t i = 1; i < count; ++i) helpers.emplace_back(work);
  work();
  for (auto& helper : helpers) helper.join();
}

}  // namespace vorlane
