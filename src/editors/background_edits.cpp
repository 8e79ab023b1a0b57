#include "editors/background_edits.h"

#include <algorithm>
#include <cstdint>

#include "editors/pending_file.h"
#include "gui/file_limits.h"
#include "gui/number_text.h"
#include "project/project_file.h"
#include "project/rename.h"
#include "project/thumbnails.h"

namespace vorlane {
namespace {

using Int = std::int64_t;

// a / b rounded towards minus infinity, for b > 0.
Int FloorDiv(Int a, Int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

// Inverts a one-pixel line of `length` picture pixels from (x, y), across or
// down, in `target` showing the picture from (left, top). Clipped in 64 bits
// first, so only the part on the target is ever walked.
void XorLine(Image& target, Int left, Int top, Int x, Int y, Int length, bool across) {
  if (length <= 0) return;
  x -= left;
  y -= top;
  const Int w = across ? length : 1, h = across ? 1 : length;
  const Int x0 = std::max<Int>(x, 0), x1 = std::min<Int>(x + w, target.width());
  const Int y0 = std::max<Int>(y, 0), y1 = std::min<Int>(y + h, target.height());
  if (x0 >= x1 || y0 >= y1) return;
  target.FillRect(static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1 - x0),
                  static_cast<int>(y1 - y0), Color{255, 255, 255, 255}, DrawMode::Xor);
}

// The cells i = 0..count whose pixels, from offset + i * stride on for
// `size` pixels, can meet the visible pixels lo..hi.
struct Range {
  Int first, last;
};
Range VisibleCells(Int offset, Int size, Int stride, Int count, Int lo, Int hi) {
  if (count <= 0) return {0, 0};  // only cell 0, clipped as it is drawn
  // Here stride >= 1, so the cells move on as i grows and the
  // visible ones are one run of i.
  const Int first = std::max<Int>(0, FloorDiv(lo - size - offset, stride) + 1);
  const Int last = std::min<Int>(count, FloorDiv(hi - offset, stride));
  return {first, last};
}

}  // namespace

void XorTileGrid(Image& target, int left, int top, const TileGrid& grid, int picture_width,
                 int picture_height) {
  const Int w = grid.width, h = grid.height;
  const Int cols = w > 0 ? picture_width / w : 0;
  const Int rows = h > 0 ? picture_height / h : 0;
  // The fields cannot hold a sign; a space below 0 counts as 0, which keeps
  // the cells in order along each axis.
  const Int step_x = w + std::max(grid.xspace, 0), step_y = h + std::max(grid.yspace, 0);
  // A vertical line reaches one pixel below its cell (it starts at y + 1).
  const Range is =
      VisibleCells(grid.xoffset, w, step_x, cols, left, Int{left} + target.width() - 1);
  const Range js =
      VisibleCells(grid.yoffset, h + 1, step_y, rows, top, Int{top} + target.height() - 1);
  for (Int j = js.first; j <= js.last; ++j) {
    const Int y = grid.yoffset + j * step_y;
    for (Int i = is.first; i <= is.last; ++i) {
      const Int x = grid.xoffset + i * step_x;
      XorLine(target, left, top, x, y, w, true);
      XorLine(target, left, top, x, y, h, false);
      XorLine(target, left, top, x, y + h - 1, w, true);
      XorLine(target, left, top, x + w - 1, y + 1, h, false);
    }
  }
}

void PaintBackgroundPreview(Image& target, int left, int top, const Image& picture,
                            const TileGrid* grid) {
  // The checkerboard repeats seamlessly (its side is a whole number of
  // squares), so large pictures show transparency everywhere.
  DrawCheckerboard(target, -left, -top, left + target.width(), top + target.height());
  target.Draw(picture, -left, -top, DrawMode::Blend);
  if (grid) XorTileGrid(target, left, top, *grid, picture.width(), picture.height());
}

Image LoadBackgroundPicture(const std::string& path, std::string* error) {
  return LoadPicture(path, PictureLimits{}.max_side, error);
}

void ApplyBackgroundPicture(Project& project, int index, const Image& picture,
                            const std::string& file) {
  const Background& background = project.backgrounds[index];
  project.cards.backgrounds[file] = BackgroundCard(&picture);
  const auto beyond = [&](const Tile& tile) {
    return tile.background == background.name &&
           (tile.left > picture.width() || tile.top > picture.height());
  };
  // The records themselves go, not every tile of the same name.
  std::erase_if(project.tiles, beyond);
  SetModified(project, 1);
}

TileGrid ReadTileGrid(const BackgroundFields& fields) {
  return {LeadingInt(fields.tilewidth),   LeadingInt(fields.tileheight),
          LeadingInt(fields.tilexoffset), LeadingInt(fields.tileyoffset),
          LeadingInt(fields.tilexspace),  LeadingInt(fields.tileyspace)};
}

std::vector<std::string> StoreBackground(Project& project, int index,
                                         const BackgroundFields& fields) {
  SetModified(project, 1);
  const std::string error =
      CheckResourceName(project, ResourceKind::Background, fields.name, index);
  if (!error.empty()) return {error};
  // The picture is copied before anything is stored, so a failed copy
  // leaves the record naming only files that are there.
  const std::string copy =
      CopyPendingFile(fields.pending, project.tempfolder, kMaxPictureFileBytes);
  if (!copy.empty()) return {copy};
  if (fields.name != project.backgrounds[index].name)
    RenameResource(project, ResourceKind::Background, index, fields.name);
  Background& background = project.backgrounds[index];
  const TileGrid grid = ReadTileGrid(fields);
  background.tile = fields.tile ? 1 : 0;
  background.tilewidth = grid.width;
  background.tileheight = grid.height;
  background.tilexoffset = grid.xoffset;
  background.tileyoffset = grid.yoffset;
  background.tilexspace = grid.xspace;
  background.tileyspace = grid.yspace;
  background.file = BareName(fields.pending);
  return {};
}

}  // namespace vorlane
