#include "image/effects.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <numbers>
#include <random>

namespace vorlane {
namespace {

using Rgba = std::array<int, 4>;

inline std::uint8_t Clamp255(int v) { return static_cast<std::uint8_t>(std::clamp(v, 0, 255)); }

// Luma in single precision, summed left to right.
inline float Luma(int r, int g, int b) { return 0.2126f * r + 0.7152f * g + 0.0722f * b; }

inline int NearestLuma(int r, int g, int b) { return Round(Luma(r, g, b), Rounding::Nearest); }

// Runs `f` on every pixel's (r, g, b, a) and stores what it returns in a new
// 32-bit image; a result whose alpha is 0 leaves the pixel (0, 0, 0, 0).
template <class F>
Image MapPixels(const Image& image, F f) {
  Image result = Image::Transparent(image.width(), image.height());
  const int w = image.width();
  for (int y = 0; y < image.height(); ++y) {
    const std::uint8_t* s = image.row(y);
    std::uint8_t* d = result.row(y);
    for (int x = 0; x < w; ++x, s += 4, d += 4) {
      // A 24-bit image keeps 255 in every alpha byte, so s[3] is right for both depths.
      const Rgba p = f(int{s[0]}, int{s[1]}, int{s[2]}, int{s[3]});
      if (p[3] <= 0) continue;
      d[0] = Clamp255(p[0]);
      d[1] = Clamp255(p[1]);
      d[2] = Clamp255(p[2]);
      d[3] = Clamp255(p[3]);
    }
  }
  return result;
}

// Pixels moved as they are keep the colour of see-through ones: cleared to
// (0, 0, 0, 0) as every effect leaves them, so that Make opaque shows black.
Image ClearHidden(Image image) {
  for (int y = 0; y < image.height(); ++y) {
    std::uint8_t* p = image.row(y);
    for (int x = 0; x < image.width(); ++x, p += 4)
      if (p[3] == 0) std::memset(p, 0, 4);
  }
  return image;
}

// The picture unchanged, as a 32-bit image (every byte as it was).
Image Exact32(const Image& image) {
  Image result = Image::Transparent(image.width(), image.height());
  result.Draw(image, 0, 0, DrawMode::Copy);
  return result;
}

// cos and sin of a whole number of degrees, exact for quarter turns.
void CosSin(int degrees, double& c, double& s) {
  const int d = ((degrees % 360) + 360) % 360;
  switch (d) {
    case 0: c = 1, s = 0; return;
    case 90: c = 0, s = 1; return;
    case 180: c = -1, s = 0; return;
    case 270: c = 0, s = -1; return;
    default: break;
  }
  const double radians = d * (std::numbers::pi / 180.0);
  c = std::cos(radians);
  s = std::sin(radians);
}

}  // namespace

Image Grayscale(const Image& image) {
  return MapPixels(image, [](int r, int g, int b, int a) {
    const int y = NearestLuma(r, g, b);
    return Rgba{y, y, y, a};
  });
}

Image Invert(const Image& image) {
  return MapPixels(image, [](int r, int g, int b, int a) {
    return Rgba{255 - r, 255 - g, 255 - b, a};
  });
}

Image MakeOpaque(const Image& image) {
  return MapPixels(image, [](int r, int g, int b, int) { return Rgba{r, g, b, 255}; });
}

Image Brightness(const Image& image, int level) { return ColorBalance(image, level, level, level); }

Image ColorBalance(const Image& image, int dr, int dg, int db) {
  dr = std::clamp(dr, -255, 255);
  dg = std::clamp(dg, -255, 255);
  db = std::clamp(db, -255, 255);
  return MapPixels(image, [=](int r, int g, int b, int a) {
    return Rgba{r + dr, g + dg, b + db, a};
  });
}

Image Colorize(const Image& image, int hue) {
  // The tint is the hue at full saturation and value: one of six sectors,
  // each ramping one channel between the other two.
  const double h = hue / 360.0;
  const double i = std::floor(6 * h);
  const double f = 6 * h - i;
  double tint[3];
  switch (((static_cast<int>(i) % 6) + 6) % 6) {
    case 0: tint[0] = 1, tint[1] = f, tint[2] = 0; break;
    case 1: tint[0] = 1 - f, tint[1] = 1, tint[2] = 0; break;
    case 2: tint[0] = 0, tint[1] = 1, tint[2] = f; break;
    case 3: tint[0] = 0, tint[1] = 1 - f, tint[2] = 1; break;
    case 4: tint[0] = f, tint[1] = 0, tint[2] = 1; break;
    default: tint[0] = 1, tint[1] = 0, tint[2] = 1 - f; break;
  }
  // Products round to the nearest integer, ties to even.
  return MapPixels(image, [&tint](int r, int g, int b, int a) {
    return Rgba{static_cast<int>(std::nearbyint(r * tint[0])),
                static_cast<int>(std::nearbyint(g * tint[1])),
                static_cast<int>(std::nearbyint(b * tint[2])), a};
  });
}

Image SwapChannels(const Image& image, const std::string& order) {
  // For each output channel, which input channel it takes.
  int from[3];
  if (order == "RBG") {
    from[0] = 0, from[1] = 2, from[2] = 1;
  } else if (order == "GRB") {
    from[0] = 1, from[1] = 0, from[2] = 2;
  } else if (order == "GBR") {
    from[0] = 1, from[1] = 2, from[2] = 0;
  } else if (order == "BRG") {
    from[0] = 2, from[1] = 0, from[2] = 1;
  } else if (order == "BGR") {
    from[0] = 2, from[1] = 1, from[2] = 0;
  } else {
    return Exact32(image);
  }
  return MapPixels(image, [&from](int r, int g, int b, int a) {
    const int c[3] = {r, g, b};
    return Rgba{c[from[0]], c[from[1]], c[from[2]], a};
  });
}

Image Opacity(const Image& image, int percent) {
  const float p = static_cast<float>(std::clamp(percent, 0, 100));
  return MapPixels(image, [p](int r, int g, int b, int a) {
    const float scaled = (static_cast<float>(a) / 100.0f) * p;
    return Rgba{r, g, b, static_cast<int>(std::ceil(scaled))};
  });
}

Image Posterize(const Image& image, int level) {
  const int n = std::max(level, 1);
  const auto step = [n](int c) {
    return std::min(255, Round(static_cast<double>(c) / n, Rounding::Nearest) * n);
  };
  return MapPixels(image, [&step](int r, int g, int b, int a) {
    return Rgba{step(r), step(g), step(b), a};
  });
}

Image Noise(const Image& image, const std::vector<std::uint8_t>& plane) {
  const int w = image.width(), h = image.height();
  if (plane.size() != static_cast<size_t>(w) * static_cast<size_t>(h)) return Exact32(image);
  Image result = Image::Transparent(w, h);
  for (int y = 0; y < h; ++y) {
    const std::uint8_t* s = image.row(y);
    const std::uint8_t* n = plane.data() + static_cast<size_t>(y) * w;
    std::uint8_t* d = result.row(y);
    for (int x = 0; x < w; ++x, s += 4, d += 4) {
      if (s[3] == 0) continue;
      for (int c = 0; c < 3; ++c) d[c] = static_cast<std::uint8_t>(std::min(255, s[c] + n[x]));
      d[3] = s[3];
    }
  }
  return result;
}

std::vector<std::uint8_t> MakeNoisePlane(int width, int height, int level, std::uint32_t seed) {
  if (width <= 0 || height <= 0) return {};
  std::vector<std::uint8_t> plane(static_cast<size_t>(width) * static_cast<size_t>(height));
  std::mt19937 generator(seed);
  std::uniform_int_distribution<int> amount(0, std::clamp(level, 0, 100));
  for (auto& n : plane) n = static_cast<std::uint8_t>(1 + amount(generator));
  return plane;
}

Image EraseColor(const Image& image, Color color, int tolerance) {
  const int target = NearestLuma(color.r, color.g, color.b);
  return MapPixels(image, [target, tolerance](int r, int g, int b, int a) {
    const int y = NearestLuma(r, g, b);
    if (target - tolerance <= y && y <= target + tolerance) return Rgba{0, 0, 0, 0};
    return Rgba{r, g, b, a};
  });
}

Image Mirror(const Image& image, bool horizontal, bool vertical) {
  const int w = image.width(), h = image.height();
  Image result = Image::Transparent(w, h);
  for (int y = 0; y < h; ++y) {
    const std::uint8_t* s = image.row(vertical ? h - 1 - y : y);
    std::uint8_t* d = result.row(y);
    if (!horizontal) {
      std::memcpy(d, s, static_cast<size_t>(w) * 4);
      continue;
    }
    for (int x = 0; x < w; ++x) std::memcpy(d + static_cast<size_t>(w - 1 - x) * 4, s + x * 4, 4);
  }
  return ClearHidden(std::move(result));
}

Image RotateFrame(const Image& image, int degrees) {
  const int w = image.width(), h = image.height();
  Image result = Image::Transparent(w, h);
  double c = 1, s = 0;
  CosSin(degrees, c, s);
  const int cx = w / 2, cy = h / 2;
  // Each target pixel takes the nearest source pixel of the opposite turn;
  // with y pointing down this turns the picture counter-clockwise on screen.
  for (int y = 0; y < h; ++y) {
    std::uint8_t* d = result.row(y);
    const double dy = y - cy;
    for (int x = 0; x < w; ++x, d += 4) {
      const double dx = x - cx;
      const int sx = Round(cx + dx * c - dy * s, Rounding::Nearest);
      const int sy = Round(cy + dx * s + dy * c, Rounding::Nearest);
      if (sx < 0 || sy < 0 || sx >= w || sy >= h) continue;
      std::memcpy(d, image.row(sy) + static_cast<size_t>(sx) * 4, 4);
    }
  }
  return ClearHidden(std::move(result));
}

Image ScaleFrame(const Image& image, int hpercent, int vpercent) {
  const int w = image.width(), h = image.height();
  Image result = Image::Transparent(w, h);
  const int sw =
      static_cast<int>(std::lround(static_cast<float>(std::int64_t{w} * hpercent) / 100.0f));
  const int sh =
      static_cast<int>(std::lround(static_cast<float>(std::int64_t{h} * vpercent) / 100.0f));
  // Smoothed both ways: enlarged frames stay soft-edged rather than blocky,
  // and reduced ones keep a share of every pixel.
  result.DrawScaled(image, w / 2 - sw / 2, h / 2 - sh / 2, sw, sh, DrawMode::Blend,
                    Scaling::Bilinear);
  return result;
}

Image ShiftFrame(const Image& image, int dx, int dy, bool wrapx, bool wrapy) {
  const int w = image.width(), h = image.height();
  Image result = Image::Transparent(w, h);
  // The copies never overlap, so the order of drawing does not matter.
  for (int j = -1; j <= 1; ++j) {
    if (j != 0 && !wrapy) continue;
    for (int i = -1; i <= 1; ++i) {
      if (i != 0 && !wrapx) continue;
      result.Draw(image, dx + i * w, dy + j * h, DrawMode::Blend);
    }
  }
  return result;
}

}  // namespace vorlane
