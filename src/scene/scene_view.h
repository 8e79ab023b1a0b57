// Drawing a scene as the scene editor shows it: background colour and
// picture, instances and tiles by depth, selection boxes, the grid and the
// placement ghost. Only the part on screen is drawn, so a very large scene
// costs no more than a small one.
#pragma once

#include <string>
#include <vector>

#include "gui/image.h"
#include "project/model.h"
#include "scene/scene_pictures.h"
#include "scene/tile_edits.h"

namespace vorlane {

// The view settings every scene editor shares for the whole run; they are
// never stored.
struct EditorGrid {
  bool show_grid = true;
  bool snap = true;
  int size = 20;
  bool show_objects = true;
  bool show_tiles = true;
};

// Takes a typed grid size when it is more than 4; true when taken. Sizes
// beyond the largest scene side are refused too, as no grid line would show.
bool SetGridSize(EditorGrid& grid, const std::string& text);

// A position as placing snaps it: the top-left of its grid cell when
// snapping is on.
int SnapPosition(const EditorGrid& grid, int value);

enum class SceneTab { Settings = 0, Objects = 1, Background = 2, Tiles = 3 };
enum class InstanceAction { Place = 0, Select = 1, Remove = 2 };

// One instance or tile, drawn in depth order.
struct DrawEntry {
  int depth = 0;
  int instance = -1;  // index into the object list, or -1
  int tile = -1;      // index into the tile list, or -1
};

// The scene's instances then its tiles, each in list order, sorted by
// depth with the highest first; equal depths keep that order, so an
// instance is drawn before (under) a tile of the same depth.
std::vector<DrawEntry> SceneDrawList(const Project& project, const std::string& scene);

// What the editor's controls say about drawing.
struct SceneViewState {
  EditorGrid grid;
  SceneTab tab = SceneTab::Settings;
  InstanceAction instance_action = InstanceAction::Place;
  TileAction tile_action = TileAction::Place;
  int current_layer = 1000000;
  const Image* background = nullptr;  // the scene's background picture, if loaded
  // The placement ghost: where the pointer is, when it is on the canvas.
  bool pointer_inside = false;
  int pointer_x = 0;
  int pointer_y = 0;
  std::string place_object;           // "Object to place"
  const Image* tile_ghost = nullptr;  // the selected tile's picture
  bool show_selection = true;         // off for pictures of the scene
  // What is selected, by name; never stored, so selecting makes no step.
  std::unordered_set<std::string> selected_instances;
  TileNames selected_tiles;
};

// Draws the part of `scene` whose top-left pixel is (left, top) into
// `target`, which is that part's size, with the pictures of `pictures`
// (made for what is on screen only). Returns the status line: the last
// selected instance in drawing order, "" when none is.
// With `shrink` above 1 the view is zoomed out: each pixel of `target`
// covers shrink x shrink pixels of the scene from (left, top), which are
// multiples of `shrink`, and every picture is drawn that much smaller.
std::string PaintScene(Image& target, int left, int top, const Project& project, const Scene& scene,
                       const SceneViewState& state, ScenePictures& pictures, int shrink = 1);

// The 15 x 15 marker drawn for an instance without a picture.
const Image& InstanceMarker();
const ImageRef& MarkerRef();  // the same, shared

}  // namespace vorlane
