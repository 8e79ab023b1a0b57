// Drawing shared by the image editor's windows: pictures over the
// transparency checkerboard, the hue scale, and reading a picture file with
// a sentence for the user when it cannot be used.
#pragma once

#include <string>

#include "gui/image.h"

namespace vorlane {

// The part of `picture` over the checkerboard whose top-left pixel is
// (left, top), as a canvas asks for it; `target` is as large as that part.
void PaintOverCheckerboard(Image& target, int left, int top, const Image& picture);

// A w x h bar running through every hue from 0 (left) to 359 (right) at
// full saturation and value.
Image HueScale(int width, int height);

}  // namespace vorlane
