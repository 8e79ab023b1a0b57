// Small pictures the image and scene tests build their cases from.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "gui/image.h"

namespace vorlane::test {

inline Color Rgba(int r, int g, int b, int a = 255) {
  return Color{std::uint8_t(r), std::uint8_t(g), std::uint8_t(b), std::uint8_t(a)};
}

inline constexpr Color kClear{0, 0, 0, 0};

// A 32-bit picture of one colour.
inline Image Solid(int w, int h, Color color) {
  Image image = Image::Transparent(w, h);
  image.Fill(color);
  return image;
}

// Every pixel different: red counts columns, green rows, blue is `tag`;
// with `alpha` the alpha varies too, else the picture is 24-bit.
inline Image Numbered(int w, int h, bool alpha, int tag = 7) {
  Image image = alpha ? Image::Transparent(w, h) : Image::Opaque(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.Plot(x, y, Rgba(10 * x + 1, 10 * y + 1, tag, 200 + x + y));
  return image;
}

// A one-row picture of the given pixels, 32-bit unless `alpha` is false.
inline Image Row(const std::vector<Color>& pixels, bool alpha = true) {
  const int w = static_cast<int>(pixels.size());
  Image image = alpha ? Image::Transparent(w, 1) : Image::Opaque(w, 1);
  for (int x = 0; x < w; ++x) image.Plot(x, 0, pixels[x]);
  return image;
}

// The pixels as rows of text: a colour of `legend` as its letter,
// see-through (0, 0, 0, 0) as '.', any other colour as '?'.
inline std::vector<std::string> Text(const Image& image,
                                     const std::vector<std::pair<Color, char>>& legend) {
  std::vector<std::string> rows;
  for (int y = 0; y < image.height(); ++y) {
    std::string row;
    for (int x = 0; x < image.width(); ++x) {
      const Color c = image.Pixel(x, y);
      char letter = c == kClear ? '.' : '?';
      for (const auto& [color, mark] : legend)
        if (c == color) letter = mark;
      row += letter;
    }
    rows.push_back(row);
  }
  return rows;
}

}  // namespace vorlane::test
