#include "generate/debug_log.h"

namespace vorlane {

bool DebugLog::Add(const DebugEntry& entry) {
  if (!lines_.empty()) {
    DebugEntry& last = lines_.back();
    if (last.kind == entry.kind && last.text == entry.text && last.place == entry.place &&
        last.line == entry.line) {
      last.count += entry.count;
      last.time = entry.time;
      return false;
    }
  }
  lines_.push_back(entry);
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
