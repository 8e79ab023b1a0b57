// The scene canvas's tool on the "Objects" tab: places, selects and
// removes instances with the mouse, moves and deletes the selection with
// the keys. Every change to the project is one undo step; a Shift-drag that
// paints or removes many instances is one step too.
#pragma once

#include <functional>
#include <string>

#include "gui/canvas_tool.h"
#include "project/edit_stack.h"
#include "scene/scene_view.h"

namespace vorlane {

// Asks a Yes/No question titled "Confirm"; true for Yes.
using AskYesNo = std::function<bool(const std::string& question)>;

// What the scene tools share with the window: the project, its history,
// the scene's name (it may be renamed while the editor is open) and the
// view state they update (pointer, ghost).
struct SceneToolContext {
  Project& project;
  EditStack& stack;
  const std::string& scene;
  SceneViewState& view;
  AskYesNo ask;
};

// The pointer moved, came or left: the ghost follows it.
void TrackPointer(SceneToolContext& context, const PointerEvent& event);

// The arrow keys' step: the grid size when snapping, else one pixel.
int KeyStep(const EditorGrid& grid);

class InstanceTool : public CanvasTool {
 public:
  explicit InstanceTool(SceneToolContext context) : context_(std::move(context)) {}

  void Press(const PointerEvent& event) override;
  void Move(const PointerEvent& event) override;
  void Release(const PointerEvent& event) override;
  bool Key(const KeyEvent& event) override;
  void Enter() override;
  void Leave() override;

 private:
  // What Shift does on the press and each move with the button down.
  void ShiftPaint(const PointerEvent& event);
  void Place(int x, int y);
  void EndStroke();

  SceneToolContext context_;
  GridStroke stroke_;
  bool stroking_ = false;
};

}  // namespace vorlane
