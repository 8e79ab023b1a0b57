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

const Image* ScenePictures::TileImage(const Tile& tile, const Background& set) {
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
  return cut.made.get();
}

}  // namespace vorlane
