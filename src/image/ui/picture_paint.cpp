#include "image/ui/picture_paint.h"

#include <QColor>
#include <algorithm>
#include <cstring>
#include <optional>

namespace vorlane {

void DrawCheckerboard(Image& target, int x, int y, int w, int h) {
  const Image& board = Checkerboard();
  const int x0 = std::max(x, 0), x1 = std::min(x + w, target.width());
  const int y0 = std::max(y, 0), y1 = std::min(y + h, target.height());
  if (x0 >= x1 || y0 >= y1) return;
  // The board's side is a whole number of squares, so it repeats without a
  // seam; each row is copied in runs up to the board's right edge.
  for (int ty = y0; ty < y1; ++ty) {
    const std::uint8_t* source = board.row((ty - y) % board.height());
    std::uint8_t* out = target.row(ty);
    for (int tx = x0; tx < x1;) {
      const int bx = (tx - x) % board.width();
      const int run = std::min(x1 - tx, board.width() - bx);
      std::memcpy(out + static_cast<size_t>(tx) * 4, source + static_cast<size_t>(bx) * 4,
                  static_cast<size_t>(run) * 4);
      tx += run;
    }
  }
  if (!target.has_alpha()) return;
  for (int ty = y0; ty < y1; ++ty)
    for (int tx = x0; tx < x1; ++tx) target.row(ty)[tx * 4 + 3] = 255;
}

void PaintOverCheckerboard(Image& target, int left, int top, const Image& picture) {
  DrawCheckerboard(target, -left, -top, picture.width(), picture.height());
  target.Draw(picture, -left, -top, DrawMode::Blend);
}

Image HueScale(int width, int height) {
  Image bar = Image::Opaque(std::max(width, 1), std::max(height, 1));
  for (int x = 0; x < bar.width(); ++x) {
    const int hue = bar.width() > 1 ? x * 359 / (bar.width() - 1) : 0;
    const QColor c = QColor::fromHsv(hue, 255, 255);
    bar.FillRect(x, 0, 1, bar.height(),
                 Color{static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
                       static_cast<std::uint8_t>(c.blue()), 255});
  }
  return bar;
}

}  // namespace vorlane
