#include "generate/debug_log.h"

namespace vorlane {

bool DebugLog::Add(const DebugEntry& entry) {
  if (!lines_.empty()) {
    DebugLine& last = lines_.back();
    if (last.entry.kind == entry.kind && last.entry.text == entry.text &&
        last.entry.place == entry.place && last.entry.line == entry.line) {
      ++last.count;
      last.entry.time = entry.time;
      return false;
    }
  }
  lines_.push_back(DebugLine{entry, 1});
  if (lines_.size() > kMaxLines) {
    lines_.pop_front();
    ++dropped_;
  }
  return true;
}

void DebugLog::Clear() {
  dropped_ += lines_.size();
  lines_.clear();
}

}  // namespace vorlane
