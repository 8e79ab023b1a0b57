#include "scene/tile_edits.h"

#include <algorithm>
#include <cstdint>

#include "gui/number_text.h"

namespace vorlane {
namespace {

using std::int64_t;

bool Holds(const Tile& tile, int x, int y) {
  return tile.x < x && x < int64_t{tile.x} + tile.width && tile.y < y &&
         y < int64_t{tile.y} + tile.height;
}

bool OnLayer(const Tile& tile, const std::string& scene, int layer) {
  return tile.scene == scene && tile.depth == layer;
}

template <typename Pred>
int RemoveTiles(Project& project, Pred pred) {
  return static_cast<int>(std::erase_if(project.tiles, pred));
}

void MoveTile(Tile& tile, int dx, int dy) {
  // Positions stay where an int reaches however far they are pushed.
  tile.x = AddClamped(tile.x, dx);
  tile.y = AddClamped(tile.y, dy);
}

}  // namespace

int PlaceTile(Project& project, const std::string& scene, int layer, const std::string& tile_set,
              const TileSelection& selection, int x, int y) {
  Tile tile;
  tile.name = "tile_" + std::to_string(NextUID(project));
  tile.background = tile_set;
  tile.depth = layer;
  tile.left = selection.sx;
  tile.top = selection.sy;
  tile.width = selection.sw;
  tile.height = selection.sh;
  tile.x = x;
  tile.y = y;
  tile.scene = scene;
  project.tiles.push_back(std::move(tile));
  return static_cast<int>(project.tiles.size()) - 1;
}

int SelectTilesAt(const Project& project, const std::string& scene, int layer, int x, int y,
                  TileNames& selected) {
  int toggled = 0;
  for (const auto& tile : project.tiles) {
    if (OnLayer(tile, scene, layer) && Holds(tile, x, y)) {
      if (!selected.erase(tile.name)) selected.insert(tile.name);
      ++toggled;
    }
  }
  return toggled;
}

int SelectedTileAt(const Project& project, const std::string& scene, int layer, int x, int y,
                   const TileNames& selected) {
  for (size_t i = 0; i < project.tiles.size(); ++i) {
    const Tile& tile = project.tiles[i];
    if (OnLayer(tile, scene, layer) && Holds(tile, x, y) && selected.count(tile.name))
      return static_cast<int>(i);
  }
  return -1;
}

int RemoveTilesAt(Project& project, const std::string& scene, int layer, int x, int y) {
  return RemoveTiles(project,
                     [&](const Tile& t) { return OnLayer(t, scene, layer) && Holds(t, x, y); });
}

void MoveSelectedTiles(Project& project, const std::string& scene, const TileNames& selected,
                       int dx, int dy) {
  for (auto& tile : project.tiles)
    if (tile.scene == scene && selected.count(tile.name)) MoveTile(tile, dx, dy);
}

int CountSelectedTiles(const Project& project, const std::string& scene,
                       const TileNames& selected) {
  return static_cast<int>(
      std::count_if(project.tiles.begin(), project.tiles.end(),
                    [&](const Tile& t) { return t.scene == scene && selected.count(t.name); }));
}

std::string DeleteSelectedTilesQuestion(int count) {
  return "Delete " + std::to_string(count) + " tiles?";
}

int DeleteSelectedTiles(Project& project, const std::string& scene, const TileNames& selected) {
  return RemoveTiles(project,
                     [&](const Tile& t) { return t.scene == scene && selected.count(t.name); });
}

int DeleteAllTiles(Project& project, const std::string& scene) {
  return RemoveTiles(project, [&](const Tile& t) { return t.scene == scene; });
}

void ShiftTiles(Project& project, const std::string& scene, int layer, bool all_layers, int dx,
                int dy) {
  for (auto& tile : project.tiles)
    if (tile.scene == scene && (all_layers || tile.depth == layer)) MoveTile(tile, dx, dy);
}

int TileOpacity(bool tiles_tab, TileAction action, int current_layer, const Tile& tile) {
  const bool picking = action == TileAction::Select || action == TileAction::Remove;
  return tiles_tab && picking && tile.depth != current_layer ? kFaintTileOpacity : 255;
}

Image CutTile(const Image* background, int left, int top, int width, int height) {
  if (!TileSizeAllowed(width, height, PixelCount(background))) return {};
  const Tile tile{.left = left, .top = top, .width = width, .height = height};
  const ImageRef cut = CutTileImage(tile, background ? *background : Image());
  return cut ? *cut : Image();
}

}  // namespace vorlane
