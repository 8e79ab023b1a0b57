// The decisions of the background dialog, kept out of the window so tests
// can make them directly: the tile grid drawn over the preview, what a newly
// chosen picture does to the project at once, and what "Done" stores.
#pragma once

#include <string>
#include <vector>

#include "gui/image.h"
#include "project/model.h"

namespace vorlane {

// The six tile set numbers as the dialog's fields hold them.
struct TileGrid {
  int width = 0;
  int height = 0;
  int xoffset = 0;
  int yoffset = 0;
  int xspace = 0;
  int yspace = 0;
};

// XORs the outlines of the tile grid over a picture of picture_width x
// picture_height into `target`, which shows the part of it whose top-left
// pixel is (left, top). Cell (i, j), for i = 0..picture_width / width and
// j = 0..picture_height / height (both ends included, none for a size of 0
// or less), is at x = xoffset + i * (width + xspace), y likewise, outlined by
// four one-pixel lines: (x, y) `width` long across, (x, y) `height` long
// down, (x, y + height - 1) `width` long across and (x + width - 1, y + 1)
// `height` long down. Each line inverts the RGB of the pixels under it, so a
// pixel two lines cross keeps its colour. Only cells that reach `target` are
// visited, so any numbers cost no more than the visible part.
void XorTileGrid(Image& target, int left, int top, const TileGrid& grid, int picture_width,
                 int picture_height);

// The preview of `picture` into `target` (the part at (left, top)): a
// checkerboard, the picture blended over it, and the tile grid when
// `grid` is given.
void PaintBackgroundPreview(Image& target, int left, int top, const Image& picture,
                            const TileGrid* grid);

// Loads a picture for a background. A null image with `error` set to the
// text of an "Error" box naming the file and the reason when it cannot be
// read, does not decode, or is larger than a picture may be.
Image LoadBackgroundPicture(const std::string& path, std::string* error);

// Makes `picture`, to be stored as `file`, the picture of background
// `index` at once: its card, and its tiles in every scene. A tile whose left
// is beyond the picture's width or whose top is beyond its height is
// deleted.
void ApplyBackgroundPicture(Project& project, int index, const Image& picture,
                            const std::string& file);

// What the dialog holds when "Done" is pressed. `pending` is the stored
// file name or the full path of a newly chosen picture (pending_file.h).
struct BackgroundFields {
  std::string name;
  std::string pending;
  bool tile = false;
  std::string tilewidth, tileheight, tilexoffset, tileyoffset, tilexspace, tileyspace;
};

// "Done": marks the project modified, then checks the name and copies a
// newly chosen picture into the working folder. On a problem returns its
// message and changes no field; otherwise renames (scenes and tiles
// follow) and stores the fields, numbers read as their leading integer.
std::vector<std::string> StoreBackground(Project& project, int index,
                                         const BackgroundFields& fields);

// The six numbers of the fields, each its leading integer (0 for none).
TileGrid ReadTileGrid(const BackgroundFields& fields);

}  // namespace vorlane
