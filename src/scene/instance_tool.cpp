#include "scene/instance_tool.h"

#include "scene/instance_edits.h"

namespace vorlane {

void TrackPointer(SceneToolContext& context, const PointerEvent& event) {
  context.view.pointer_inside = true;
  context.view.pointer_x = event.x;
  context.view.pointer_y = event.y;
}

int KeyStep(const EditorGrid& grid) { return grid.snap ? grid.size : 1; }

void InstanceTool::Place(int x, int y) {
  const std::string& object = context_.view.place_object;
  if (object.empty()) return;
  const int px = SnapPosition(context_.view.grid, x), py = SnapPosition(context_.view.grid, y);
  context_.stack.Apply("Place instance", [&](Project& project) {
    PlaceInstance(project, context_.scene, object, px, py);
  });
}

void InstanceTool::ShiftPaint(const PointerEvent& event) {
  if (context_.view.instance_action == InstanceAction::Remove)
    context_.stack.Apply("Remove instances", [&](Project& project) {
      RemoveInstancesAt(project, context_.scene, event.x, event.y);
    });
  // One instance per grid cell entered, placed where the pointer entered it.
  if (stroke_.Enter(event.x, event.y, context_.view.grid.size) &&
      context_.view.instance_action == InstanceAction::Place)
    Place(event.x, event.y);
}

void InstanceTool::Press(const PointerEvent& event) {
  TrackPointer(context_, event);
  if (event.button != Qt::LeftButton) return;
  if (event.shift_alone()) {
    context_.stack.Begin("Paint instances");
    stroking_ = true;
    stroke_.Reset();
    ShiftPaint(event);
  }
  switch (context_.view.instance_action) {
    case InstanceAction::Place:
      if (!event.shift_alone()) Place(event.x, event.y);
      break;
    case InstanceAction::Select:
      SelectInstancesAt(context_.project, context_.scene, event.x, event.y);
      break;
    case InstanceAction::Remove:
      context_.stack.Apply("Remove instances", [&](Project& project) {
        RemoveInstancesAt(project, context_.scene, event.x, event.y);
      });
      break;
  }
  Repaint();
}

void InstanceTool::Move(const PointerEvent& event) {
  TrackPointer(context_, event);
  if (event.left_held() && event.shift_alone()) {
    if (!stroking_) {  // Shift pressed during a drag
      context_.stack.Begin("Paint instances");
      stroking_ = true;
      stroke_.Reset();
    }
    ShiftPaint(event);
  }
  Repaint();
}

void InstanceTool::Release(const PointerEvent& event) {
  TrackPointer(context_, event);
  EndStroke();
}

void InstanceTool::EndStroke() {
  if (!stroking_) return;
  stroking_ = false;
  context_.stack.End();
}

bool InstanceTool::Key(const KeyEvent& event) {
  const int step = KeyStep(context_.view.grid);
  int dx = 0, dy = 0;
  switch (event.key) {
    case Qt::Key_Space:
    case Qt::Key_Escape:
      ClearInstanceSelection(context_.project);
      Repaint();
      return true;
    case Qt::Key_Left: dx = -step; break;
    case Qt::Key_Right: dx = step; break;
    case Qt::Key_Up: dy = -step; break;
    case Qt::Key_Down: dy = step; break;
    case Qt::Key_Delete: {
      const auto names = SelectedInstances(context_.project, context_.scene);
      if (names.empty() || !context_.ask("Delete " + std::to_string(names.size()) + " objects?"))
        return true;
      context_.stack.Apply("Delete instances",
                           [&](Project& project) { DeleteInstances(project, names); });
      Repaint();
      return true;
    }
    default: return false;
  }
  if (!SelectedInstances(context_.project, context_.scene).empty())
    context_.stack.Apply("Move instances", [&](Project& project) {
      MoveSelectedInstances(project, context_.scene, dx, dy);
    });
  Repaint();
  return true;
}

void InstanceTool::Enter() {
  context_.view.pointer_inside = true;
  Repaint();
}

void InstanceTool::Leave() {
  context_.view.pointer_inside = false;
  Repaint();
}

}  // namespace vorlane
