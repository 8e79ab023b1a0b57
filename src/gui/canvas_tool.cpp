#include "gui/canvas_tool.h"

namespace vorlane {

int GridCell(int value, int grid) {
  if (grid <= 0) return value;
  return value >= 0 ? value / grid : -((-value + grid - 1) / grid);
}

int SnapToGrid(int value, int grid) { return grid <= 0 ? value : GridCell(value, grid) * grid; }

bool GridStroke::Enter(int x, int y, int grid) {
  const int cx = GridCell(x, grid);
  const int cy = GridCell(y, grid);
  const bool entered = !has_cell_ || cx != cell_x_ || cy != cell_y_;
  has_cell_ = true;
  cell_x_ = cx;
  cell_y_ = cy;
  return entered;
}

}  // namespace vorlane
