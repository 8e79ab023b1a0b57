#include "scene/scene_tools.h"

#include <gtest/gtest.h>

#include "scene/instance_edits.h"

namespace vorlane {
namespace {

PointerEvent Left(int x, int y, Qt::KeyboardModifiers keys = Qt::NoModifier) {
  return PointerEvent{x, y, Qt::LeftButton, Qt::LeftButton, keys};
}
PointerEvent Up(int x, int y, Qt::KeyboardModifiers keys = Qt::NoModifier) {
  return PointerEvent{x, y, Qt::LeftButton, Qt::NoButton, keys};
}
const auto kShift = Qt::ShiftModifier;

// A scene "hall", an object without a sprite (the 15 x 15 marker) to
// place, and a brush of a 16 x 16 tile; questions are noted and answered.
struct Fixture {
  Project project{.objects = {GameObject{.name = "obj"}}, .scenes = {Scene{.name = "hall"}}};
  std::string scene = "hall";
  SceneViewState view;
  std::vector<std::string> questions;
  bool answer = true;
  EditStack stack{project};
  TileBrush brush{"bg_tiles", TileSelection{16, 0, 16, 16}, ShareImage(Image::Transparent(16, 16))};
  SceneToolContext context{project, stack, scene, view, [this](const std::string& question) {
                             questions.push_back(question);
                             return answer;
                           }};
  Fixture() { view.place_object = "obj"; }
  std::vector<std::pair<int, int>> Placed() const {
    std::vector<std::pair<int, int>> at;
    for (const GameObject& record : project.objects)
      if (record.prototype == 0) at.emplace_back(record.x, record.y);
    for (const Tile& tile : project.tiles) at.emplace_back(tile.x, tile.y);
    return at;
  }
};

// A Shift-drag places one thing per grid cell entered, where the pointer
// entered it (the release too, a late move not), never a second one in a
// cell that holds one, all as one step; both tools alike.
TEST(SceneTools, AShiftDragPaintsOnePerCellAsOneStep) {
  for (bool tiles : {false, true}) {
    Fixture f;
    f.view.grid.snap = false;
    InstanceTool instances(f.context);
    TileTool stamp(f.context, f.brush);
    CanvasTool& tool = tiles ? static_cast<CanvasTool&>(stamp) : instances;
    tool.Press(Left(5, 5, kShift));
    tool.Move(Left(9, 5, kShift));   // same cell
    tool.Move(Left(25, 5, kShift));  // next cell
    tool.Release(Up(45, 7, kShift));
    tool.Move(Left(47, 7, kShift));
    tool.Press(Left(12, 12, kShift));
    tool.Release(Up(12, 12, kShift));
    EXPECT_EQ(f.Placed(), (std::vector<std::pair<int, int>>{{5, 5}, {25, 5}, {45, 7}})) << tiles;
    EXPECT_EQ(f.stack.count(), 1);
    f.stack.Undo();
    EXPECT_TRUE(f.Placed().empty());
  }
}

// Clicks place (snapped to the grid), select (not a step) and remove, by
// the action chosen; the arrow keys move the selection by the grid (one
// pixel without snapping); Delete asks first; Escape clears the selection.
TEST(InstanceTool, ClicksAndKeysPlaceSelectMoveAndDelete) {
  Fixture f;
  InstanceTool tool(f.context);
  for (int x : {47, 87}) tool.Press(Left(x, 45));
  tool.Key(KeyEvent{Qt::Key_Delete});  // nothing selected: no question
  f.view.instance_action = InstanceAction::Select;
  for (int x : {40, 80}) {
    tool.Press(Left(x, 40, kShift));
    tool.Release(Up(x, 40));
  }
  EXPECT_EQ(f.stack.count(), 2);
  for (int key : {Qt::Key_Left, Qt::Key_Up, Qt::Key_Up}) tool.Key(KeyEvent{key});
  f.view.grid.snap = false;
  for (int key : {Qt::Key_Down, Qt::Key_Right, Qt::Key_Right}) tool.Key(KeyEvent{key});
  EXPECT_EQ(f.Placed(), (std::vector<std::pair<int, int>>{{22, 1}, {62, 1}}));
  for (bool answer : {false, true}) {
    f.answer = answer;
    tool.Key(KeyEvent{Qt::Key_Delete});
  }
  EXPECT_EQ(f.questions, (std::vector<std::string>{"Delete 2 objects?", "Delete 2 objects?"}));
  EXPECT_TRUE(f.Placed().empty());
  f.stack.Undo();
  f.view.instance_action = InstanceAction::Remove;
  tool.Press(Left(22, 1));
  EXPECT_EQ(f.Placed(), (std::vector<std::pair<int, int>>{{62, 1}}));
  tool.Key(KeyEvent{Qt::Key_Escape});
  EXPECT_TRUE(f.view.selected_instances.empty());
  EXPECT_FALSE(tool.Key(KeyEvent{Qt::Key_A}));
}

// The tile tool stamps the brush on the current layer, snapped; it selects
// tiles of that layer only, strictly inside; keys act on every layer.
TEST(TileTool, StampsTheBrushOnTheCurrentLayerAndActsOnItsTilesOnly) {
  Fixture f;
  f.view.current_layer = 5;
  TileTool tool(f.context, f.brush);
  for (int x : {3, 23, 43}) tool.Press(Left(x, 3));
  EXPECT_EQ(f.project.tiles[1], (Tile{"tile_3", "bg_tiles", 16, 0, 16, 16, 20, 0, 5, "hall"}));
  f.project.tiles[2].depth = 6;  // another layer
  f.view.tile_action = TileAction::Select;
  for (int x : {30, 50}) tool.Press(Left(x, 5));  // its layer, another layer
  EXPECT_EQ(f.view.selected_tiles, TileNames{"tile_3"});
  f.view.selected_tiles.insert(f.project.tiles[2].name);
  tool.Key(KeyEvent{Qt::Key_Right});
  EXPECT_EQ(f.Placed(), (std::vector<std::pair<int, int>>{{0, 0}, {40, 0}, {60, 0}}));
  tool.Key(KeyEvent{Qt::Key_Delete});
  EXPECT_EQ(f.questions, (std::vector<std::string>{"Delete 2 tiles?"}));
  f.view.tile_action = TileAction::Remove;
  tool.Press(Left(5, 5));
  EXPECT_EQ(f.project.tiles.size(), 0u);
}

// Dragging a selected thing moves the whole selection, the grabbed one
// snapped to the grid, as one step; a click on it without a move toggles
// it off as ever; a drag from an unselected thing moves nothing.
TEST(SceneTools, DraggingTheSelectionMovesItAsOneStep) {
  for (bool tiles : {false, true}) {
    Fixture f;
    InstanceTool instances(f.context);
    TileTool stamp(f.context, f.brush);
    CanvasTool& tool = tiles ? static_cast<CanvasTool&>(stamp) : instances;
    f.view.grid.snap = false;
    for (int x : {3, 43, 83}) tool.Press(Left(x, 3)), tool.Release(Up(x, 3));
    f.view.instance_action = InstanceAction::Select;
    f.view.tile_action = TileAction::Select;
    for (int x : {5, 45}) tool.Press(Left(x, 5)), tool.Release(Up(x, 5));
    const int steps = f.stack.count();
    f.view.grid.snap = true;
    tool.Press(Left(45, 5));
    for (int x : {47, 56, 64}) tool.Move(Left(x, 9));
    tool.Release(Up(64, 9));
    EXPECT_EQ(f.Placed(), (std::vector<std::pair<int, int>>{{20, 0}, {60, 0}, {83, 3}})) << tiles;
    EXPECT_EQ(f.stack.count(), steps + 1);
    EXPECT_EQ(f.stack.undo_text(), tiles ? "Move tiles" : "Move instances");
    tool.Press(Left(85, 5));  // unselected: it toggles on, and the drag moves nothing
    tool.Move(Left(95, 5));
    tool.Release(Up(95, 5));
    tool.Press(Left(62, 2)), tool.Release(Up(62, 2));
    EXPECT_EQ(f.stack.count(), steps + 1);
    const size_t selected = tiles ? f.view.selected_tiles.size() : f.view.selected_instances.size();
    EXPECT_EQ(selected, 2u) << tiles;  // the first and the third
  }
}

}  // namespace
}  // namespace vorlane
