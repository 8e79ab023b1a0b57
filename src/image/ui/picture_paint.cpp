#include "image/ui/picture_paint.h"

#include <QColor>
#include <algorithm>
#include <cstring>
#include <optional>

namespace vorlane {

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
