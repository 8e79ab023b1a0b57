#include "image/drawing.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <unordered_set>

namespace vorlane {
namespace {

QRect Bounds(const Image& image) { return QRect(0, 0, image.width(), image.height()); }

// What a pixel of this image holds after `color` is written: a 24-bit
// image keeps every alpha at 255.
Color Stored(const Image& image, Color color) {
  if (!image.has_alpha()) color.a = 255;
  return color;
}

// A shape as one span of pixels per row: rows outside the box are empty
// (left > right).
struct Span {
  int left = 0, right = -1;
};

class ShapeRows {
 public:
  ShapeRows(Shape shape, const QRect& box) : shape_(shape), box_(box) {}

  Span Row(int y) const {
    if (y < box_.top() || y > box_.bottom()) return {};
    if (shape_ == Shape::Rectangle) return {box_.left(), box_.right()};
    // Pixel centres inside the ellipse whose radii are a quarter pixel
    // short of the box's half sides: round enough that a 3 x 3 circle is a
    // plus, not a square. The offset from the middle row is kept in whole
    // numbers so that rows above and below the middle mirror exactly.
    const int w = box_.width(), h = box_.height();
    const double t = 2.0 * (2 * (y - box_.top()) + 1 - h) / (2 * h - 1);
    const double half = (w / 2.0 - 0.25) * std::sqrt(std::max(0.0, 1.0 - t * t));
    int left = static_cast<int>(std::ceil(box_.left() + w / 2.0 - half - 0.5 - 1e-9));
    // Each row keeps at least its middle pixel (two for an even width), so
    // the ellipse always reaches the top and bottom of its box.
    left = std::min(left, box_.left() + (w - 1) / 2);
    return {left, box_.left() + box_.right() - left};
  }

  // Row y minus the pixels deeper than `size` steps inside the shape.
  void Outline(int y, int size, Span* first, Span* second) const {
    const Span row = Row(y);
    int inner_left = row.left, inner_right = row.right;
    for (int dy = -size; dy <= size; ++dy) {
      const Span near = Row(y + dy);
      const int reach = size - std::abs(dy);
      if (near.left > near.right) {
        inner_left = 1, inner_right = 0;
        break;
      }
      inner_left = std::max(inner_left, near.left + reach);
      inner_right = std::min(inner_right, near.right - reach);
    }
    if (inner_left > inner_right) {
      *first = row;
      *second = {};
      return;
    }
    *first = {row.left, inner_left - 1};
    *second = {inner_right + 1, row.right};
  }

 private:
  Shape shape_;
  QRect box_;
};

void FillSpan(Image& image, int y, Span span, Color color) {
  if (span.left <= span.right) image.FillRect(span.left, y, span.right - span.left + 1, 1, color);
}

}  // namespace

QRect BrushSquare(int x, int y, int size) {
  size = std::clamp(size, kMinBrush, kMaxBrush);
  return QRect(x - size / 2, y - size / 2, size, size);
}

Color EraseColor(const Image& image, Color secondary) {
  return image.has_alpha() ? Color{0, 0, 0, 0} : Stored(image, secondary);
}

QRect DrawDot(Image& image, int x, int y, int size, Color color) {
  const QRect square = BrushSquare(x, y, size).intersected(Bounds(image));
  if (square.isEmpty()) return {};
  image.FillRect(square.x(), square.y(), square.width(), square.height(), color);
  return square;
}

QRect DrawLine(Image& image, QPoint from, QPoint to, int size, Color color) {
  const int dx = std::abs(to.x() - from.x()), dy = -std::abs(to.y() - from.y());
  const int step_x = from.x() < to.x() ? 1 : -1, step_y = from.y() < to.y() ? 1 : -1;
  int error = dx + dy;
  int x = from.x(), y = from.y();
  QRect changed;
  for (;;) {
    changed |= DrawDot(image, x, y, size, color);
    if (x == to.x() && y == to.y()) break;
    const int twice = 2 * error;
    if (twice >= dy) error += dy, x += step_x;
    if (twice <= dx) error += dx, y += step_y;
  }
  return changed;
}

QRect CornerRect(QPoint a, QPoint b) {
  // Not QRect(a, b).normalized(): it loses a column and a row of reversed corners.
  return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
               QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
}

QPoint ConstrainSquare(QPoint from, QPoint to) {
  const int dx = to.x() - from.x(), dy = to.y() - from.y();
  const int side = std::max(std::abs(dx), std::abs(dy));
  return QPoint(from.x() + (dx < 0 ? -side : side), from.y() + (dy < 0 ? -side : side));
}

QPoint ConstrainLine(QPoint from, QPoint to) {
  const int dx = to.x() - from.x(), dy = to.y() - from.y();
  // Within 22.5 degrees of level or upright (tan 22.5 is about 0.414).
  if (std::abs(dy) * 1000 <= std::abs(dx) * 414) return QPoint(to.x(), from.y());
  if (std::abs(dx) * 1000 <= std::abs(dy) * 414) return QPoint(from.x(), to.y());
  return ConstrainSquare(from, to);
}

QRect DrawShape(Image& image, Shape shape, QPoint a, QPoint b, bool filled, int size, Color color) {
  const QRect box = CornerRect(a, b);
  const QRect changed = box.intersected(Bounds(image));
  if (changed.isEmpty()) return {};
  size = std::clamp(size, kMinBrush, kMaxBrush);
  const ShapeRows rows(shape, box);
  for (int y = changed.top(); y <= changed.bottom(); ++y) {
    if (filled) {
      FillSpan(image, y, rows.Row(y), color);
      continue;
    }
    Span first, second;
    rows.Outline(y, size, &first, &second);
    FillSpan(image, y, first, color);
    FillSpan(image, y, second, color);
  }
  return changed;
}

QRect FloodFill(Image& image, int x, int y, Color color, int tolerance, bool contiguous) {
  if (!Bounds(image).contains(x, y)) return {};
  const Color start = image.Pixel(x, y);
  const int w = image.width(), h = image.height();
  const auto matches = [&](int px, int py) {
    const std::uint8_t* p = image.row(py) + static_cast<size_t>(px) * 4;
    return std::abs(p[0] - start.r) <= tolerance && std::abs(p[1] - start.g) <= tolerance &&
           std::abs(p[2] - start.b) <= tolerance && std::abs(p[3] - start.a) <= tolerance;
  };
  const Color stored = Stored(image, color);
  const std::uint8_t bytes[4] = {stored.r, stored.g, stored.b, stored.a};
  QRect changed;
  const auto fill = [&](int left, int right, int py) {
    std::uint8_t* p = image.row(py) + static_cast<size_t>(left) * 4;
    for (int px = left; px <= right; ++px, p += 4) std::copy(bytes, bytes + 4, p);
    changed |= QRect(left, py, right - left + 1, 1);
  };

  if (!contiguous) {
    for (int py = 0; py < h; ++py)
      for (int px = 0; px < w; ++px) {
        if (!matches(px, py)) continue;
        int right = px;
        while (right + 1 < w && matches(right + 1, py)) ++right;
        fill(px, right, py);
        px = right;
      }
    return changed;
  }

  // Scanlines from an explicit stack of seeds: each seed grows into the run
  // of matching pixels holding it, and seeds the runs above and below. The
  // done-marks keep a pixel whose new colour still matches from being
  // filled again.
  std::vector<std::uint8_t> done(static_cast<size_t>(w) * h, 0);
  const auto open = [&](int px, int py) {
    return !done[static_cast<size_t>(py) * w + px] && matches(px, py);
  };
  std::vector<QPoint> seeds{QPoint(x, y)};
  while (!seeds.empty()) {
    const QPoint seed = seeds.back();
    seeds.pop_back();
    const int py = seed.y();
    if (!open(seed.x(), py)) continue;
    int left = seed.x(), right = seed.x();
    while (left > 0 && open(left - 1, py)) --left;
    while (right + 1 < w && open(right + 1, py)) ++right;
    std::fill_n(done.begin() + static_cast<std::ptrdiff_t>(py) * w + left, right - left + 1, 1);
    fill(left, right, py);
    for (int ny : {py - 1, py + 1}) {
      if (ny < 0 || ny >= h) continue;
      for (int px = left; px <= right; ++px) {
        if (!open(px, ny)) continue;
        seeds.emplace_back(px, ny);
        while (px + 1 <= right && open(px + 1, ny)) ++px;
      }
    }
  }
  return changed;
}

Image CopyArea(const Image& image, const QRect& area) {
  const QRect inside = area.intersected(Bounds(image));
  if (inside.isEmpty()) return {};
  return image.Copy(inside.x(), inside.y(), inside.width(), inside.height());
}

QRect ClearArea(Image& image, const QRect& area, Color erase) {
  const QRect inside = area.intersected(Bounds(image));
  if (inside.isEmpty()) return {};
  image.FillRect(inside.x(), inside.y(), inside.width(), inside.height(), erase);
  return inside;
}

QRect PasteImage(Image& image, const Image& source, QPoint at) {
  image.Draw(source, at.x(), at.y(), DrawMode::Copy);
  return QRect(at, QSize(source.width(), source.height())).intersected(Bounds(image));
}

QRect MoveArea(Image& image, const QRect& area, QPoint offset, Color erase) {
  const Image lifted = CopyArea(image, area);
  if (lifted.is_null()) return {};
  const QRect from = ClearArea(image, area, erase);
  return from | PasteImage(image, lifted, from.topLeft() + offset);
}

std::vector<Color> PictureColors(const std::vector<const Image*>& pictures, std::size_t cap) {
  std::vector<Color> colors;
  std::unordered_set<std::uint32_t> seen;
  // Drawn pictures are mostly runs of one colour: a pixel like the one
  // before it needs no look-up, which makes a large frame quick to scan.
  std::uint32_t last = 0;
  bool has_last = false;
  for (const Image* picture : pictures) {
    if (!picture) continue;
    for (int y = 0; y < picture->height(); ++y) {
      const std::uint8_t* p = picture->row(y);
      for (int x = 0; x < picture->width(); ++x, p += 4) {
        std::uint32_t value;  // the four bytes as they lie, only compared
        std::memcpy(&value, p, 4);
        if (has_last && value == last) continue;
        last = value;
        has_last = true;
        if (!seen.insert(value).second) continue;
        if (colors.size() >= cap) return colors;
        colors.push_back(Color{p[0], p[1], p[2], p[3]});
      }
    }
  }
  return colors;
}

}  // namespace vorlane
