#include "scene/instance_tool.h"

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
  f.tool->Move(Left(45, 7, Qt::ShiftModifier));
  f.tool->Release(PointerEvent{45, 7, Qt::LeftButton, Qt::NoButton});
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
