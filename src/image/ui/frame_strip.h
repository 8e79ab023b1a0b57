// The frame editor's strip: every frame of the sprite side by side, 10
// pixels apart, drawn as one picture of which only the visible part is ever
// painted, so a sprite of thousands of frames costs no more than a few.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "gui/canvas_tool.h"
#include "project/model.h"

namespace vorlane {

class FrameStripLayout {
 public:
  static constexpr int kGap = 10;

  // Lays out the sprite's frames as the project holds them now.
  void Build(const Project& project, const std::string& sprite);

  int count() const { return static_cast<int>(indices_.size()); }
  // The frame at position `k`, as an index into the project's frame list.
  int frame_index(int k) const { return indices_[static_cast<size_t>(k)]; }
  // The position of a frame list index, -1 when it is not in the strip.
  int Position(int frame_index) const;
  long long x(int k) const { return x_[static_cast<size_t>(k)]; }
  int width(int k) const { return widths_[static_cast<size_t>(k)]; }
  int height(int k) const { return heights_[static_cast<size_t>(k)]; }
  // The whole strip's size.
  long long total_width() const { return total_width_; }
  int total_height() const { return total_height_; }

  // The position of the frame under the strip pixel (x, y), -1 for none.
  int Hit(long long x, int y) const;
  // The first position whose frame reaches to `left` or beyond.
  int FirstReaching(long long left) const;

 private:
  std::vector<int> indices_;
  std::vector<long long> x_;
  std::vector<int> widths_;
  std::vector<int> heights_;
  long long total_width_ = 0;
  int total_height_ = 0;
};

// Paints the part of the strip whose top-left pixel is (left, top): each
// frame over the checkerboard, the current one (a frame list index, -1 for
// none) washed in blue inside a blue border.
void PaintFrameStrip(Image& target, int left, int top, const Project& project,
                     const FrameStripLayout& layout, int current);

// A left click on a frame chooses it.
class FrameStripTool : public CanvasTool {
 public:
  FrameStripTool(const FrameStripLayout& layout, std::function<void(int frame_index)> choose)
      : layout_(layout), choose_(std::move(choose)) {}
  void Press(const PointerEvent& event) override;

 private:
  const FrameStripLayout& layout_;
  std::function<void(int)> choose_;
};

}  // namespace vorlane
