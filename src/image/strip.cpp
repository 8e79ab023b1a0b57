#include "image/strip.h"

namespace vorlane {

std::vector<Image> CutStrip(const Image& strip, int columns, int rows) {
  if (columns < 1 || rows < 1) return {};
  const int fw = strip.width() / columns;
  const int fh = strip.height() / rows;
  std::vector<Image> cells;
  cells.reserve(static_cast<size_t>(columns) * static_cast<size_t>(rows));
  for (int j = 0; j < rows; ++j) {
    for (int i = 0; i < columns; ++i) {
      // Cells are 32-bit whatever the strip; a cell of no size stays null.
      Image cell = Image::Transparent(fw, fh);
      cell.Draw(strip, -i * fw, -j * fh, DrawMode::Copy);
      cells.push_back(std::move(cell));
    }
  }
  return cells;
}

}  // namespace vorlane
