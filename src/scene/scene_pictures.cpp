#include "scene/scene_pictures.h"

#include "project/project_file.h"
#include "scene/rotate_image.h"

namespace vorlane {

ScenePictures::ScenePictures(LoadTileSet load) : load_(std::move(load)) {}

const Image& ScenePictures::Turned(const ImageRef& picture, int angle) {
  if (angle == 0) return *picture;
  Made& turned = turned_[{picture.get(), angle}];
  if (!turned.made)
    turned = {picture, ShareImage(RotateImage(*picture, angle, true, Color{255, 255, 255, 255}))};
  return *turned.made;
}

const Image& ScenePictures::Shrunk(const ImageRef& picture, int shrink) {
  if (shrink <= 1) return *picture;
  Made& made = shrunk_[{picture.get(), shrink}];
  if (!made.made) {
    const auto side = [shrink](int pixels) { return std::max(1, (pixels + shrink - 1) / shrink); };
    made = {picture, ShareImage(picture->Scaled(side(picture->width()), side(picture->height()),
                                                Scaling::Bilinear))};
  }
  return *made.made;
}

const Image& ScenePictures::Shown(const ImageRef& picture, int angle, int shrink) {
  if (angle == 0) return Shrunk(picture, shrink);
  Turned(picture, angle);
  return Shrunk(turned_[{picture.get(), angle}].made, shrink);
}

const Image* ScenePictures::TileImage(const Tile& tile, const Background& set, int shrink) {
  const int max_side = PictureLimits{}.max_side;
  if (tile.width <= 0 || tile.height <= 0 || tile.width > max_side || tile.height > max_side)
    return nullptr;
  const auto [found, added] = sets_.try_emplace(set.name);
  TileSet& loaded = found->second;
  if (added || loaded.file != set.file) {
    Image picture = load_ ? load_(set) : Image();
    loaded = {set.file, picture.is_null() ? nullptr : ShareImage(std::move(picture))};
  }
  // Without its picture a tile is red whatever part it shows.
  const Image* from = loaded.picture.get();
  const auto key = from ? std::tuple(from, tile.left, tile.top, tile.width, tile.height)
                        : std::tuple(from, 0, 0, tile.width, tile.height);
  Made& cut = cuts_[key];
  if (!cut.made) cut = {loaded.picture, CutTileImage(tile, from ? *from : Image())};
  return &Shrunk(cut.made, shrink);
}

}  // namespace vorlane
