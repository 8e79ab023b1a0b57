#include "image/frame_edits.h"

#include <climits>
#include <cstdint>
#include <string>
#include <utility>

#include "image/strip.h"
#include "project/thumbnails.h"

namespace vorlane {
namespace {

// A frame's picture; a frame without one reads as the null image.
const Image& PictureOf(const Frame& frame) {
  static const Image none;
  return frame.image ? *frame.image : none;
}

bool IsFrameOf(const Project& project, const std::string& sprite, int index) {
  return index >= 0 && index < static_cast<int>(project.frames.size()) &&
         project.frames[static_cast<size_t>(index)].sprite == sprite;
}

bool SideFits(int side) { return side >= 1 && side <= kMaxFrameSide; }

// `picture` drawn over a see-through width x height image at (x, y).
Image Placed(const Image& picture, int width, int height, int x, int y) {
  Image result = Image::Transparent(width, height);
  result.Draw(picture, x, y, DrawMode::Blend);
  return result;
}

// `picture` stretched over a see-through width x height image.
Image Stretched(const Image& picture, int width, int height, Scaling scaling) {
  Image result = Image::Transparent(width, height);
  result.DrawScaled(picture, 0, 0, width, height, DrawMode::Blend, scaling);
  return result;
}

int RemoveFrames(Project& project, const std::string& sprite) {
  return static_cast<int>(
      std::erase_if(project.frames, [&sprite](const Frame& f) { return f.sprite == sprite; }));
}

}  // namespace

std::vector<int> SpriteFrames(const Project& project, const std::string& sprite) {
  std::vector<int> indices;
  for (size_t i = 0; i < project.frames.size(); ++i)
    if (project.frames[i].sprite == sprite) indices.push_back(static_cast<int>(i));
  return indices;
}

int AppendFrame(Project& project, const std::string& sprite, Image image) {
  Frame frame;
  frame.file = NextFrameNumber(project, sprite);
  frame.sprite = sprite;
  frame.image = ShareImage(std::move(image));
  project.frames.push_back(std::move(frame));
  return static_cast<int>(project.frames.size()) - 1;
}

int NewSpriteFrames(Project& project, const std::string& sprite, int width, int height) {
  if (!SideFits(width) || !SideFits(height)) return -1;
  RemoveFrames(project, sprite);
  return AppendFrame(project, sprite, Image::Transparent(width, height));
}

int AddFramePicture(Project& project, const std::string& sprite, const Image& picture, FrameFit fit,
                    FramePlacement placement) {
  const std::vector<int> frames = SpriteFrames(project, sprite);
  if (frames.empty()) return AppendFrame(project, sprite, picture);
  const Image& last = PictureOf(project.frames[static_cast<size_t>(frames.back())]);
  const int fw = last.width(), fh = last.height();
  const int nw = picture.width(), nh = picture.height();
  if (fw == nw && fh == nh) return AppendFrame(project, sprite, picture);

  if (fit == FrameFit::Keep) {
    switch (placement) {
      case FramePlacement::TopLeft:
        return AppendFrame(project, sprite, Placed(picture, fw, fh, 0, 0));
      case FramePlacement::Centre:
        return AppendFrame(project, sprite,
                           Placed(picture, fw, fh, fw / 2 - nw / 2, fh / 2 - nh / 2));
      case FramePlacement::Stretch:
        return AppendFrame(project, sprite, Stretched(picture, fw, fh, Scaling::Bilinear));
    }
  }

  // Every old frame takes the picture's size; centring goes by the last
  // frame's size for all of them, so frames that lined up still do.
  const int cx = nw / 2 - fw / 2, cy = nh / 2 - fh / 2;
  for (int index : frames) {
    Frame& frame = project.frames[static_cast<size_t>(index)];
    const Image& old = PictureOf(frame);
    switch (placement) {
      case FramePlacement::TopLeft: frame.image = ShareImage(Placed(old, nw, nh, 0, 0)); break;
      case FramePlacement::Centre: frame.image = ShareImage(Placed(old, nw, nh, cx, cy)); break;
      case FramePlacement::Stretch:
        frame.image = ShareImage(Stretched(old, nw, nh, Scaling::Nearest));
        break;
    }
  }
  return AppendFrame(project, sprite, picture);
}

Image FrameStrip(const Project& project, const std::string& sprite) {
  const std::vector<int> frames = SpriteFrames(project, sprite);
  if (frames.empty()) return {};
  const Image& last = PictureOf(project.frames[static_cast<size_t>(frames.back())]);
  const int fw = last.width(), fh = last.height();
  if (fw <= 0 || fh <= 0) return {};
  const std::int64_t total = std::int64_t{fw} * static_cast<std::int64_t>(frames.size());
  if (total > INT_MAX) return {};
  Image strip = Image::Transparent(static_cast<int>(total), fh);
  for (size_t k = 0; k < frames.size(); ++k)
    strip.Draw(PictureOf(project.frames[static_cast<size_t>(frames[k])]), static_cast<int>(k) * fw,
               0, DrawMode::Blend);
  return strip;
}

int DuplicateFrame(Project& project, const std::string& sprite, int current) {
  if (!IsFrameOf(project, sprite, current)) return current;
  Frame copy;
  copy.file = NextFrameNumber(project, sprite);
  copy.sprite = sprite;
  // Pictures are never changed in place, so the copy can share this one.
  const ImageRef& image = project.frames[static_cast<size_t>(current)].image;
  copy.image = image ? image : ShareImage();
  project.frames.push_back(std::move(copy));
  return static_cast<int>(project.frames.size()) - 1;
}

int MoveFrame(Project& project, const std::string& sprite, int current, bool right) {
  if (!IsFrameOf(project, sprite, current)) return current;
  const int other = right ? current + 1 : current - 1;
  if (!IsFrameOf(project, sprite, other)) return current;
  std::swap(project.frames[static_cast<size_t>(current)],
            project.frames[static_cast<size_t>(other)]);
  return other;
}

int DeleteFrame(Project& project, const std::string& sprite, int current) {
  if (!IsFrameOf(project, sprite, current)) return current;
  project.frames.erase(project.frames.begin() + current);
  const std::vector<int> frames = SpriteFrames(project, sprite);
  return frames.empty() ? -1 : frames.front();
}

bool ResizeFrameCanvas(Project& project, const std::string& sprite, int width, int height) {
  if (!SideFits(width) || !SideFits(height)) return false;
  for (Frame& frame : project.frames) {
    if (frame.sprite != sprite) continue;
    const Image& old = PictureOf(frame);
    frame.image = ShareImage(
        Placed(old, width, height, width / 2 - old.width() / 2, height / 2 - old.height() / 2));
  }
  return true;
}

bool StretchFrames(Project& project, const std::string& sprite, int width, int height,
                   bool smooth) {
  if (!SideFits(width) || !SideFits(height)) return false;
  const Scaling scaling = smooth ? Scaling::Bilinear : Scaling::Nearest;
  for (Frame& frame : project.frames) {
    if (frame.sprite != sprite) continue;
    frame.image = ShareImage(Stretched(PictureOf(frame), width, height, scaling));
  }
  return true;
}

int KeepAspect(int other_current, int this_current, int this_new) {
  if (this_current == 0) return 0;
  return Round(static_cast<double>(other_current) * this_new / this_current, Rounding::Nearest);
}

void ApplyToFrames(Project& project, const std::string& sprite, int current, bool all,
                   const std::function<Image(const Image&)>& effect) {
  if (!IsFrameOf(project, sprite, current) || !effect) return;
  const Image& shown = PictureOf(project.frames[static_cast<size_t>(current)]);
  const int cw = shown.width(), ch = shown.height();
  const std::vector<int> frames = all ? SpriteFrames(project, sprite) : std::vector<int>{current};
  for (int index : frames) {
    Frame& frame = project.frames[static_cast<size_t>(index)];
    // Each frame at the current frame's size, see-through where it is smaller.
    Image input = Image::Transparent(cw, ch);
    input.Draw(PictureOf(frame), 0, 0, DrawMode::Copy);
    frame.image = ShareImage(effect(input));
  }
}

bool ImportStrip(Project& project, int sprite_index, const Image& strip, int columns, int rows) {
  if (columns < 1 || rows < 1 || columns > strip.width() || rows > strip.height()) return false;
  if (sprite_index < 0 || sprite_index >= static_cast<int>(project.sprites.size())) return false;
  Sprite& sprite = project.sprites[static_cast<size_t>(sprite_index)];
  std::vector<Image> cells = CutStrip(strip, columns, rows);
  RemoveFrames(project, sprite.name);
  project.frames.reserve(project.frames.size() + cells.size());
  for (size_t k = 0; k < cells.size(); ++k) {
    Frame frame;
    frame.file = std::to_string(k);
    frame.sprite = sprite.name;
    frame.image = ShareImage(std::move(cells[k]));
    project.frames.push_back(std::move(frame));
  }
  const int fw = strip.width() / columns, fh = strip.height() / rows;
  sprite.centerx = 0;
  sprite.centery = 0;
  sprite.collisionleft = 0;
  sprite.collisiontop = 0;
  sprite.collisionright = fw;
  sprite.collisionbottom = fh;
  sprite.collisionradius = fw / 2;
  BuildSpriteThumbnails(project);
  return true;
}

}  // namespace vorlane
