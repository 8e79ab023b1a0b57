#include "editors/background_edits.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>

#include "gui/file_util.h"
#include "project/thumbnails.h"
#include "support/temp_dir.h"

namespace vorlane {
namespace {

constexpr Color kPaper{10, 20, 30, 255};
constexpr Color kInverted{245, 235, 225, 255};

Image Paper(int w, int h) {
  Image image = Image::Opaque(w, h);
  image.Fill(kPaper);
  return image;
}

// "." for an untouched pixel and "#" for an inverted one, at each point.
std::string Marks(const Image& view, const std::vector<std::pair<int, int>>& points) {
  std::string marks;
  for (const auto& [x, y] : points) {
    const Color c = view.Pixel(x, y);
    marks += c == kPaper ? '.' : c == kInverted ? '#' : '?';
  }
  return marks;
}

int InvertedCount(const Image& view) {
  int count = 0;
  for (int y = 0; y < view.height(); ++y)
    for (int x = 0; x < view.width(); ++x) count += view.Pixel(x, y) == kInverted;
  return count;
}

// Three by three outlines of 32-pixel tiles over a 64 x 64 picture; where
// two lines cross the pixel is inverted twice and keeps its colour.
TEST(TileGrid, OutlinesEveryCellOnceAndCrossingsCancel) {
  Image view = Paper(120, 120);
  XorTileGrid(view, 0, 0, {32, 32, 0, 0, 0, 0}, 64, 64);
  // Cell (0, 0): top, left, and right edges (this one from y = 1); its
  // corners are crossed and the right edge ends on the next cell's top.
  EXPECT_EQ(Marks(view, {{0, 0}, {5, 0}, {31, 0}, {0, 5}, {31, 5}, {0, 31}, {5, 31}, {31, 31}}),
            ".####.#.");
  EXPECT_EQ(Marks(view, {{15, 15}, {40, 40}, {5, 32}, {31, 32}, {31, 33}}), "..#.#");
  // Columns and rows 0..2, the last just outside the picture, none beyond.
  EXPECT_EQ(Marks(view, {{70, 0}, {64, 70}, {70, 95}, {95, 70}, {100, 0}, {0, 100}, {97, 97}}),
            "####...");
  EXPECT_EQ(InvertedCount(view), 9 * (4 * 32 - 2 * 3) - 2 * 6);

  // No width: only each row's first cell keeps its left edge.
  Image thin = Paper(100, 100);
  XorTileGrid(thin, 0, 0, {0, 32, 0, 0, 0, 0}, 64, 64);
  EXPECT_EQ(InvertedCount(thin), 3 * 32);
}

// Offsets and spaces move the cells; any part of the view draws the same.
TEST(TileGrid, OffsetsSpacesAndPartsOfTheView) {
  const TileGrid grid{32, 32, 5, 7, 3, 2};  // cells at x = 5, 40, 75 and y = 7, 41, 75
  Image view = Paper(120, 120);
  XorTileGrid(view, 0, 0, grid, 64, 64);
  EXPECT_EQ(Marks(view, {{10, 7}, {10, 6}, {5, 20}, {36, 20}, {38, 20}, {40, 20}, {80, 75}}),
            "#.##.##");
  EXPECT_EQ(Marks(view, {{4, 20}, {20, 38}, {20, 39}, {20, 41}, {110, 20}}), ".#.#.");
  for (const auto& [left, top, w, h] : {std::array{30, 20, 50, 40}, std::array{75, 74, 3, 45},
                                        std::array{0, 0, 1, 1}, std::array{119, 100, 1, 20}}) {
    Image part = Paper(w, h);
    XorTileGrid(part, left, top, grid, 64, 64);
    EXPECT_EQ(part, view.Copy(left, top, w, h)) << left << "," << top;
  }
}

// Only the cells in view are visited (16384 x 16384 cells would outlast the
// time-out), and no number overflows.
TEST(TileGrid, HugeNumbersCostOnlyTheVisiblePart) {
  Image view = Paper(670, 540);
  XorTileGrid(view, 8000, 9000, {1, 1, 0, 0, 0, 0}, 16384, 16384);
  XorTileGrid(view, 8000, 9000, {4, 4, 0, 0, 0, 0}, 16384, 16384);
  EXPECT_EQ(Marks(view, {{1, 0}, {1, 1}, {0, 2}, {2, 1}}), "#.#.");
  for (const TileGrid& grid :
       {TileGrid{INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX},
        TileGrid{1, 1, INT_MAX, INT_MAX, 0, 0}, TileGrid{1, 1, 0, 0, INT_MAX, INT_MAX},
        TileGrid{INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN}}) {
    Image part = Paper(64, 64);
    XorTileGrid(part, 0, 0, grid, 16384, 16384);
    XorTileGrid(part, INT_MAX - 64, INT_MAX - 64, grid, 16384, 16384);
  }
  Image part = Paper(10, 10);
  XorTileGrid(part, 0, 0, {INT_MAX, INT_MAX, 0, 0, 0, 0}, 64, 64);
  EXPECT_EQ(Marks(part, {{5, 0}, {0, 5}, {5, 5}}), "##.") << "a huge first cell where it shows";
}

// A checkerboard everywhere, the picture blended over it, the grid when asked.
TEST(BackgroundPreview, BoardPictureAndGrid) {
  Image picture = Image::Transparent(900, 40);
  picture.FillRect(20, 0, 10, 10, Color{0, 0, 255, 255});
  Image far = Image::Opaque(40, 10);  // beyond the 800-pixel board
  PaintBackgroundPreview(far, 800, 0, picture, nullptr);
  EXPECT_EQ(far.Pixel(0, 0), (Color{192, 192, 192, 255}));
  EXPECT_EQ(far.Pixel(16, 0), (Color{255, 255, 255, 255}));
  Image part = Image::Opaque(10, 10);
  PaintBackgroundPreview(part, 20, 0, picture, nullptr);
  EXPECT_EQ(part.Pixel(3, 3), (Color{0, 0, 255, 255}));
  const TileGrid grid{8, 8, 0, 0, 0, 0};
  PaintBackgroundPreview(part, 20, 0, picture, &grid);
  EXPECT_EQ(part.Pixel(3, 0), (Color{255, 255, 0, 255}));  // the top edge of cell (2, 0)
}

class BackgroundPictureTest : public test::InTempDir {};

TEST_F(BackgroundPictureTest, AFileThatIsNoPictureIsNamedWithTheReason) {
  std::string error;
  EXPECT_TRUE(LoadBackgroundPicture("gone.png", &error).is_null());
  EXPECT_EQ(error.rfind("The image \"gone.png\" could not be loaded. Could not read", 0), 0u);
  test::WriteAll("text.png", "not a picture");
  EXPECT_TRUE(LoadBackgroundPicture("text.png", &error).is_null());
  EXPECT_EQ(error,
            "The image \"text.png\" could not be loaded: it is not a PNG, JPEG or BMP picture.");
  ASSERT_TRUE(SavePng(Paper(3, 2), "small.png"));
  EXPECT_EQ(LoadBackgroundPicture("small.png", &error), Paper(3, 2));
}

// Tiles starting strictly beyond the new picture go; the card shows it.
TEST(ApplyBackgroundPicture, DeletesTilesBeyondItAndDrawsTheCard) {
  Project project;
  project.backgrounds = {{.name = "bg"}, {.name = "other"}};
  const auto tile = [&](const std::string& name, const std::string& background, int left, int top) {
    return Tile{.name = name,
                .background = background,
                .left = left,
                .top = top,
                .width = 4,
                .height = 4,
                .scene = "level"};
  };
  project.tiles = {tile("origin", "bg", 2, 1), tile("dup", "bg", 33, 0),
                   tile("edge", "bg", 32, 16), tile("dup", "bg", 0, 0),
                   tile("low", "bg", 0, 17),   tile("far", "other", 99, 99)};
  Image picture = Image::Transparent(32, 16);
  picture.Plot(2, 1, Color{1, 2, 3, 255});
  ApplyBackgroundPicture(project, 0, picture, "sky.png");

  std::vector<std::string> left;
  for (const Tile& t : project.tiles) left.push_back(t.name + "@" + std::to_string(t.left));
  EXPECT_EQ(left, (std::vector<std::string>{"origin@2", "edge@32", "dup@0", "far@99"}));
  project.backgrounds[0].file = "sky.png";  // as "Done" stores it
  EXPECT_EQ(*BackgroundCardOf(project, project.backgrounds[0]), MakeCard(&picture));
  EXPECT_EQ(BackgroundCardOf(project, project.backgrounds[1]), nullptr);
  EXPECT_EQ(project.modified, 1);
}

}  // namespace
}  // namespace vorlane
