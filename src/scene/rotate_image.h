// Turning a picture by an angle, as instances with an image angle are shown
// in the scene editor.
#pragma once

#include "gui/image.h"

namespace vorlane {

// `image` turned counter-clockwise on screen by `angle` degrees (360 and
// more count modulo 360; negative angles as they are). Quarter turns move
// the pixels without resampling; other angles give a picture just large
// enough for the turned one, filled with `fill` (24-bit) or see-through
// (32-bit) where no source pixel lands, sampled from the nearest source
// pixel or, with `smooth`, blended from the 2 x 2 pixels around the point.
// A null image, or an angle that is not a number, gives a null image.
Image RotateImage(const Image& image, double angle, bool smooth, Color fill);

}  // namespace vorlane
