#include "scene/scene_tools.h"

#include <gtest/gtest.h>

#include "scene/instance_edits.h"

namespace vorlane {
namespace {

int Count(const Project& project) {
  int n = 0;
  for (const GameObject& record : project.objects) n += record.prototype == 0;
  return n;
}

PointerEvent Left(int x, int y, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  return PointerEvent{x, y, Qt::LeftButton, Qt::LeftButton, modifiers};
}

struct Fixture {
  Project project;
  std::string scene = "hall";
  SceneViewState view;
  std::vector<std::string> questions;
  bool answer = true;
  std::unique_ptr<EditStack> stack;
  std::unique_ptr<InstanceTool> tool;
  Fixture() {
    project.scenes.push_back(Scene{.name = "hall"});
    project.objects.push_back(GameObject{.name = "obj"});  // no sprite: the 15 x 15 marker
    view.place_object = "obj";
    view.tab = SceneTab::Objects;
    stack = std::make_unique<EditStack>(project);
    tool = std::make_unique<InstanceTool>(
        SceneToolContext{project, *stack, scene, view, [this](const std::string& question) {
                           questions.push_back(question);
                           return answer;
                         }});
  }
};

TEST(InstanceTool, AShiftDragPaintsOnePerCellAndUndoesInOneStep) {
  Fixture f;
  f.view.grid.snap = false;
  f.tool->Press(Left(5, 5, Qt::ShiftModifier));
  f.tool->Move(Left(9, 5, Qt::ShiftModifier));   // same cell
  f.tool->Move(Left(25, 5, Qt::ShiftModifier));  // next cell
  // The last cell is first seen by the release, and a late move follows it.
  f.tool->Release(PointerEvent{45, 7, Qt::LeftButton, Qt::NoButton, Qt::ShiftModifier});
  f.tool->Move(Left(47, 7, Qt::ShiftModifier));
  // A new press in a painted cell stacks nothing on it.
  f.tool->Press(Left(12, 12, Qt::ShiftModifier));
  f.tool->Release(PointerEvent{12, 12, Qt::LeftButton, Qt::NoButton, Qt::ShiftModifier});
  ASSERT_EQ(Count(f.project), 3);
  EXPECT_EQ(f.project.objects[2].x, 25);  // where the pointer entered the cell: no snapping
  EXPECT_EQ(f.stack->count(), 1);
  f.stack->Undo();
  EXPECT_EQ(Count(f.project), 0);
  f.stack->Redo();
  EXPECT_EQ(Count(f.project), 3);
}

TEST(InstanceTool, ClicksPlaceSnappedSelectAndRemove) {
  Fixture f;
  f.tool->Press(Left(47, 33));
  ASSERT_EQ(Count(f.project), 1);
  EXPECT_EQ(f.project.objects[1].x, 40);
  EXPECT_EQ(f.project.objects[1].y, 20);
  f.view.instance_action = InstanceAction::Select;
  f.tool->Press(Left(40, 20, Qt::ShiftModifier));  // Shift selects as well
  f.tool->Release(PointerEvent{40, 20, Qt::LeftButton, Qt::NoButton});
  EXPECT_EQ(f.project.objects[1].selected, 1);
  EXPECT_EQ(f.stack->count(), 1);  // selecting is not a step
  f.view.instance_action = InstanceAction::Remove;
  f.tool->Press(Left(40, 20));
  EXPECT_EQ(Count(f.project), 0);
  EXPECT_EQ(f.stack->count(), 2);
}

TEST(InstanceTool, KeysMoveByTheGridAndDeleteAfterAsking) {
  Fixture f;
  f.tool->Press(Left(40, 40));
  f.tool->Press(Left(80, 40));
  f.tool->Key(KeyEvent{Qt::Key_Delete});  // nothing selected: no question
  EXPECT_TRUE(f.questions.empty());
  for (GameObject& record : f.project.objects) record.selected = record.prototype == 0;
  f.tool->Key(KeyEvent{Qt::Key_Left});
  EXPECT_EQ(f.project.objects[1].x, 20);
  f.view.grid.snap = false;
  f.tool->Key(KeyEvent{Qt::Key_Down});
  EXPECT_EQ(f.project.objects[2].y, 41);
  f.answer = false;
  f.tool->Key(KeyEvent{Qt::Key_Delete});
  EXPECT_EQ(Count(f.project), 2);
  f.answer = true;
  f.tool->Key(KeyEvent{Qt::Key_Delete});
  EXPECT_EQ(f.questions, (std::vector<std::string>{"Delete 2 objects?", "Delete 2 objects?"}));
  EXPECT_EQ(Count(f.project), 0);
  f.stack->Undo();
  EXPECT_EQ(Count(f.project), 2);
  f.tool->Key(KeyEvent{Qt::Key_Escape});
  EXPECT_TRUE(SelectedInstances(f.project, "hall").empty());
}

}  // namespace
}  // namespace vorlane

namespace vorlane {
namespace {

TEST(TileTool, StampsTheBrushOnTheCurrentLayerAndActsOnItsTilesOnly) {
  Project project;
  project.scenes.push_back(Scene{.name = "hall"});
  std::string scene = "hall";
  SceneViewState view;
  view.tab = SceneTab::Tiles;
  view.current_layer = 5;
  EditStack stack(project);
  std::vector<std::string> questions;
  TileBrush brush{"bg_tiles", TileSelection{16, 0, 16, 16}, ShareImage(Image::Transparent(16, 16))};
  TileTool tool(SceneToolContext{project, stack, scene, view,
                                 [&](const std::string& q) {
                                   questions.push_back(q);
                                   return true;
                                 }},
                brush);
  // A Shift-drag over three cells: three tiles, one step.
  tool.Press(Left(3, 3, Qt::ShiftModifier));
  tool.Move(Left(23, 3, Qt::ShiftModifier));
  tool.Move(Left(43, 3, Qt::ShiftModifier));
  tool.Release(PointerEvent{43, 3, Qt::LeftButton, Qt::NoButton});
  tool.Press(Left(30, 10, Qt::ShiftModifier));  // a painted cell: nothing stacked
  tool.Release(PointerEvent{30, 10, Qt::LeftButton, Qt::NoButton});
  ASSERT_EQ(project.tiles.size(), 3u);
  EXPECT_EQ(project.tiles[1].x, 20);  // snapped
  EXPECT_EQ(project.tiles[1].left, 16);
  EXPECT_EQ(project.tiles[1].depth, 5);
  EXPECT_EQ(project.tiles[1].background, "bg_tiles");
  EXPECT_EQ(stack.count(), 1);

  project.tiles[2].depth = 6;  // another layer
  view.tile_action = TileAction::Select;
  tool.Press(Left(30, 5));  // strictly inside the second tile
  tool.Press(Left(50, 5));  // the third is on another layer
  tool.Press(Left(20, 5));  // on the edge: no tile
  EXPECT_EQ(project.tiles[1].selected, 1);
  EXPECT_EQ(project.tiles[2].selected + project.tiles[0].selected, 0);
  project.tiles[2].selected = 1;
  tool.Key(KeyEvent{Qt::Key_Right});  // selected tiles of every layer move
  EXPECT_EQ(project.tiles[1].x, 40);
  EXPECT_EQ(project.tiles[2].x, 60);
  tool.Key(KeyEvent{Qt::Key_Delete});
  EXPECT_EQ(questions, (std::vector<std::string>{"Delete 2 tiles?"}));
  EXPECT_EQ(project.tiles.size(), 1u);
  stack.Undo();
  EXPECT_EQ(project.tiles.size(), 3u);
}

}  // namespace
}  // namespace vorlane
