// What an editor's canvas tools (place, select, remove, stamp, pencil...)
// receive and draw. A tool knows nothing of widgets: the canvas turns the
// toolkit's events into these, and tests call a tool the same way.
#pragma once

#include <QtCore/qnamespace.h>

#include <functional>

#include "gui/image.h"

namespace vorlane {

struct PointerEvent {
  int x = 0;  // picture pixels, rounded down
  int y = 0;
  Qt::MouseButton button = Qt::NoButton;     // the button pressed or released
  Qt::MouseButtons buttons = Qt::NoButton;   // the buttons held
  Qt::KeyboardModifiers modifiers = Qt::NoModifier;

  // Shift counts only when it is the one modifier key held.
  bool shift_alone() const { return modifiers == Qt::ShiftModifier; }
  bool left_held() const { return buttons.testFlag(Qt::LeftButton); }
};

struct KeyEvent {
  int key = 0;  // a Qt::Key
  Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

class CanvasTool {
 public:
  virtual ~CanvasTool() = default;

  virtual void Press(const PointerEvent& event) {}
  virtual void Move(const PointerEvent& event) {}
  virtual void Release(const PointerEvent& event) {}
  // True when the tool used the key; other keys go on to the window.
  virtual bool Key(const KeyEvent& event) { return false; }
  // The pointer came onto or left the canvas.
  virtual void Enter() {}
  virtual void Leave() {}
  // Draws the tool's preview (a ghost, a selection box) over the picture.
  // `target` holds the part of the picture whose top-left pixel is
  // (left, top); only that part is on screen.
  virtual void PaintOverlay(Image& target, int left, int top) {}

  // The canvas showing the tool sets this; a tool calls Repaint() when its
  // preview or the picture changed.
  void SetRepaint(std::function<void()> repaint) { repaint_ = std::move(repaint); }

 protected:
  void Repaint() const {
    if (repaint_) repaint_();
  }

 private:
  std::function<void()> repaint_;
};

// The top-left corner of the grid cell holding `value`, and the cell's
// number; both round towards minus infinity, so -1 lies in cell -1.
int SnapToGrid(int value, int grid);
int GridCell(int value, int grid);

// Painting by dragging puts one thing into each grid cell the pointer
// enters: Enter is true only for a cell other than the last one entered.
class GridStroke {
 public:
  bool Enter(int x, int y, int grid);
  void Reset() { has_cell_ = false; }

 private:
  bool has_cell_ = false;
  int cell_x_ = 0;
  int cell_y_ = 0;
};

}  // namespace vorlane
