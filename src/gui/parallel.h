// Runs independent pieces of work on the machine's cores: saving and opening
// a project code and write thousands of small pictures, and most of the time
// goes to waiting on the file system.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <thread>
#include <vector>

namespace vorlane {

// Calls work(i) for every i below count, on up to four threads; returns
// when all calls have returned. `work` must be safe to run concurrently.
template <typename Work>
void ParallelFor(size_t count, Work work) {
  const size_t threads =
      std::min<size_t>({count, std::max(2u, std::thread::hardware_concurrency()), 4});
  if (threads <= 1) {
    for (size_t i = 0; i < count; ++i) work(i);
    return;
  }
  std::atomic<size_t> next{0};
  const auto run = [&] {
    for (size_t i = next++; i < count; i = next++) work(i);
  };
  std::vector<std::thread> helpers;
  for (size_t t = 1; t < threads; ++t) helpers.emplace_back(run);
  run();
  for (auto& helper : helpers) helper.join();
}

}  // namespace vorlane
