// What the frame editor and the strip import do to a sprite's frames,
// without a window. A sprite's frames are the frame records naming it, in
// list order; the editor keeps a current frame as an index into the whole
// frame list (-1 for none). Frame numbers (`file`) are never reused: a new
// frame takes `NextFrameNumber`.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "gui/image.h"
#include "project/frame_numbers.h"
#include "project/model.h"

namespace vorlane {

// The indices of the sprite's frames in the frame list, in order.
std::vector<int> SpriteFrames(const Project& project, const std::string& sprite);
// Appends a frame with the next number; returns its index.
int AppendFrame(Project& project, const std::string& sprite, Image image);

// "Create new sprite": every frame of the sprite goes and one see-through
// width x height frame "0" takes their place; returns its index. Sizes
// outside 1..kMaxFrameSide are refused (-1, nothing changed).
inline constexpr int kMaxFrameSide = 16384;
int NewSpriteFrames(Project& project, const std::string& sprite, int width, int height);

// Adding a picture whose size differs from the sprite's last frame.
enum class FrameFit { Keep, ResizeAll };
enum class FramePlacement { TopLeft, Centre, Stretch };
// Appends `picture` as the sprite's next frame. When the sprite has frames
// and the sizes differ, `fit` says which size wins: Keep redraws the picture
// at the last frame's size, ResizeAll redraws every frame at the picture's
// size; `placement` says how (at (0, 0), centred in whole halves, or
// stretched: the picture smoothed, old frames to the nearest pixel).
// Returns the new frame's index.
int AddFramePicture(Project& project, const std::string& sprite, const Image& picture, FrameFit fit,
                    FramePlacement placement);

// The sprite's frames side by side, each drawn at k x (last frame's width),
// on a see-through (n x w) x h picture; null when there are no frames or the
// last one is empty.
Image FrameStrip(const Project& project, const std::string& sprite);

// Each returns the new current frame (the moved or made one; for Delete the
// sprite's first frame or -1). A current frame of -1, or one not of the
// sprite, changes nothing and is returned as it is.
int DuplicateFrame(Project& project, const std::string& sprite, int current);
int MoveFrame(Project& project, const std::string& sprite, int current, bool right);
int DeleteFrame(Project& project, const std::string& sprite, int current);

// Every frame of the sprite becomes width x height: "Resize canvas" keeps
// the picture centred (cropped or padded, whole halves), "Stretch" scales
// it (bilinear when smooth, else nearest pixel). Sizes outside
// 1..kMaxFrameSide are refused (false, nothing changed).
bool ResizeFrameCanvas(Project& project, const std::string& sprite, int width, int height);
bool StretchFrames(Project& project, const std::string& sprite, int width, int height, bool smooth);
// "Keep aspect ratio": the other side for a new value of this one, rounded.
int KeepAspect(int other_current, int this_current, int this_new);

// Applies `effect` to the current frame, or to every frame of the sprite
// in list order when `all`, each read again and processed at the current
// frame's size.
void ApplyToFrames(Project& project, const std::string& sprite, int current, bool all,
                   const std::function<Image(const Image&)>& effect);

// The strip import: the sprite's frames are replaced by the strip's cells
// (numbered from "0"), the origin goes to (0, 0) and the collision box and
// radius fit one cell. False (nothing changed) when columns or rows are
// below 1 or more than the strip has pixels across or down.
bool ImportStrip(Project& project, int sprite_index, const Image& strip, int columns, int rows);

}  // namespace vorlane
