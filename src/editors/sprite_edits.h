// What the sprite properties dialog decides, without a window: the preview
// settings every opening shares, the fields that reach the sprite as they
// are typed, the preview picture and "Done".
#pragma once

#include <string>

#include "gui/image.h"
#include "project/model.h"

namespace vorlane {

// Kept for the whole run, never stored.
struct SpritePreviewSettings {
  int zoom = 1;    // 1..kMaxSpriteZoom
  int speed = 30;  // frames per second
  bool show_shape = true;
};
inline constexpr int kMaxSpriteZoom = 64;
SpritePreviewSettings& SpritePreview();

// The picture shown for the sprite: its last frame's size ("Size: 32 x 32"),
// "" without frames.
std::string SpriteSizeLabel(const Project& project, const std::string& sprite);
// The frames' pictures in order; frames without one are left out.
std::vector<ImageRef> SpritePictures(const Project& project, const std::string& sprite);

// Origin X or Y as typed: stored unless greater than the frame's extent
// (no lower bound); true when stored.
bool SetOrigin(int& origin, const std::string& text, int extent);
// "Center": the origin to the middle of a frame of that size; false (and
// nothing changed) unless both sides are positive.
bool CenterOrigin(Sprite& sprite, int width, int height);

// Paints the preview at `zoom` into `target`, the part of the zoomed picture
// whose top-left screen pixel is (left, top): the checkerboard, the frame
// scaled to the nearest pixel, the black origin cross and, when `show_shape`,
// the collision box or circle ("Box" or "Circle") in translucent green. The
// zoomed picture is never made whole, so any zoom of any frame costs only
// what is on screen.
void PaintSpritePreview(Image& target, int left, int top, const Image& frame, const Sprite& sprite,
                        const std::string& shape, int zoom, bool show_shape);

// "Done" for sprites[index]: marks the project modified, checks the name
// and renames (objects, instances and frames follow). The message on a
// refusal, "" when stored.
std::string StoreSpriteName(Project& project, int index, const std::string& name);

}  // namespace vorlane
