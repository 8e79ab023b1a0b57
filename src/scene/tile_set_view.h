// The tile set view of the scene editor: choosing a rectangle of the chosen
// tile set by dragging over it, the picture of that rectangle (what "Place
// tiles" puts into the scene), and painting the view.
#pragma once

#include "gui/canvas_tool.h"
#include "gui/image.h"
#include "project/model.h"

namespace vorlane {

// The chosen rectangle of the tile set picture, in its pixels. 0 x 0 when
// nothing is chosen.
struct TileSelection {
  int sx = 0;
  int sy = 0;
  int sw = 0;
  int sh = 0;

  friend bool operator==(const TileSelection&, const TileSelection&) = default;
};

// The largest tile cut out of a tile set: no side longer than a picture the
// program loads, and no more than 2^24 pixels unless the tile set picture
// itself has more (then up to as many as it has), so a typed or damaged
// value cannot make a picture of any size.
inline constexpr int kMaxTileSide = 16384;
inline constexpr long long kMaxTilePixels = 1LL << 24;
bool TileSizeAllowed(long long width, long long height, long long tile_set_pixels = 0);
long long PixelCount(const Image* picture);  // 0 for none

// Follows the pointer over the tile set view. Every event with the left
// button held drags out the selection from where the drag began:
//  - no modifier, Shift, or Alt and Control together: whole cells of the
//    tile set's grid (its `tile` flag set), or the whole picture (flag
//    clear, or a grid whose step is not positive);
//  - Alt alone: any rectangle, growing right and down from the start;
//  - Control alone: whole cells of the editor's grid `grid`.
// A selection whose width or height would be 0 or less becomes 1 x 1. An
// event without the left button ends the drag.
class TileSetSelector {
 public:
  // `tile_set` is the chosen tile set (null when none is: nothing is
  // selected) and `picture` its picture (null when not loaded). True when
  // the event dragged the selection: the window then switches to "Place
  // tiles" and remakes the selected picture.
  bool Pointer(const PointerEvent& event, const Background* tile_set, const Image* picture,
               int grid);
  // Another tile set was chosen: nothing is selected and no drag runs.
  void Clear();

  const TileSelection& selection() const { return selection_; }
  bool dragging() const { return dragging_; }
  int ax() const { return ax_; }
  int ay() const { return ay_; }

 private:
  TileSelection selection_;
  int ax_ = 0;  // where the drag began
  int ay_ = 0;
  bool dragging_ = false;
};

// The selected part of the tile set: a 32-bit sw x sh picture with the tile
// set blended in at (-sx, -sy), or opaque black without a picture. Null for
// an empty selection or one over TileSizeAllowed.
ImageRef SelectedTileImage(const TileSelection& selection, const Image* picture);

// Paints the tile set view into `target`, which shows the part of the view
// whose top-left pixel is (left, top): the transparency checkerboard
// (repeated every 800 pixels as far as the tile set reaches), the tile set
// blended over it, and the selection's outline with its colours inverted:
// the top and left edges on the selection's first row and column, the
// bottom and right edges just outside it. Each edge is inverted on its own,
// so the top-left corner, which two edges cross, shows through unchanged.
void PaintTileSetView(Image& target, int left, int top, const Image& tile_set,
                      const TileSelection& selection);

}  // namespace vorlane
