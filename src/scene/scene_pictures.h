// The pictures the scene editor shows, made when first drawn and kept by
// what each is made from: an instance's picture turned by its image angle,
// a tile's cut-out of its tile set. Records hold none of them, so an undone
// edit simply shows the pictures of the records it restored.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <unordered_map>

#include "gui/image.h"
#include "project/model.h"

namespace vorlane {

class ScenePictures {
 public:
  // Reads a tile set's picture: a background's `file`, a null picture when
  // it cannot be loaded.
  using LoadTileSet = std::function<Image(const Background&)>;
  explicit ScenePictures(LoadTileSet load = {});

  // `picture` turned by `angle` (smoothed, white around it), or `picture`
  // itself when unturned.
  const Image& Turned(const ImageRef& picture, int angle);
  // The same, made smaller by `shrink` (1: the picture itself) for a
  // zoomed-out view: each side divided, rounded up.
  const Image& Shown(const ImageRef& picture, int angle, int shrink);

  // The cut-out of `tile` from the picture of `set`, its tile set: plain red
  // when that picture cannot be loaded; null when the tile's size is not one
  // a picture may have. Tiles cut alike share one cut-out.
  const Image* TileImage(const Tile& tile, const Background& set, int shrink = 1);
  // Any picture of the editor's own (the marker, a ghost) made smaller.
  const Image& Shrunk(const ImageRef& picture, int shrink);

 private:
  struct Made {
    ImageRef from;  // kept, so that its identity is not reused
    ImageRef made;
  };
  struct TileSet {
    std::string file;
    ImageRef picture;  // null when it could not be loaded
  };

  LoadTileSet load_;
  std::map<std::pair<const Image*, int>, Made> turned_;
  std::unordered_map<std::string, TileSet> sets_;  // by background name
  std::map<std::tuple<const Image*, int, int, int, int>, Made> cuts_;
  std::map<std::pair<const Image*, int>, Made> shrunk_;
};

}  // namespace vorlane
