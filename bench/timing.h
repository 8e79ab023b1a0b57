// Timing for the benchmarks: the best of several runs, in milliseconds.
#pragma once

#include <algorithm>
#include <chrono>
#include <functional>

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

}  // namespace vorlane::bench
