#include "scene/rotate_image.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

namespace vorlane {
namespace {

// dest(i, j) = source(at(i, j)) for every pixel of a quarter turn.
template <typename Source>
Image QuarterTurn(const Image& image, int width, int height, Source at) {
  Image turned =
      image.has_alpha() ? Image::Transparent(width, height) : Image::Opaque(width, height);
  for (int j = 0; j < height; ++j) {
    std::uint8_t* out = turned.row(j);
    for (int i = 0; i < width; ++i) {
      const auto [x, y] = at(i, j);
      std::memcpy(out + 4 * i, image.row(y) + 4 * x, 4);
    }
  }
  return turned;
}

// The sampling corrections that keep a turned picture from drifting by a
// pixel as the angle passes each quarter.
void Correction(double angle, int* ou, int* ov) {
  *ou = angle > 180 ? -1 : 0;
  *ov = angle > 90 && angle <= 270 ? -1 : 0;
}

}  // namespace

Image RotateImage(const Image& image, double angle, bool smooth, Color fill) {
  if (image.is_null() || !std::isfinite(angle)) return {};
  if (angle >= 360) angle = std::fmod(angle, 360.0);
  const int w = image.width(), h = image.height();
  if (angle == 0) return image;
  if (angle == 90)
    return QuarterTurn(image, h, w, [&](int i, int j) { return std::pair(w - 1 - j, i); });
  if (angle == 180)
    return QuarterTurn(image, w, h, [&](int i, int j) { return std::pair(w - 1 - i, h - 1 - j); });
  if (angle == 270)
    return QuarterTurn(image, h, w, [&](int i, int j) { return std::pair(j, h - 1 - i); });

  const double a = -angle * std::numbers::pi / 180;
  const double c = std::cos(a), s = std::sin(a);
  const int new_w = static_cast<int>(w * std::fabs(c) + h * std::fabs(s) + 0.9);
  const int new_h = static_cast<int>(h * std::fabs(c) + w * std::fabs(s) + 0.9);
  Image turned = image.has_alpha() ? Image::Transparent(new_w, new_h) : Image::Opaque(new_w, new_h);
  if (!image.has_alpha()) turned.Fill(fill);

  int ou = 0, ov = 0;
  Correction(angle, &ou, &ov);
  const int hw = w / 2, hh = h / 2, h_new_w = new_w / 2, h_new_h = new_h / 2;
  const int channels = image.has_alpha() ? 4 : 3;
  for (int j = 0; j < new_h; ++j) {
    std::uint8_t* out = turned.row(j);
    for (int i = 0; i < new_w; ++i) {
      const double u = hw + (i - h_new_w) * c + (j - h_new_h) * s + ou;
      const double v = hh + (j - h_new_h) * c - (i - h_new_w) * s + ov;
      if (!smooth) {
        const long x = std::lround(u), y = std::lround(v);
        if (x >= 0 && x < w && y >= 0 && y < h) std::memcpy(out + 4 * i, image.row(y) + 4 * x, 4);
        continue;
      }
      const double tu = std::trunc(u), tv = std::trunc(v);
      if (tu < 0 || tu >= w || tv < 0 || tv >= h) continue;
      const int x0 = static_cast<int>(tu), y0 = static_cast<int>(tv);
      // In the last column or row the pixel stands in for its missing neighbour.
      const int x1 = std::min(x0 + 1, w - 1), y1 = std::min(y0 + 1, h - 1);
      const double fu = u - tu, fv = v - tv;
      const double wu0 = std::max(0.0, 0.999995 - fu), wu1 = fu;
      const double wv0 = std::max(0.0, 0.999995 - fv), wv1 = fv;
      const std::uint8_t* top = image.row(y0);
      const std::uint8_t* bottom = image.row(y1);
      for (int k = 0; k < channels; ++k) {
        const double value = wv0 * (wu0 * top[4 * x0 + k] + wu1 * top[4 * x1 + k]) +
                             wv1 * (wu0 * bottom[4 * x0 + k] + wu1 * bottom[4 * x1 + k]);
        out[4 * i + k] = static_cast<std::uint8_t>(std::clamp(value, 0.0, 255.0));
      }
    }
  }
  return turned;
}

}  // namespace vorlane
