#include "image/ui/frame_strip.h"

#include <algorithm>

#include "image/frame_edits.h"
#include "image/ui/picture_paint.h"

namespace vorlane {
namespace {

constexpr Color kStripBack{236, 236, 236, 255};
constexpr Color kWash{40, 110, 255, 80};
constexpr Color kBorder{20, 90, 230, 255};
constexpr int kBorderWidth = 2;

}  // namespace

void FrameStripLayout::Build(const Project& project, const std::string& sprite) {
  indices_ = SpriteFrames(project, sprite);
  x_.clear();
  widths_.clear();
  heights_.clear();
  long long x = kGap;
  int tallest = 0;
  for (int index : indices_) {
    const ImageRef& image = project.frames[static_cast<size_t>(index)].image;
    const int w = image ? image->width() : 0;
    const int h = image ? image->height() : 0;
    x_.push_back(x);
    widths_.push_back(w);
    heights_.push_back(h);
    x += w + kGap;
    tallest = std::max(tallest, h);
  }
  total_width_ = x;
  total_height_ = tallest + 2 * kGap;
}

int FrameStripLayout::Position(int frame_index) const {
  const auto found = std::find(indices_.begin(), indices_.end(), frame_index);
  return found == indices_.end() ? -1 : static_cast<int>(found - indices_.begin());
}

int FrameStripLayout::FirstReaching(long long left) const {
  // Frames lie left to right, so their right edges only grow.
  const auto after = std::upper_bound(x_.begin(), x_.end(), left);
  int k = static_cast<int>(after - x_.begin());
  if (k > 0 && x_[static_cast<size_t>(k - 1)] + widths_[static_cast<size_t>(k - 1)] > left) --k;
  return k;
}

int FrameStripLayout::Hit(long long x, int y) const {
  const int k = FirstReaching(x);
  if (k >= count() || x < x_[static_cast<size_t>(k)]) return -1;
  if (y < kGap || y >= kGap + height(k)) return -1;
  return k;
}

void PaintFrameStrip(Image& target, int left, int top, const Project& project,
                     const FrameStripLayout& layout, int current) {
  target.Fill(kStripBack);
  const long long right = static_cast<long long>(left) + target.width();
  // The border lies in the gap around the current frame, so start one
  // frame early.
  for (int k = std::max(0, layout.FirstReaching(left - FrameStripLayout::kGap));
       k < layout.count() && layout.x(k) - kBorderWidth < right; ++k) {
    const int x = static_cast<int>(layout.x(k) - left);
    const int y = FrameStripLayout::kGap - top;
    const int w = layout.width(k), h = layout.height(k);
    DrawCheckerboard(target, x, y, w, h);
    const ImageRef& image = project.frames[static_cast<size_t>(layout.frame_index(k))].image;
    if (image) target.Draw(*image, x, y, DrawMode::Blend);
    if (layout.frame_index(k) != current) continue;
    target.FillRect(x, y, w, h, kWash, DrawMode::Blend);
    const int b = kBorderWidth;
    target.FillRect(x - b, y - b, w + 2 * b, b, kBorder);
    target.FillRect(x - b, y + h, w + 2 * b, b, kBorder);
    target.FillRect(x - b, y, b, h, kBorder);
    target.FillRect(x + w, y, b, h, kBorder);
  }
}

void FrameStripTool::Press(const PointerEvent& event) {
  if (event.button != Qt::LeftButton) return;
  const int k = layout_.Hit(event.x, event.y);
  if (k >= 0) choose_(layout_.frame_index(k));
}

}  // namespace vorlane
