#include "scene/scene_tools.h"

#include <algorithm>

#include "scene/instance_edits.h"
#include "scene/tile_edits.h"

namespace vorlane {
namespace {

bool InCell(int x, int y, int cell_x, int cell_y, int grid) {
  return GridCell(x, grid) == cell_x && GridCell(y, grid) == cell_y;
}

}  // namespace

int KeyStep(const EditorGrid& grid) { return grid.snap ? grid.size : 1; }

void SceneTool::Track(const PointerEvent& event) {
  context_.view.pointer_inside = true;
  context_.view.pointer_x = event.x;
  context_.view.pointer_y = event.y;
}

void SceneTool::Place(int x, int y) {
  PlaceAt(SnapPosition(context_.view.grid, x), SnapPosition(context_.view.grid, y));
}

void SceneTool::ShiftPaint(const PointerEvent& event) {
  if (action() == Action::Remove) RemoveAt(event.x, event.y);
  // One thing per grid cell entered, placed where the pointer entered it,
  // and never a second one on what an earlier press left in the cell.
  const int grid = context_.view.grid.size;
  if (stroke_.Enter(event.x, event.y, grid) && action() == Action::Place &&
      !CellHoldsPlaced(GridCell(event.x, grid), GridCell(event.y, grid)))
    Place(event.x, event.y);
}

void SceneTool::BeginStroke() {
  if (stroking_) return;
  context_.stack.Begin(paint_step());
  stroking_ = true;
  stroke_.Reset();
}

void SceneTool::EndStroke() {
  if (!stroking_) return;
  stroking_ = false;
  context_.stack.End();
}

void SceneTool::Press(const PointerEvent& event) {
  Track(event);
  if (event.button != Qt::LeftButton) return;
  EndStroke();  // the last one's release never came
  pressed_ = true;
  if (event.shift_alone()) {
    BeginStroke();
    ShiftPaint(event);
  }
  switch (action()) {
    case Action::Place:
      if (!event.shift_alone()) Place(event.x, event.y);
      break;
    case Action::Select: SelectAt(event.x, event.y); break;
    case Action::Remove: RemoveAt(event.x, event.y); break;
  }
  Repaint();
}

// A stroke lives from the left button's press to its release: a move that
// comes late, after the release, paints nothing and opens no step.
void SceneTool::Move(const PointerEvent& event) {
  Track(event);
  if (!event.left_held()) {
    pressed_ = false;
    EndStroke();
  } else if (pressed_ && event.shift_alone()) {
    BeginStroke();  // Shift may come down during the drag
    ShiftPaint(event);
  }
  Repaint();
}

void SceneTool::Release(const PointerEvent& event) {
  Track(event);
  if (event.button != Qt::LeftButton) return;
  // The release may be the first event in the drag's last cell.
  if (stroking_ && event.shift_alone()) ShiftPaint(event);
  pressed_ = false;
  EndStroke();
  Repaint();
}

bool SceneTool::Key(const KeyEvent& event) {
  const int step = KeyStep(context_.view.grid);
  int dx = 0, dy = 0;
  switch (event.key) {
    case Qt::Key_Space:
    case Qt::Key_Escape:
      ClearSelection();
      Repaint();
      return true;
    case Qt::Key_Left: dx = -step; break;
    case Qt::Key_Right: dx = step; break;
    case Qt::Key_Up: dy = -step; break;
    case Qt::Key_Down: dy = step; break;
    case Qt::Key_Delete:
      if (const int count = CountSelected(); count > 0 && context_.ask(DeleteQuestion(count))) {
        DeleteSelected();
        Repaint();
      }
      return true;
    default: return false;
  }
  if (CountSelected() > 0) MoveSelected(dx, dy);
  Repaint();
  return true;
}

void SceneTool::Enter() {
  context_.view.pointer_inside = true;
  Repaint();
}

void SceneTool::Leave() {
  context_.view.pointer_inside = false;
  Repaint();
}

// Instances.

SceneTool::Action InstanceTool::action() const {
  return static_cast<Action>(context_.view.instance_action);
}

void InstanceTool::PlaceAt(int x, int y) {
  if (context_.view.place_object.empty()) return;
  context_.stack.Apply("Place instance", [&](Project& project) {
    PlaceInstance(project, context_.scene, context_.view.place_object, x, y);
  });
}

void InstanceTool::SelectAt(int x, int y) {
  SelectInstancesAt(context_.project, context_.scene, x, y, context_.view.selected_instances);
}

void InstanceTool::RemoveAt(int x, int y) {
  context_.stack.Apply("Remove instances",
                       [&](Project& project) { RemoveInstancesAt(project, context_.scene, x, y); });
}

void InstanceTool::ClearSelection() { context_.view.selected_instances.clear(); }

int InstanceTool::CountSelected() const {
  return static_cast<int>(
      SelectedInstances(context_.project, context_.scene, context_.view.selected_instances).size());
}

void InstanceTool::MoveSelected(int dx, int dy) {
  context_.stack.Apply("Move instances", [&](Project& project) {
    MoveSelectedInstances(project, context_.scene, context_.view.selected_instances, dx, dy);
  });
}

void InstanceTool::DeleteSelected() {
  const auto names =
      SelectedInstances(context_.project, context_.scene, context_.view.selected_instances);
  context_.stack.Apply("Delete instances",
                       [&](Project& project) { DeleteInstances(project, names); });
}

std::string InstanceTool::DeleteQuestion(int count) const {
  return "Delete " + std::to_string(count) + " objects?";
}

bool InstanceTool::CellHoldsPlaced(int cell_x, int cell_y) const {
  const auto& objects = context_.project.objects;
  return std::any_of(objects.begin(), objects.end(), [&](const GameObject& record) {
    return IsInstanceOf(record, context_.scene) && record.template_ == context_.view.place_object &&
           InCell(record.x, record.y, cell_x, cell_y, context_.view.grid.size);
  });
}

// Tiles.

SceneTool::Action TileTool::action() const {
  return static_cast<Action>(context_.view.tile_action);
}

void TileTool::PlaceAt(int x, int y) {
  if (!brush_.image) return;
  context_.stack.Apply("Place tile", [&](Project& project) {
    PlaceTile(project, context_.scene, context_.view.current_layer, brush_.tile_set,
              brush_.selection, x, y);
  });
}

void TileTool::SelectAt(int x, int y) {
  SelectTilesAt(context_.project, context_.scene, context_.view.current_layer, x, y,
                context_.view.selected_tiles);
}

void TileTool::RemoveAt(int x, int y) {
  context_.stack.Apply("Remove tiles", [&](Project& project) {
    RemoveTilesAt(project, context_.scene, context_.view.current_layer, x, y);
  });
}

void TileTool::ClearSelection() { context_.view.selected_tiles.clear(); }

int TileTool::CountSelected() const {
  return CountSelectedTiles(context_.project, context_.scene, context_.view.selected_tiles);
}

void TileTool::MoveSelected(int dx, int dy) {
  context_.stack.Apply("Move tiles", [&](Project& project) {
    MoveSelectedTiles(project, context_.scene, context_.view.selected_tiles, dx, dy);
  });
}

void TileTool::DeleteSelected() {
  context_.stack.Apply("Delete tiles", [&](Project& project) {
    DeleteSelectedTiles(project, context_.scene, context_.view.selected_tiles);
  });
}

std::string TileTool::DeleteQuestion(int count) const { return DeleteSelectedTilesQuestion(count); }

bool TileTool::CellHoldsPlaced(int cell_x, int cell_y) const {
  const auto& tiles = context_.project.tiles;
  return std::any_of(tiles.begin(), tiles.end(), [&](const Tile& tile) {
    return tile.scene == context_.scene && tile.depth == context_.view.current_layer &&
           tile.background == brush_.tile_set &&
           TileSelection{tile.left, tile.top, tile.width, tile.height} == brush_.selection &&
           InCell(tile.x, tile.y, cell_x, cell_y, context_.view.grid.size);
  });
}

}  // namespace vorlane
