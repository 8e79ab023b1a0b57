#include "image/drawing.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "image/test_pictures.h"

namespace vorlane {
namespace {

using test::kClear;
using test::Rgba;
using Picture = std::vector<std::string>;

const Color kInk = Rgba(250, 10, 20, 255);

// The pixels of `image` as rows of text: '#' ink, '.' see-through, '?' other.
Picture Text(const Image& image) { return test::Text(image, {{kInk, '#'}}); }

// A see-through w x h frame after `draw`, as text.
Picture Drawn(int w, int h, const std::function<void(Image&)>& draw) {
  Image image = Image::Transparent(w, h);
  draw(image);
  return Text(image);
}

// Every pixel of a w x h frame: '#' inside `area`, '.' outside.
Picture Area(int w, int h, const QRect& area) {
  return Drawn(w, h, [&](Image& image) {
    image.FillRect(area.x(), area.y(), area.width(), area.height(), kInk);
  });
}

TEST(DrawingTest, ADotCoversItsBrushSquareClippedAtTheEdges) {
  struct Case {
    int x, y, size;
    QRect covered;  // inside the 5 x 5 frame
  } cases[] = {
      {0, 0, 1, {0, 0, 1, 1}}, {0, 0, 2, {0, 0, 1, 1}},   {4, 4, 2, {3, 3, 2, 2}},
      {4, 4, 3, {3, 3, 2, 2}}, {2, 2, 4, {0, 0, 4, 4}},   {0, 4, 3, {0, 3, 2, 2}},
      {2, 2, 16, {0, 0, 5, 5}}, {2, 2, 99, {0, 0, 5, 5}}, {7, 2, 3, {}},
  };
  for (const Case& c : cases) {
    QRect changed;
    EXPECT_EQ(Drawn(5, 5, [&](Image& image) { changed = DrawDot(image, c.x, c.y, c.size, kInk); }),
              Area(5, 5, c.covered))
        << c.x << "," << c.y << " size " << c.size;
    EXPECT_EQ(changed, c.covered);
  }
}

TEST(DrawingTest, TheEraserClearsAlphaFramesAndPaintsOpaqueOnesWithTheSecondColour) {
  const Color secondary = Rgba(1, 2, 3, 40);
  EXPECT_EQ(EraseColor(Image::Transparent(2, 2), secondary), kClear);
  EXPECT_EQ(EraseColor(Image::Opaque(2, 2), secondary), Rgba(1, 2, 3, 255));
  Image opaque = Image::Opaque(2, 1);
  DrawDot(opaque, 0, 0, 1, EraseColor(opaque, secondary));
  EXPECT_EQ(opaque.Pixel(0, 0), Rgba(1, 2, 3, 255));
}

TEST(DrawingTest, LinesDrawBothEndsInEveryOctantWithoutGaps) {
  const QPoint from(5, 5);
  for (QPoint to : {QPoint(9, 6), QPoint(6, 9), QPoint(4, 9), QPoint(1, 6), QPoint(1, 4),
                    QPoint(4, 1), QPoint(6, 1), QPoint(9, 4), QPoint(9, 5), QPoint(5, 1),
                    QPoint(8, 8), QPoint(5, 5)}) {
    Image image = Image::Transparent(11, 11);
    DrawLine(image, from, to, 1, kInk);
    EXPECT_EQ(image.Pixel(from.x(), from.y()), kInk) << to.x() << "," << to.y();
    EXPECT_EQ(image.Pixel(to.x(), to.y()), kInk) << to.x() << "," << to.y();
    // One pixel per step along the longer side: no gap, nothing doubled.
    int count = 0;
    for (const std::string& row : Text(image)) count += std::count(row.begin(), row.end(), '#');
    EXPECT_EQ(count, std::max(std::abs(to.x() - 5), std::abs(to.y() - 5)) + 1);
  }
  EXPECT_EQ(Drawn(6, 4, [](Image& image) { DrawLine(image, {1, 1}, {4, 2}, 2, kInk); }),
            (Picture{"###...", "#####.", "..###.", "......"}));
}

TEST(DrawingTest, ShapesFillTheirBoxFromCornersInAnyOrder) {
  struct Case {
    Shape shape;
    QPoint a, b;
    bool filled;
    int size;
    Picture expected;
  } cases[] = {
      {Shape::Rectangle, {4, 3}, {1, 0}, false, 1, {".####.", ".#..#.", ".#..#.", ".####."}},
      {Shape::Rectangle, {1, 0}, {4, 3}, true, 1, {".####.", ".####.", ".####.", ".####."}},
      {Shape::Rectangle, {0, 0}, {5, 4}, false, 2,
       {"######", "######", "##..##", "######", "######"}},
      {Shape::Rectangle, {2, 1}, {2, 1}, false, 3, {"......", "..#...", "......"}},
      {Shape::Ellipse, {2, 1}, {2, 1}, false, 1, {"......", "..#...", "......"}},
      {Shape::Ellipse, {4, 4}, {0, 0}, true, 1, {".###.", "#####", "#####", "#####", ".###."}},
      {Shape::Ellipse, {0, 0}, {4, 4}, false, 1, {".###.", "#...#", "#...#", "#...#", ".###."}},
      {Shape::Ellipse, {0, 0}, {6, 2}, false, 1, {"..###..", "##...##", "..###.."}},
      {Shape::Ellipse, {2, 2}, {0, 0}, true, 1, {".#.", "###", ".#."}},
      {Shape::Ellipse, {0, 0}, {1, 1}, false, 1, {"##", "##"}},
      {Shape::Ellipse, {0, 0}, {6, 6}, false, 2,
       {"..###..", ".#####.", "##...##", "##...##", "##...##", ".#####.", "..###.."}},
      // Off the frame: only the part on it.
      {Shape::Rectangle, {-2, -1}, {2, 1}, false, 1, {"..#", "###", "..."}},
  };
  for (const Case& c : cases) {
    const int w = static_cast<int>(c.expected[0].size()), h = static_cast<int>(c.expected.size());
    EXPECT_EQ(Drawn(w, h, [&](Image& image) {
                DrawShape(image, c.shape, c.a, c.b, c.filled, c.size, kInk);
              }),
              c.expected)
        << c.a.x() << "," << c.a.y() << " " << c.b.x() << "," << c.b.y();
  }
}

TEST(DrawingTest, ShiftMakesShapesSquareAndLinesKeepToEightDirections) {
  struct Case {
    QPoint to, square, line;
  } cases[] = {
      {{5, 2}, {5, 5}, {5, 0}},     {{-1, 4}, {-4, 4}, {0, 4}}, {{3, -6}, {6, -6}, {6, -6}},
      {{-5, -4}, {-5, -5}, {-5, -5}}, {{0, 0}, {0, 0}, {0, 0}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ConstrainSquare({0, 0}, c.to), c.square) << c.to.x() << "," << c.to.y();
    EXPECT_EQ(ConstrainLine({0, 0}, c.to), c.line) << c.to.x() << "," << c.to.y();
  }
}

TEST(DrawingTest, FillStaysWithinToleranceContiguousOrEverywhere) {
  const Color base = Rgba(100, 100, 100, 200);
  // Columns 2 and 4 lie just outside a tolerance of 3 (red, then alpha).
  const Image row = test::Row({base, Rgba(103, 97, 100, 203), Rgba(104, 100, 100, 200), base,
                               Rgba(100, 100, 100, 196), base});
  struct Case {
    int tolerance;
    bool contiguous;
    std::string expected;
  } cases[] = {
      {0, true, "#?????"}, {3, true, "##????"}, {3, false, "##?#?#"},
      {4, true, "######"}, {0, false, "#??#?#"},
  };
  for (const Case& c : cases) {
    Image image = row;
    FloodFill(image, 0, 0, kInk, c.tolerance, c.contiguous);
    EXPECT_EQ(Text(image)[0], c.expected) << c.tolerance << " " << c.contiguous;
  }
}

TEST(DrawingTest, ContiguousFillFollowsOnlyStraightSteps) {
  Image image = Image::Transparent(5, 4);
  for (QPoint wall : {QPoint(1, 0), QPoint(1, 1), QPoint(0, 2), QPoint(3, 1), QPoint(3, 2),
                      QPoint(3, 3), QPoint(2, 3)})
    image.Plot(wall.x(), wall.y(), Rgba(1, 1, 1));
  const QRect changed = FloodFill(image, 0, 0, kInk, 0, true);
  EXPECT_EQ(Text(image), (Picture{"#?...", "#?.?.", "?..?.", "..??."}));
  EXPECT_EQ(changed, QRect(0, 0, 1, 2));
  // Filling with a colour the pixels still match ends.
  Image same = Image::Transparent(3, 3);
  EXPECT_EQ(FloodFill(same, 1, 1, Rgba(0, 0, 0, 1), 255, true), QRect(0, 0, 3, 3));
}

TEST(DrawingTest, APasteWritesEveryPixelClippedAtEachEdge) {
  Image source = Image::Transparent(2, 2);
  source.FillRect(0, 0, 2, 1, kInk);  // its bottom row see-through
  struct Case {
    QPoint at;
    Picture expected;
  } cases[] = {
      {{-1, 1}, {"???", "#??", ".??"}}, {{2, 1}, {"???", "??#", "??."}},
      {{1, -1}, {"?..", "???", "???"}}, {{1, 2}, {"???", "???", "?##"}},
  };
  for (const Case& c : cases) {
    Image alpha = Image::Transparent(3, 3);
    alpha.Fill(Rgba(5, 5, 5));
    PasteImage(alpha, source, c.at);
    EXPECT_EQ(Text(alpha), c.expected) << c.at.x() << "," << c.at.y();
  }
  // An opaque frame takes the see-through pixel's colour, opaque.
  Image opaque = Image::Opaque(2, 2);
  opaque.Fill(Rgba(5, 5, 5));
  PasteImage(opaque, source, {0, 0});
  EXPECT_EQ(opaque.Pixel(0, 1), Rgba(0, 0, 0, 255));
}

TEST(DrawingTest, MovingASelectionCutsAndPastes) {
  Image image = Image::Transparent(4, 3);
  image.FillRect(0, 0, 2, 2, kInk);
  image.Plot(1, 1, Rgba(9, 9, 9));
  EXPECT_EQ(MoveArea(image, QRect(0, 0, 2, 2), QPoint(1, 1), kClear), QRect(0, 0, 3, 3));
  EXPECT_EQ(Text(image), (Picture{"....", ".##.", ".#?."}));
  EXPECT_EQ(Text(CopyArea(image, QRect(2, 1, 5, 5))), (Picture{"#.", "?."}));
  EXPECT_EQ(ClearArea(image, QRect(1, 1, 9, 1), kClear), QRect(1, 1, 3, 1));
}

TEST(DrawingTest, ThePaletteListsDistinctColoursInFirstSeenOrderUpToTheCap) {
  const Image first = test::Row({kInk, kClear, kInk}), second = test::Row({Rgba(1, 2, 3), kClear});
  EXPECT_EQ(PictureColors({&first, &second}), (std::vector<Color>{kInk, kClear, Rgba(1, 2, 3)}));
  EXPECT_EQ(PictureColors({&first, &second}, 2), (std::vector<Color>{kInk, kClear}));
}

}  // namespace
}  // namespace vorlane
