// The lines of the Output panel of a debug run: what the page reported, an
// entry equal to the last one merged into it with a count, the oldest lines
// dropped past a limit. A list model follows it by its counters.
#pragma once

#include <cstdint>
#include <deque>

#include "generate/debug_report.h"

namespace vorlane {

class DebugLog {
 public:
  static constexpr std::size_t kMaxLines = 10000;

  // Merges `entry` into the last line when it has the same kind, text, place
  // and line (their counts add up, the line's time becomes the entry's);
  // otherwise adds a line, dropping the oldest past kMaxLines. True when a
  // line was added.
  bool Add(const DebugEntry& entry);
  void Clear();

  std::size_t size() const { return lines_.size(); }
  const DebugEntry& line(std::size_t i) const { return lines_[i]; }
  // Lines dropped from the front since the log was made (Clear counts its
  // lines too), so a model knows how many rows went since it last looked.
  std::uint64_t dropped() const { return dropped_; }

 private:
  std::deque<DebugEntry> lines_;
  std::uint64_t dropped_ = 0;
};

}  // namespace vorlane
