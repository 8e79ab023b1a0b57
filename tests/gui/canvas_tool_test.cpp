#include "gui/canvas_tool.h"

#include <gtest/gtest.h>

namespace vorlane {
namespace {

// Cells round towards minus infinity; no grid snaps nothing; a stroke
// enters each cell once until it leaves it.
TEST(CanvasTool, GridCellsAndStrokes) {
  for (const auto& [value, cell] : {std::pair{39, 1}, {40, 2}, {-1, -1}, {-20, -1}, {-21, -2}})
    EXPECT_EQ(GridCell(value, 20), cell) << value;
  EXPECT_EQ(SnapToGrid(-1, 20), -20);
  EXPECT_EQ(SnapToGrid(7, 0), 7);
  GridStroke stroke;
  EXPECT_TRUE(stroke.Enter(5, 5, 20));
  EXPECT_FALSE(stroke.Enter(19, 0, 20));
  EXPECT_TRUE(stroke.Enter(20, 0, 20));
  EXPECT_TRUE(stroke.Enter(19, 0, 20));  // back into the first cell
  stroke.Reset();
  EXPECT_TRUE(stroke.Enter(19, 0, 20));
}

}  // namespace
}  // namespace vorlane
