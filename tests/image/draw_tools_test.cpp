#include "image/draw_tools.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "image/test_pictures.h"

namespace vorlane {
namespace {

using test::kClear;
using test::Rgba;
using Picture = std::vector<std::string>;

const Color kInk = Rgba(250, 10, 20), kBack = Rgba(0, 90, 0);

// '#' primary, '+' secondary, '.' see-through, '?' other.
Picture Text(const Image& image) { return test::Text(image, {{kInk, '#'}, {kBack, '+'}}); }

PointerEvent At(int x, int y, Qt::MouseButton button = Qt::LeftButton,
                Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  return {x, y, button, button, modifiers};
}

class DrawToolsTest : public ::testing::Test {
 protected:
  DrawToolsTest() {
    state_.image = Image::Transparent(6, 4);
    state_.primary = kInk;
    state_.secondary = kBack;
    state_.finished = [this](const std::string& text) { steps_.push_back(text); };
  }
  // Press at the first point, move through the others, release at the last.
  void Drag(DrawToolKind kind, const std::vector<QPoint>& points,
            Qt::MouseButton button = Qt::LeftButton,
            Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    CanvasTool& tool = tools_.tool(kind);
    tool.Press(At(points.front().x(), points.front().y(), button, modifiers));
    for (const QPoint& p : points) tool.Move(At(p.x(), p.y(), Qt::NoButton, modifiers));
    tool.Release(At(points.back().x(), points.back().y(), button, modifiers));
  }
  DrawState state_;
  DrawTools tools_{state_};
  std::vector<std::string> steps_;
};

TEST_F(DrawToolsTest, EachToolDrawsItsPixelsAndReportsOneStep) {
  struct Case {
    DrawToolKind kind;
    std::vector<QPoint> points;
    Qt::MouseButton button;
    bool filled;
    Picture expected;
    std::string step;
  } cases[] = {
      // A fast move leaves no gap between the pointer's events.
      {DrawToolKind::Pencil, {{0, 0}, {5, 2}}, Qt::LeftButton, false,
       {"##....", "..##..", "....##", "......"}, "Pencil"},
      {DrawToolKind::Pencil, {{1, 1}}, Qt::RightButton, false,
       {"......", ".+....", "......", "......"}, "Pencil"},
      {DrawToolKind::Line, {{0, 3}, {2, 0}, {5, 3}}, Qt::LeftButton, false,
       {"......", "......", "......", "######"}, "Line"},
      {DrawToolKind::Rectangle, {{4, 2}, {1, 0}}, Qt::RightButton, false,
       {".++++.", ".+..+.", ".++++.", "......"}, "Rectangle"},
      {DrawToolKind::Ellipse, {{0, 0}, {2, 2}}, Qt::LeftButton, true,
       {".#....", "###...", ".#....", "......"}, "Ellipse"},
      {DrawToolKind::Fill, {{3, 3}}, Qt::LeftButton, false,
       {"######", "######", "######", "######"}, "Fill"},
  };
  for (const Case& c : cases) {
    state_.image = Image::Transparent(6, 4);
    state_.filled = c.filled;
    steps_.clear();
    Drag(c.kind, c.points, c.button);
    EXPECT_EQ(Text(state_.image), c.expected) << c.step;
    EXPECT_EQ(steps_, std::vector<std::string>{c.step});
  }
}

TEST_F(DrawToolsTest, TheEraserClearsOrPaintsTheSecondColourOnOpaqueFrames) {
  state_.image.Fill(kInk);
  state_.brush = 2;
  Drag(DrawToolKind::Eraser, {{1, 1}});
  EXPECT_EQ(Text(state_.image), (Picture{"..####", "..####", "######", "######"}));
  state_.image = Image::Opaque(2, 1);
  Drag(DrawToolKind::Eraser, {{0, 0}});
  EXPECT_EQ(Text(state_.image), (Picture{"+?"}));
}

TEST_F(DrawToolsTest, ShapesShowAPreviewUntilReleaseAndShiftMakesThemSquare) {
  CanvasTool& tool = tools_.tool(DrawToolKind::Rectangle);
  tool.Press(At(0, 0));
  tool.Move(At(3, 1, Qt::NoButton, Qt::ShiftModifier));
  EXPECT_EQ(Text(state_.image), Text(Image::Transparent(6, 4))) << "the frame waits for release";
  Image preview = Image::Transparent(6, 4);
  tool.PaintOverlay(preview, 0, 0);
  EXPECT_EQ(Text(preview), (Picture{"####..", "#..#..", "#..#..", "####.."}));
  tool.Release(At(3, 1, Qt::LeftButton, Qt::ShiftModifier));
  EXPECT_EQ(Text(state_.image), Text(preview));
}

TEST_F(DrawToolsTest, ThePickerTakesTheColourForTheButton) {
  state_.image.Plot(2, 1, Rgba(7, 8, 9, 10));
  int told = 0;
  state_.colors_changed = [&] { ++told; };
  tools_.tool(DrawToolKind::Picker).Press(At(2, 1, Qt::RightButton));
  tools_.tool(DrawToolKind::Picker).Press(At(9, 9));  // off the frame
  EXPECT_EQ(state_.secondary, Rgba(7, 8, 9, 10));
  EXPECT_EQ(state_.primary, kInk);
  EXPECT_EQ(told, 1);
  EXPECT_TRUE(steps_.empty());
}

TEST_F(DrawToolsTest, ASelectionMovesClearsAndPastes) {
  state_.image.FillRect(0, 0, 2, 2, kInk);
  SelectTool& select = tools_.select();
  Drag(DrawToolKind::Select, {{0, 0}, {1, 1}});
  EXPECT_EQ(select.selection(), QRect(0, 0, 2, 2));
  // Off the frame and back: the lifted pixels come back whole.
  Drag(DrawToolKind::Select, {{1, 1}, {9, 1}, {4, 3}, {3, 2}});
  EXPECT_EQ(Text(state_.image), (Picture{"......", "..##..", "..##..", "......"}));
  EXPECT_EQ(select.selection(), QRect(2, 1, 2, 2));
  EXPECT_EQ(Text(select.Copy()), (Picture{"##", "##"}));
  EXPECT_TRUE(select.Key({Qt::Key_Delete}));
  EXPECT_EQ(Text(state_.image), Text(Image::Transparent(6, 4)));
  select.Paste(test::Solid(3, 1, kBack), QPoint(4, 3));
  EXPECT_EQ(Text(state_.image), (Picture{"......", "......", "......", "....++"}));
  EXPECT_EQ(steps_, (std::vector<std::string>{"Move selection", "Delete selection", "Paste"}));
  // A click outside drops the selection.
  Drag(DrawToolKind::Select, {{0, 0}});
  EXPECT_FALSE(select.has_selection());
  EXPECT_FALSE(select.Key({Qt::Key_Delete}));
}

}  // namespace
}  // namespace vorlane
