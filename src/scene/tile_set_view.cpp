#include "scene/tile_set_view.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "scene/tile_edits.h"

namespace vorlane {
namespace {

using std::int64_t;

int Saturate(int64_t value) {
  return static_cast<int>(
      std::clamp<int64_t>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// Rounds towards minus infinity; `step` is above 0.
int64_t FloorDiv(int64_t value, int64_t step) {
  int64_t q = value / step;
  if (value % step != 0 && value < 0) --q;
  return q;
}

// The start of the cell holding `value` on a grid of `step` that begins at
// `offset`.
int64_t CellStart(int64_t value, int64_t offset, int64_t step) {
  return FloorDiv(value - offset, step) * step + offset;
}

const Qt::KeyboardModifiers kModifierKeys =
    Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;

// Inverts the colours of the picture rectangle (x, y, w, h) where it lies in
// `target`, which shows the picture from (left, top).
void InvertRect(Image& target, int left, int top, int64_t x, int64_t y, int64_t w, int64_t h) {
  const int64_t x0 = std::max<int64_t>(x, left);
  const int64_t y0 = std::max<int64_t>(y, top);
  const int64_t x1 = std::min<int64_t>(x + w, int64_t{left} + target.width());
  const int64_t y1 = std::min<int64_t>(y + h, int64_t{top} + target.height());
  if (x0 >= x1 || y0 >= y1) return;
  target.FillRect(static_cast<int>(x0 - left), static_cast<int>(y0 - top),
                  static_cast<int>(x1 - x0), static_cast<int>(y1 - y0), Color{255, 255, 255, 255},
                  DrawMode::Xor);
}

}  // namespace

bool TileSizeAllowed(long long width, long long height, long long tile_set_pixels) {
  if (width <= 0 || height <= 0 || width > kMaxTileSide || height > kMaxTileSide) return false;
  return width * height <= std::max(kMaxTilePixels, tile_set_pixels);
}

long long PixelCount(const Image* picture) {
  return picture ? static_cast<long long>(picture->width()) * picture->height() : 0;
}

bool TileSetSelector::Pointer(const PointerEvent& event, const Background* tile_set,
                              const Image* picture, int grid) {
  if (!event.left_held()) {
    dragging_ = false;
    return false;
  }
  if (!tile_set) return false;
  if (!dragging_) {
    dragging_ = true;
    ax_ = event.x;
    ay_ = event.y;
  }
  const int64_t mx = event.x, my = event.y;
  int64_t sx = selection_.sx, sy = selection_.sy, sw = selection_.sw, sh = selection_.sh;
  const Qt::KeyboardModifiers keys = event.modifiers & kModifierKeys;
  if (keys == Qt::AltModifier) {
    sx = ax_;
    sy = ay_;
    if (mx > ax_ && my > ay_) {
      sw = mx - ax_;
      sh = my - ay_;
    }
  } else if (keys == Qt::ControlModifier) {
    const int64_t g = std::max(grid, 1);
    sx = CellStart(ax_, 0, g);
    sy = CellStart(ay_, 0, g);
    const int64_t ex = CellStart(mx, 0, g);
    const int64_t ey = CellStart(my, 0, g);
    if (ex + g > sx && ey + g > sy) {
      sw = ex - sx + g;
      sh = ey - sy + g;
    }
  } else {
    const Background& b = *tile_set;
    const int64_t tw = int64_t{b.tilewidth} + b.tilexspace;
    const int64_t th = int64_t{b.tileheight} + b.tileyspace;
    if (b.tile == 1 && tw > 0 && th > 0) {
      sx = CellStart(ax_, b.tilexoffset, tw);
      sy = CellStart(ay_, b.tileyoffset, th);
      const int64_t ex = CellStart(mx, b.tilexoffset, tw);
      const int64_t ey = CellStart(my, b.tileyoffset, th);
      if (ex + b.tilewidth > sx && ey + b.tileheight > sy) {
        sw = ex - sx + b.tilewidth;
        sh = ey - sy + b.tileheight;
      }
    } else {
      // Not cut into tiles, or a grid that never advances: the whole picture.
      sx = sy = 0;
      sw = picture ? picture->width() : 0;
      sh = picture ? picture->height() : 0;
    }
  }
  if (sw <= 0 || sh <= 0) sw = sh = 1;
  selection_ = {Saturate(sx), Saturate(sy), Saturate(sw), Saturate(sh)};
  return true;
}

void TileSetSelector::Clear() {
  selection_ = {};
  dragging_ = false;
}

ImageRef SelectedTileImage(const TileSelection& selection, const Image* picture) {
  const TileSelection& s = selection;
  if (!TileSizeAllowed(s.sw, s.sh, PixelCount(picture))) return nullptr;
  if (!picture || picture->is_null()) return ShareImage(Image::Opaque(s.sw, s.sh));
  return ShareImage(CutTile(picture, s.sx, s.sy, s.sw, s.sh));
}

void PaintTileSetView(Image& target, int left, int top, const Image& tile_set,
                      const TileSelection& selection) {
  if (target.is_null()) return;
  const int64_t view_w = target.width(), view_h = target.height();

  // The checkerboard reaches over whole copies of itself as far as the tile
  // set does, at least one.
  const Image& board = Checkerboard();
  const int64_t board_w =
      std::max<int64_t>(1, (tile_set.width() + board.width() - 1) / board.width()) * board.width();
  const int64_t board_h =
      std::max<int64_t>(1, (tile_set.height() + board.height() - 1) / board.height()) *
      board.height();
  DrawCheckerboard(target, static_cast<int>(-int64_t{left}), static_cast<int>(-int64_t{top}),
                   static_cast<int>(board_w), static_cast<int>(board_h));

  if (!tile_set.is_null() && left < tile_set.width() && left + view_w > 0 &&
      top < tile_set.height() && top + view_h > 0)
    target.Draw(tile_set, static_cast<int>(-int64_t{left}), static_cast<int>(-int64_t{top}),
                DrawMode::Blend);

  const TileSelection& s = selection;
  if (s.sw <= 0 || s.sh <= 0) return;
  const int64_t sx = s.sx, sy = s.sy, sw = s.sw, sh = s.sh;
  InvertRect(target, left, top, sx, sy, sw, 1);       // top
  InvertRect(target, left, top, sx, sy, 1, sh);       // left
  InvertRect(target, left, top, sx, sy + sh, sw, 1);  // bottom, below the last row
  InvertRect(target, left, top, sx + sw, sy, 1, sh);  // right, past the last column
}

}  // namespace vorlane
