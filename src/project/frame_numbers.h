// Frame numbers: each frame of a sprite is saved as "<sprite>_<number>.png",
// so no two frames may share a number. A new frame takes one more than the
// highest number of its sprite (not the last frame's: moved frames keep
// theirs), and a save gives a repeated number a free one before writing.
#pragma once

#include <string>
#include <vector>

#include "project/model.h"

namespace vorlane {

// The file a frame's picture is saved to, inside the image folder.
std::string FrameFileName(const Frame& frame);

// One more than the highest frame number of the sprite, as text ("0" for a
// sprite without frames); past the 32-bit range, the lowest number no frame
// of the sprite has.
std::string NextFrameNumber(const Project& project, const std::string& sprite);

// Gives every frame whose file name an earlier frame already has the next
// free number of its sprite. Returns one line per renumbered frame for the
// user, "<sprite> frame <old> is now frame <new>".
std::vector<std::string> RenumberRepeatedFrames(Project& project);

}  // namespace vorlane
