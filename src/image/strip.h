// Cutting an image strip (a grid of equal cells) into frames.
#pragma once

#include <vector>

#include "gui/image.h"

namespace vorlane {

// The cells row by row from the top, each row left to right, each cell
// (width / columns) x (height / rows) in whole pixels; what is left over at
// the right and bottom is dropped. Columns or rows below 1 give no frames.
std::vector<Image> CutStrip(const Image& strip, int columns, int rows);

}  // namespace vorlane
