// What the scene editor does to the tiles of a scene. Each function changes
// the project only; the window wraps every user action in one undo step and
// asks its questions before calling.
//
// A tile belongs to the layer of its scene whose value equals its depth.
// Pointer tests are strict: a tile at (x, y) of w x h holds the points with
// x < px < x + w and y < py < y + h, so a click on its left or top edge
// misses it.
#pragma once

#include <string>
#include <unordered_set>

#include "gui/image.h"
#include "project/model.h"
#include "scene/tile_set_view.h"

namespace vorlane {

// What the left button does on the scene while the Tiles tab is shown.
enum class TileAction { Place, Select, Remove };

// Appends a tile of `tile_set` cut at `selection` at (x, y) of `scene` on
// the layer `layer`. Returns its index in project.tiles.
int PlaceTile(Project& project, const std::string& scene, int layer, const std::string& tile_set,
              const TileSelection& selection, int x, int y);

// The selection is the editor's own, by tile name (unique, made from the
// project's uid, and kept across undo).
using TileNames = std::unordered_set<std::string>;

// Toggles in `selected` every tile of `scene` on `layer` under the point.
// Returns how many were toggled.
int SelectTilesAt(const Project& project, const std::string& scene, int layer, int x, int y,
                  TileNames& selected);

// The first selected tile of `scene` on `layer` under the point, as an
// index into the tile list; -1 when there is none.
int SelectedTileAt(const Project& project, const std::string& scene, int layer, int x, int y,
                   const TileNames& selected);

// Deletes every tile of `scene` on `layer` under the point. Returns how many.
int RemoveTilesAt(Project& project, const std::string& scene, int layer, int x, int y);

// Moves every selected tile of `scene`, whatever its layer, by (dx, dy).
void MoveSelectedTiles(Project& project, const std::string& scene, const TileNames& selected,
                       int dx, int dy);

int CountSelectedTiles(const Project& project, const std::string& scene, const TileNames& selected);
// The question asked before DeleteSelectedTiles, titled "Confirm".
std::string DeleteSelectedTilesQuestion(int count);
// Deletes the selected tiles of `scene` (any layer). Returns how many.
int DeleteSelectedTiles(Project& project, const std::string& scene, const TileNames& selected);

// The question asked before DeleteAllTiles, titled "Confirm".
inline constexpr char kDeleteAllTilesQuestion[] = "Delete all tiles in this scene?";
// Deletes every tile of `scene`, on every layer. Returns how many.
int DeleteAllTiles(Project& project, const std::string& scene);

// Moves the tiles of `scene` by (dx, dy): all of them with `all_layers`,
// otherwise those on `layer`.
void ShiftTiles(Project& project, const std::string& scene, int layer, bool all_layers, int dx,
                int dy);

// The opacity (0 to 255) a tile is drawn with on the scene: while the Tiles
// tab selects or removes, tiles of other layers than the current one are
// faint so the user sees which ones the pointer acts on.
inline constexpr int kFaintTileOpacity = 100;
int TileOpacity(bool tiles_tab, TileAction action, int current_layer, const Tile& tile);

// A tile's picture: a 32-bit width x height picture with `background` blended
// in at (-left, -top); plain red when the background's picture is missing,
// so the user sees which tiles lost theirs. A null image when the size is
// not above 0 or over TileSizeAllowed.
Image CutTile(const Image* background, int left, int top, int width, int height);

}  // namespace vorlane
