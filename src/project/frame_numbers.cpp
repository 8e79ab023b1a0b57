#include "project/frame_numbers.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <unordered_set>

#include "gui/number_text.h"

namespace vorlane {
namespace {

// The next free number for `sprite`, skipping texts in `taken` (file names
// that other frames already use).
std::string FreeNumber(const Project& project, const std::string& sprite,
                       const std::unordered_set<std::string>& taken) {
  std::unordered_set<std::string> used;
  std::int64_t highest = -1;  // "0" comes first
  for (const Frame& frame : project.frames) {
    if (frame.sprite != sprite) continue;
    used.insert(frame.file);
    highest = std::max<std::int64_t>(highest, LeadingInt(frame.file));
  }
  const auto free = [&](std::int64_t n) {
    const std::string text = std::to_string(n);
    return !used.count(text) && !taken.count(sprite + "_" + text + ".png");
  };
  // LeadingInt saturates at INT_MAX, so one more than it is no longer sure
  // to be above every number: look for a gap from 0 instead.
  std::int64_t n = highest + 1;
  if (n > INT_MAX) n = 0;
  while (!free(n)) ++n;
  return std::to_string(n);
}

}  // namespace

std::string FrameFileName(const Frame& frame) { return frame.sprite + "_" + frame.file + ".png"; }

std::string NextFrameNumber(const Project& project, const std::string& sprite) {
  return FreeNumber(project, sprite, {});
}

std::vector<std::string> RenumberRepeatedFrames(Project& project) {
  std::unordered_set<std::string> names;
  std::vector<Frame*> repeated;
  for (Frame& frame : project.frames)
    if (!names.insert(FrameFileName(frame)).second) repeated.push_back(&frame);
  std::vector<std::string> notes;
  for (Frame* frame : repeated) {
    const std::string old = frame->file;
    frame->file = FreeNumber(project, frame->sprite, names);
    // The shared file still holds the picture a stand-in stands for, so a
    // picture that was never loaded is carried over from it into the new one.
    names.insert(FrameFileName(*frame));
    notes.push_back(frame->sprite + " frame " + old + " is now frame " + frame->file);
  }
  return notes;
}

}  // namespace vorlane
