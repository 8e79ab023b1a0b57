#include "gui/canvas_tool.h"

#include <gtest/gtest.h>

namespace vorlane {
namespace {

TEST(CanvasTool, GridCellsRoundTowardsMinusInfinity) {
  EXPECT_EQ(GridCell(39, 20), 1);
  EXPECT_EQ(GridCell(40, 20), 2);
  EXPECT_EQ(GridCell(-1, 20), -1);
  EXPECT_EQ(GridCell(-20, 20), -1);
  EXPECT_EQ(GridCell(-21, 20), -2);
  EXPECT_EQ(SnapToGrid(-1, 20), -20);
  EXPECT_EQ(SnapToGrid(59, 20), 40);
  EXPECT_EQ(SnapToGrid(7, 0), 7);  // no grid: no snapping, no division by zero
}

TEST(CanvasTool, AStrokeEntersEachCellOnce) {
  GridStroke stroke;
  EXPECT_TRUE(stroke.Enter(5, 5, 20));
  EXPECT_FALSE(stroke.Enter(19, 0, 20));
  EXPECT_TRUE(stroke.Enter(20, 0, 20));
  EXPECT_TRUE(stroke.Enter(19, 0, 20));  // back into the first cell
  EXPECT_FALSE(stroke.Enter(0, 19, 20));
  stroke.Reset();
  EXPECT_TRUE(stroke.Enter(0, 19, 20));
}

}  // namespace
}  // namespace vorlane
