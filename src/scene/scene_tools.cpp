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
    case Action::Select:
      if (!event.shift_alone() && SelectedAt(event.x, event.y, &drag_.at_x, &drag_.at_y))
        drag_ = {true, false, event.x, event.y, drag_.at_x, drag_.at_y, 0, 0};
      else
        SelectAt(event.x, event.y);
      break;
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
    EndDrag(false);
  } else if (drag_.armed) {
    DragTo(event);
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
  if (drag_.armed) DragTo(event);
  EndDrag(true);
  Repaint();
}

void SceneTool::DragTo(const PointerEvent& event) {
  const int dx = event.x - drag_.press_x;
  const int dy = event.y - drag_.press_y;
  if (!drag_.moving) {
    if (dx == 0 && dy == 0) return;
    drag_.moving = true;
    context_.stack.Begin(move_step());
  }
  // The grabbed thing lands on the grid; the others keep their distance.
  const EditorGrid& grid = context_.view.grid;
  const int to_x = SnapPosition(grid, drag_.at_x + dx) - drag_.at_x;
  const int to_y = SnapPosition(grid, drag_.at_y + dy) - drag_.at_y;
  if (to_x == drag_.moved_x && to_y == drag_.moved_y) return;
  MoveSelected(to_x - drag_.moved_x, to_y - drag_.moved_y);
  drag_.moved_x = to_x;
  drag_.moved_y = to_y;
}

void SceneTool::EndDrag(bool released) {
  if (!drag_.armed) return;
  if (drag_.moving)
    context_.stack.End();
  else if (released)
    SelectAt(drag_.press_x, drag_.press_y);  // a click: toggles as it always has
  drag_ = {};
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
  context_.stack.Apply(move_step(), [&](Project& project) {
    MoveSelectedInstances(project, context_.scene, context_.view.selected_instances, dx, dy);
  });
}

bool InstanceTool::SelectedAt(int x, int y, int* at_x, int* at_y) const {
  for (const int index : HitInstances(context_.project, context_.scene, x, y)) {
    const GameObject& instance = context_.project.objects[static_cast<size_t>(index)];
    if (!context_.view.selected_instances.count(instance.name)) continue;
    *at_x = instance.x;
    *at_y = instance.y;
    return true;
  }
  return false;
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
  context_.stack.Apply(move_step(), [&](Project& project) {
    MoveSelectedTiles(project, context_.scene, context_.view.selected_tiles, dx, dy);
  });
}

bool TileTool::SelectedAt(int x, int y, int* at_x, int* at_y) const {
  const int index = SelectedTileAt(context_.project, context_.scene, context_.view.current_layer, x,
                                   y, context_.view.selected_tiles);
  if (index < 0) return false;
  *at_x = context_.project.tiles[static_cast<size_t>(index)].x;
  *at_y = context_.project.tiles[static_cast<size_t>(index)].y;
  return true;
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
