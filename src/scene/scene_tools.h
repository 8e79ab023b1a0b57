// The scene canvas's tools: on the "Objects" tab instances, on the "Tiles"
// tab tiles, are placed, selected and removed with the mouse and moved and
// deleted with the keys. Both work alike; each says what placing,
// selecting and removing mean for its things. Every change to the project
// is one undo step; a Shift-drag that paints or removes many is one step too.
#pragma once

#include <functional>
#include <string>

#include "gui/canvas_tool.h"
#include "project/edit_stack.h"
#include "scene/scene_view.h"
#include "scene/tile_set_view.h"

namespace vorlane {

// Asks a Yes/No question titled "Confirm"; true for Yes.
using AskYesNo = std::function<bool(const std::string& question)>;

// What the scene tools share with the window: the project, its history,
// the scene's name (it may be renamed while the editor is open) and the
// view state they update (pointer, ghost, selection).
struct SceneToolContext {
  Project& project;
  EditStack& stack;
  const std::string& scene;
  SceneViewState& view;
  AskYesNo ask;
};

// The arrow keys' step: the grid size when snapping, else one pixel.
int KeyStep(const EditorGrid& grid);

class SceneTool : public CanvasTool {
 public:
  explicit SceneTool(SceneToolContext context) : context_(std::move(context)) {}

  void Press(const PointerEvent& event) override;
  void Move(const PointerEvent& event) override;
  void Release(const PointerEvent& event) override;
  bool Key(const KeyEvent& event) override;
  void Enter() override;
  void Leave() override;

 protected:
  enum class Action { Place, Select, Remove };
  virtual Action action() const = 0;
  // Puts one thing at the (already snapped) position, as one step.
  virtual void PlaceAt(int x, int y) = 0;
  virtual void SelectAt(int x, int y) = 0;
  virtual void RemoveAt(int x, int y) = 0;
  virtual void ClearSelection() = 0;
  virtual int CountSelected() const = 0;
  virtual void MoveSelected(int dx, int dy) = 0;
  // Whether a selected thing is under the point, and where it is (the
  // position a drag snaps to the grid).
  virtual bool SelectedAt(int x, int y, int* at_x, int* at_y) const = 0;
  virtual const char* move_step() const = 0;
  virtual void DeleteSelected() = 0;
  virtual std::string DeleteQuestion(int count) const = 0;
  virtual const char* paint_step() const = 0;
  // Whether the grid cell (cell_x, cell_y) already holds what placing would
  // put there: a Shift-paint never stacks a second one on it.
  virtual bool CellHoldsPlaced(int cell_x, int cell_y) const = 0;

  SceneToolContext context_;

 private:
  void Track(const PointerEvent& event);
  // What Shift does on the press and on each move with the button down.
  void ShiftPaint(const PointerEvent& event);
  void Place(int x, int y);
  void BeginStroke();
  void EndStroke();
  // Dragging the selection: it starts on a press over a selected thing and
  // becomes a move (one step) once the pointer leaves the pressed pixel; a
  // release without a move is a click, which toggles as ever.
  void DragTo(const PointerEvent& event);
  void EndDrag(bool released);
  struct Drag {
    bool armed = false;
    bool moving = false;
    int press_x = 0, press_y = 0;
    int at_x = 0, at_y = 0;  // the grabbed thing's position before the drag
    int moved_x = 0, moved_y = 0;
  };
  Drag drag_;

  GridStroke stroke_;
  bool pressed_ = false;   // between the left button's press and release
  bool stroking_ = false;  // a Shift-paint's step is open
};

class InstanceTool : public SceneTool {
 public:
  using SceneTool::SceneTool;

 protected:
  Action action() const override;
  void PlaceAt(int x, int y) override;
  void SelectAt(int x, int y) override;
  void RemoveAt(int x, int y) override;
  void ClearSelection() override;
  int CountSelected() const override;
  void MoveSelected(int dx, int dy) override;
  bool SelectedAt(int x, int y, int* at_x, int* at_y) const override;
  const char* move_step() const override { return "Move instances"; }
  void DeleteSelected() override;
  std::string DeleteQuestion(int count) const override;
  const char* paint_step() const override { return "Paint instances"; }
  bool CellHoldsPlaced(int cell_x, int cell_y) const override;
};

// The part of a tile set the Tiles tab has chosen, which placing stamps.
struct TileBrush {
  std::string tile_set;  // the background's name
  TileSelection selection;
  ImageRef image;  // the selected picture; null when nothing is chosen
};

class TileTool : public SceneTool {
 public:
  TileTool(SceneToolContext context, const TileBrush& brush)
      : SceneTool(std::move(context)), brush_(brush) {}

 protected:
  Action action() const override;
  void PlaceAt(int x, int y) override;
  void SelectAt(int x, int y) override;
  void RemoveAt(int x, int y) override;
  void ClearSelection() override;
  int CountSelected() const override;
  void MoveSelected(int dx, int dy) override;
  bool SelectedAt(int x, int y, int* at_x, int* at_y) const override;
  const char* move_step() const override { return "Move tiles"; }
  void DeleteSelected() override;
  std::string DeleteQuestion(int count) const override;
  const char* paint_step() const override { return "Paint tiles"; }
  bool CellHoldsPlaced(int cell_x, int cell_y) const override;

 private:
  const TileBrush& brush_;
};

}  // namespace vorlane
