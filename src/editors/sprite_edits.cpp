#include "editors/sprite_edits.h"

#include <algorithm>
#include <cmath>

#include "gui/number_text.h"
#include "project/rename.h"

namespace vorlane {
namespace {

constexpr Color kCross{0, 0, 0, 255};
constexpr Color kShape{0, 255, 0, 130};

// [begin, end) of the zoomed run starting at `from` that falls in the target.
std::pair<long long, long long> Visible(long long from, long long length, int left, int size) {
  return {std::max<long long>(from, left), std::min<long long>(from + length, left + size)};
}

void PaintCircle(Image& target, int left, int top, long long cx, long long cy, long long r) {
  if (r <= 0) return;
  const auto [y0, y1] = Visible(cy - r, 2 * r, top, target.height());
  for (long long y = y0; y < y1; ++y) {
    // The run of pixels whose centres lie inside the circle on this row.
    const double dy = y + 0.5 - cy;
    const double half = std::sqrt(std::max(0.0, double(r) * r - dy * dy));
    const long long x0 = static_cast<long long>(std::ceil(cx - half - 0.5));
    const long long x1 = static_cast<long long>(std::floor(cx + half - 0.5)) + 1;
    const auto [a, b] = Visible(x0, x1 - x0, left, target.width());
    if (b > a)
      target.FillRect(static_cast<int>(a - left), static_cast<int>(y - top),
                      static_cast<int>(b - a), 1, kShape, DrawMode::Blend);
  }
}

}  // namespace

SpritePreviewSettings& SpritePreview() {
  static SpritePreviewSettings settings;
  return settings;
}

std::string SpriteSizeLabel(const Project& project, const std::string& sprite) {
  std::string label;
  for (const Frame& frame : project.frames)
    if (frame.sprite == sprite && frame.image)
      label = "Size: " + std::to_string(frame.image->width()) + " x " +
              std::to_string(frame.image->height());
  return label;
}

std::vector<ImageRef> SpritePictures(const Project& project, const std::string& sprite) {
  std::vector<ImageRef> pictures;
  for (const Frame& frame : project.frames)
    if (frame.sprite == sprite && frame.image) pictures.push_back(frame.image);
  return pictures;
}

bool SetOrigin(int& origin, const std::string& text, int extent) {
  const int value = LeadingInt(text);
  if (value > extent) return false;
  origin = value;
  return true;
}

bool CenterOrigin(Sprite& sprite, int width, int height) {
  if (width <= 0 || height <= 0) return false;
  sprite.centerx = width / 2;
  sprite.centery = height / 2;
  return true;
}

void PaintSpritePreview(Image& target, int left, int top, const Image& frame, const Sprite& sprite,
                        const std::string& shape, int zoom, bool show_shape) {
  // The checkerboard repeats under frames larger than it.
  DrawCheckerboard(target, -left, -top, left + target.width(), top + target.height());
  if (frame.is_null()) return;

  // Each target pixel takes the frame pixel under it, nearest.
  const long long zw = 1LL * frame.width() * zoom, zh = 1LL * frame.height() * zoom;
  const int cols = static_cast<int>(std::clamp<long long>(zw - left, 0, target.width()));
  const int rows = static_cast<int>(std::clamp<long long>(zh - top, 0, target.height()));
  if (cols > 0 && rows > 0) {
    Image part = Image::Transparent(cols, rows);
    for (int y = 0; y < rows; ++y) {
      const std::uint8_t* source = frame.row(static_cast<int>((top + y) / zoom));
      std::uint8_t* out = part.row(y);
      for (int x = 0; x < cols; ++x) {
        const std::uint8_t* p = source + 4 * ((left + x) / zoom);
        std::copy(p, p + 4, out + 4 * x);
        if (!frame.has_alpha()) out[4 * x + 3] = 255;
      }
    }
    target.Draw(part, 0, 0);
  }

  // The origin cross, one pixel wide, over the whole zoomed frame.
  const long long cross_x = 1LL * sprite.centerx * zoom - left;
  const long long cross_y = 1LL * sprite.centery * zoom - top;
  const auto [ry0, ry1] = Visible(0, zh, top, target.height());
  const auto [rx0, rx1] = Visible(0, zw, left, target.width());
  if (cross_x >= 0 && cross_x < target.width() && ry1 > ry0)
    target.FillRect(static_cast<int>(cross_x), static_cast<int>(ry0 - top), 1,
                    static_cast<int>(ry1 - ry0), kCross);
  if (cross_y >= 0 && cross_y < target.height() && rx1 > rx0)
    target.FillRect(static_cast<int>(rx0 - left), static_cast<int>(cross_y),
                    static_cast<int>(rx1 - rx0), 1, kCross);
  if (!show_shape) return;
  if (shape == "Box") {
    const long long x = 1LL * sprite.collisionleft * zoom, y = 1LL * sprite.collisiontop * zoom;
    const long long w = 1LL * (sprite.collisionright - sprite.collisionleft) * zoom;
    const long long h = 1LL * (sprite.collisionbottom - sprite.collisiontop) * zoom;
    const auto [x0, x1] = Visible(x, w, left, target.width());
    const auto [y0, y1] = Visible(y, h, top, target.height());
    if (x1 > x0 && y1 > y0)
      target.FillRect(static_cast<int>(x0 - left), static_cast<int>(y0 - top),
                      static_cast<int>(x1 - x0), static_cast<int>(y1 - y0), kShape,
                      DrawMode::Blend);
  } else if (shape == "Circle") {
    PaintCircle(target, left, top, 1LL * (frame.width() / 2) * zoom,
                1LL * (frame.height() / 2) * zoom, 1LL * sprite.collisionradius * zoom);
  }
}

std::string StoreSpriteName(Project& project, int index, const std::string& name) {
  if (index < 0 || index >= static_cast<int>(project.sprites.size())) return "";
  SetModified(project, 1);
  if (std::string refusal = CheckResourceName(project, ResourceKind::Sprite, name, index);
      !refusal.empty())
    return refusal;
  RenameResource(project, ResourceKind::Sprite, index, name);
  return "";
}

}  // namespace vorlane
