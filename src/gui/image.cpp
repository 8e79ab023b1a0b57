#include "gui/image.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

namespace vorlane {
namespace {

// Exact integer coordinate mapping: a hugely negative target position times
// a large source size overflows 64 bits.
__extension__ typedef __int128 Wide;

// The target pixels [begin, end) an area at `position` covers once clipped;
// `offset` is the index of `begin` within the area. Empty when begin >= end.
struct Span {
  int begin = 0;
  int end = 0;
  std::int64_t offset = 0;
};

Span Clip(std::int64_t position, std::int64_t size, int limit) {
  Span s;
  const std::int64_t b = std::max<std::int64_t>(position, 0);
  const std::int64_t e = std::min<std::int64_t>(position + size, limit);
  if (b >= e) return s;
  s.begin = static_cast<int>(b);
  s.end = static_cast<int>(e);
  s.offset = b - position;
  return s;
}

inline std::uint8_t Div255(unsigned v) { return static_cast<std::uint8_t>((v + 127) / 255); }

// Source over target for one pixel. Every result is the exact rational
// value rounded once to nearest, halves up; over an opaque target that is
// (sc*sa + dc*(255-sa) + 127) / 255.
inline void BlendPixel(std::uint8_t* d, const std::uint8_t* s, unsigned sa, bool target_alpha) {
  if (sa == 0) return;
  const unsigned da = target_alpha ? d[3] : 255;
  if (sa == 255 || da == 0) {
    d[0] = s[0];
    d[1] = s[1];
    d[2] = s[2];
    d[3] = target_alpha ? static_cast<std::uint8_t>(sa) : 255;
    return;
  }
  const unsigned inv = 255 - sa;
  if (da == 255) {
    d[0] = Div255(s[0] * sa + d[0] * inv);
    d[1] = Div255(s[1] * sa + d[1] * inv);
    d[2] = Div255(s[2] * sa + d[2] * inv);
    return;
  }
  // Scaled by 255 throughout so the target's share stays exact.
  const unsigned dw = da * inv;
  const unsigned sw = sa * 255;
  const unsigned den = sw + dw;
  for (int c = 0; c < 3; ++c) {
    const unsigned num = s[c] * sw + d[c] * dw;
    d[c] = static_cast<std::uint8_t>((2 * num + den) / (2 * den));
  }
  d[3] = Div255(den);
}

// Applies n source pixels to a target row. A source step of 0 repeats one
// colour; `opacity` below 255 scales the source alpha (Blend only).
void ApplyRow(std::uint8_t* d, const std::uint8_t* s, int step, int n, DrawMode mode,
              bool target_alpha, bool source_alpha, unsigned opacity = 255) {
  if (n <= 0) return;
  if (mode == DrawMode::Blend && !source_alpha && opacity == 255) mode = DrawMode::Copy;
  switch (mode) {
    case DrawMode::Copy:
      if (step == 4) {
        std::memcpy(d, s, static_cast<size_t>(n) * 4);
        if (!target_alpha && source_alpha) {
          for (int i = 0; i < n; ++i) d[i * 4 + 3] = 255;
        }
      } else {
        const std::uint8_t px[4] = {s[0], s[1], s[2], target_alpha ? s[3] : std::uint8_t{255}};
        for (int i = 0; i < n; ++i, d += 4) std::memcpy(d, px, 4);
      }
      break;
    case DrawMode::Blend:
      if (!target_alpha && opacity == 255) {
        // The common case of a scene or preview: pictures over an opaque
        // backdrop, most source pixels either clear or solid.
        for (int i = 0; i < n; ++i, d += 4, s += step) {
          const unsigned sa = s[3];
          if (sa == 0) continue;
          if (sa == 255) {
            std::memcpy(d, s, 4);
            continue;
          }
          const unsigned inv = 255 - sa;
          d[0] = Div255(s[0] * sa + d[0] * inv);
          d[1] = Div255(s[1] * sa + d[1] * inv);
          d[2] = Div255(s[2] * sa + d[2] * inv);
        }
        break;
      }
      for (int i = 0; i < n; ++i, d += 4, s += step) {
        BlendPixel(d, s, opacity == 255 ? s[3] : Div255(s[3] * opacity), target_alpha);
      }
      break;
    case DrawMode::Xor:
      for (int i = 0; i < n; ++i, d += 4, s += step) {
        d[0] ^= s[0];
        d[1] ^= s[1];
        d[2] ^= s[2];
      }
      break;
  }
}

// floor((2i+1) * src / (2 * dst) * scale): where the centre of target pixel i
// lands in the source, in units of 1/scale pixel.
std::int64_t CentreOf(std::int64_t i, int src, int dst, int scale) {
  return static_cast<std::int64_t>(static_cast<Wide>(2 * i + 1) * src * scale /
                                   (static_cast<Wide>(dst) * 2));
}

// Bilinear sampling: 8 fractional bits per axis.
constexpr int kFrac = 256;

struct Tap {
  int i0, i1;   // source pixels either side of the sample
  unsigned w1;  // weight of i1, out of kFrac
};

Tap BilinearTap(std::int64_t i, int src, int dst) {
  const std::int64_t u = CentreOf(i, src, dst, kFrac) - kFrac / 2;
  if (u <= 0) return {0, 0, 0};
  const std::int64_t i0 = u / kFrac;
  if (i0 >= src - 1) return {src - 1, src - 1, 0};
  return {static_cast<int>(i0), static_cast<int>(i0) + 1, static_cast<unsigned>(u % kFrac)};
}

// Blends four pixels weighted premultiplied by alpha, so transparent
// neighbours add no colour. Where all four are transparent the colours are
// blended plainly, which keeps an unscaled transparent pixel as it was.
void SampleBilinear(std::uint8_t* out, const std::uint8_t* p[4], const unsigned w[4]) {
  constexpr std::uint32_t total = kFrac * kFrac;
  // The weights sum to `total`, so 32 bits hold every sum plus its rounding.
  static_assert(std::uint64_t{total} * 255 * 255 + total * 255 / 2 <= UINT32_MAX);
  std::uint32_t alpha = 0, pre[3] = {0, 0, 0};
  for (int k = 0; k < 4; ++k) {
    const std::uint32_t wa = w[k] * p[k][3];
    alpha += wa;
    pre[0] += wa * p[k][0];
    pre[1] += wa * p[k][1];
    pre[2] += wa * p[k][2];
  }
  if (alpha == 0 || alpha == total * 255) {
    // No division needed; for opaque pixels this equals the weighted form.
    for (int c = 0; c < 3; ++c) {
      std::uint32_t plain = 0;
      for (int k = 0; k < 4; ++k) plain += w[k] * p[k][c];
      out[c] = static_cast<std::uint8_t>((plain + total / 2) / total);
    }
    out[3] = alpha ? 255 : 0;
    return;
  }
  for (int c = 0; c < 3; ++c) out[c] = static_cast<std::uint8_t>((pre[c] + alpha / 2) / alpha);
  out[3] = static_cast<std::uint8_t>((alpha + total / 2) / total);
}

}  // namespace

Color Color::FromInt(std::uint32_t value) {
  return Color{static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
               static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}

std::uint32_t Color::ToInt() const {
  return r | (static_cast<std::uint32_t>(g) << 8) | (static_cast<std::uint32_t>(b) << 16) |
         (static_cast<std::uint32_t>(a) << 24);
}

int Round(double value, Rounding rule) {
  double r = value;
  switch (rule) {
    case Rounding::Down: r = std::floor(value); break;
    case Rounding::Up: r = std::ceil(value); break;
    case Rounding::Nearest: r = std::round(value); break;
  }
  if (std::isnan(r)) return 0;
  if (r <= static_cast<double>(INT_MIN)) return INT_MIN;
  if (r >= static_cast<double>(INT_MAX)) return INT_MAX;
  return static_cast<int>(r);
}

Image::Image(int width, int height, bool alpha)
    : width_(std::max(width, 0)), height_(std::max(height, 0)), alpha_(alpha) {
  if (width_ == 0 || height_ == 0) {
    width_ = height_ = 0;
    return;
  }
  pixels_.assign(static_cast<size_t>(width_) * height_ * 4, 0);
  if (!alpha_) {
    for (size_t i = 3; i < pixels_.size(); i += 4) pixels_[i] = 255;
  }
}

Image Image::Opaque(int width, int height) { return Image(width, height, false); }

Image Image::Transparent(int width, int height) { return Image(width, height, true); }

Color Image::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return Color{0, 0, 0, 0};
  const std::uint8_t* p = row(y) + static_cast<size_t>(x) * 4;
  return Color{p[0], p[1], p[2], p[3]};
}

void Image::Plot(int x, int y, Color color, DrawMode mode) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  const std::uint8_t px[4] = {color.r, color.g, color.b, color.a};
  ApplyRow(row(y) + static_cast<size_t>(x) * 4, px, 0, 1, mode, alpha_, true);
}

void Image::Fill(Color color) { FillRect(0, 0, width_, height_, color, DrawMode::Copy); }

void Image::FillRect(int x, int y, int w, int h, Color color, DrawMode mode) {
  const Span cols = Clip(x, w, width_);
  const Span rows = Clip(y, h, height_);
  if (cols.begin >= cols.end || rows.begin >= rows.end) return;
  const std::uint8_t px[4] = {color.r, color.g, color.b, color.a};
  const int n = cols.end - cols.begin;
  for (int ty = rows.begin; ty < rows.end; ++ty) {
    ApplyRow(row(ty) + static_cast<size_t>(cols.begin) * 4, px, 0, n, mode, alpha_, true);
  }
}

void Image::Draw(const Image& source, int x, int y, DrawMode mode) {
  DrawClipped(source, x, y, mode, 255);
}

void Image::DrawWithOpacity(const Image& source, int x, int y, int opacity) {
  opacity = std::clamp(opacity, 0, 255);
  if (opacity > 0) DrawClipped(source, x, y, DrawMode::Blend, static_cast<unsigned>(opacity));
}

void Image::DrawClipped(const Image& source, int x, int y, DrawMode mode, unsigned opacity) {
  if (&source == this) {
    const Image copy = source;
    DrawClipped(copy, x, y, mode, opacity);
    return;
  }
  const Span cols = Clip(x, source.width_, width_);
  const Span rows = Clip(y, source.height_, height_);
  if (cols.begin >= cols.end || rows.begin >= rows.end) return;
  const int n = cols.end - cols.begin;
  for (int ty = rows.begin; ty < rows.end; ++ty) {
    const int sy = static_cast<int>(rows.offset) + (ty - rows.begin);
    ApplyRow(row(ty) + static_cast<size_t>(cols.begin) * 4,
             source.row(sy) + static_cast<size_t>(cols.offset) * 4, 4, n, mode, alpha_,
             source.alpha_, opacity);
  }
}

void Image::DrawScaled(const Image& source, int x, int y, int w, int h, DrawMode mode,
                       Scaling scaling) {
  if (w <= 0 || h <= 0 || source.is_null()) return;
  if (&source == this) {
    const Image copy = source;
    DrawScaled(copy, x, y, w, h, mode, scaling);
    return;
  }
  const Span cols = Clip(x, w, width_);
  const Span rows = Clip(y, h, height_);
  if (cols.begin >= cols.end || rows.begin >= rows.end) return;
  const int n = cols.end - cols.begin;
  const int sw = source.width_, sh = source.height_;
  std::vector<std::uint8_t> line(static_cast<size_t>(n) * 4);

  if (scaling == Scaling::Nearest) {
    std::vector<int> sx(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
      sx[static_cast<size_t>(i)] = static_cast<int>(CentreOf(cols.offset + i, sw, w, 1));
    }
    for (int ty = rows.begin; ty < rows.end; ++ty) {
      const int sy = static_cast<int>(CentreOf(rows.offset + (ty - rows.begin), sh, h, 1));
      const std::uint8_t* s = source.row(sy);
      std::uint8_t* out = line.data();
      for (int i = 0; i < n; ++i, out += 4) {
        std::memcpy(out, s + static_cast<size_t>(sx[static_cast<size_t>(i)]) * 4, 4);
      }
      ApplyRow(row(ty) + static_cast<size_t>(cols.begin) * 4, line.data(), 4, n, mode, alpha_,
               source.alpha_);
    }
    return;
  }

  std::vector<Tap> taps(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) taps[static_cast<size_t>(i)] = BilinearTap(cols.offset + i, sw, w);
  for (int ty = rows.begin; ty < rows.end; ++ty) {
    const Tap ry = BilinearTap(rows.offset + (ty - rows.begin), sh, h);
    const std::uint8_t* r0 = source.row(ry.i0);
    const std::uint8_t* r1 = source.row(ry.i1);
    std::uint8_t* out = line.data();
    for (int i = 0; i < n; ++i, out += 4) {
      const Tap& t = taps[static_cast<size_t>(i)];
      const std::uint8_t* p[4] = {
          r0 + static_cast<size_t>(t.i0) * 4, r0 + static_cast<size_t>(t.i1) * 4,
          r1 + static_cast<size_t>(t.i0) * 4, r1 + static_cast<size_t>(t.i1) * 4};
      const unsigned wx0 = kFrac - t.w1, wy0 = kFrac - ry.w1;
      const unsigned weights[4] = {wx0 * wy0, t.w1 * wy0, wx0 * ry.w1, t.w1 * ry.w1};
      SampleBilinear(out, p, weights);
    }
    ApplyRow(row(ty) + static_cast<size_t>(cols.begin) * 4, line.data(), 4, n, mode, alpha_,
             source.alpha_);
  }
}

Image Image::Scaled(int w, int h, Scaling scaling) const {
  Image result(w, h, alpha_);
  result.DrawScaled(*this, 0, 0, w, h, DrawMode::Copy, scaling);
  return result;
}

Image Image::Copy(int x, int y, int w, int h) const {
  Image result(w, h, alpha_);
  if (result.is_null()) return result;
  // Placing this image at (-x, -y) in the result copies exactly the overlap.
  const Span cols = Clip(-static_cast<std::int64_t>(x), width_, result.width_);
  const Span rows = Clip(-static_cast<std::int64_t>(y), height_, result.height_);
  if (cols.begin >= cols.end || rows.begin >= rows.end) return result;
  const size_t bytes = static_cast<size_t>(cols.end - cols.begin) * 4;
  for (int ty = rows.begin; ty < rows.end; ++ty) {
    const int sy = static_cast<int>(rows.offset) + (ty - rows.begin);
    std::memcpy(result.row(ty) + static_cast<size_t>(cols.begin) * 4,
                row(sy) + static_cast<size_t>(cols.offset) * 4, bytes);
  }
  return result;
}

const Image& Checkerboard() {
  static const Image board = [] {
    constexpr int kSize = 800, kSquare = 16;
    Image image = Image::Opaque(kSize, kSize);
    for (int y = 0; y < kSize; ++y) {
      std::uint8_t* p = image.row(y);
      for (int x = 0; x < kSize; ++x, p += 4) {
        const std::uint8_t v = ((x / kSquare + y / kSquare) % 2 == 0) ? 192 : 255;
        p[0] = p[1] = p[2] = v;
      }
    }
    return image;
  }();
  return board;
}

std::uint64_t Fingerprint(const Image& image) {
  // FNV-1a over eight bytes at a time.
  std::uint64_t hash = 14695981039346656037ull;
  const auto mix = [&hash](std::uint64_t value) {
    hash ^= value;
    hash *= 1099511628211ull;
  };
  mix(static_cast<std::uint64_t>(image.width()) << 33 ^
      static_cast<std::uint64_t>(image.height()) << 1 ^ (image.has_alpha() ? 1u : 0u));
  const std::uint8_t* p = image.data();
  const size_t size = static_cast<size_t>(image.width()) * image.height() * 4;
  size_t i = 0;
  for (; i + 8 <= size; i += 8) {
    std::uint64_t word;
    std::memcpy(&word, p + i, 8);
    mix(word);
  }
  for (; i < size; ++i) mix(p[i]);
  return hash;
}

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

}  // namespace vorlane
