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

// The pixels of a 120 x 120 view from (0, 0) with the grid over a 64 x 64
// picture, as "." for untouched and "#" for inverted, at the given points.
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

TEST(TileGrid, ThreeByThreeOutlinesOverA64PictureOf32Tiles) {
  Image view = Paper(120, 120);
  XorTileGrid(view, 0, 0, {32, 32, 0, 0, 0, 0}, 64, 64);
  // Cell (0, 0): its top edge, its left edge, its right edge from y = 1.
  // Where two lines cross (top-left, bottom-left, bottom-right corners)
  // the pixel is inverted twice and keeps its colour.
  EXPECT_EQ(Marks(view, {{0, 0}, {5, 0}, {31, 0}, {0, 5}, {31, 5}, {0, 31}, {5, 31}, {31, 31}}),
            ".####.#.");
  // Inside cells nothing changes; the right edge reaches one row below the
  // cell, onto the next cell's top edge, and undoes it there.
  EXPECT_EQ(Marks(view, {{15, 15}, {40, 40}, {5, 32}, {31, 32}, {31, 33}}), "..#.#");
  // Columns and rows 0..2: the last ones just outside the picture, and
  // nothing beyond them.
  EXPECT_EQ(Marks(view, {{70, 0}, {64, 70}, {70, 95}, {95, 70}, {100, 0}, {0, 100}, {97, 97}}),
            "####...");
  // Nine outlines of 4 x 32 pixels, less the 3 crossed corners of each
  // (inverted twice), less the 6 right-edge ends that meet the row below.
  EXPECT_EQ(InvertedCount(view), 9 * (4 * 32 - 2 * 3) - 2 * 6);
}

TEST(TileGrid, OffsetsAndSpacesMoveTheCellsAndAnyPartDrawsTheSame) {
  const TileGrid grid{32, 32, 5, 7, 3, 2};  // cells at x = 5, 40, 75 and y = 7, 41, 75
  Image view = Paper(120, 120);
  XorTileGrid(view, 0, 0, grid, 64, 64);
  EXPECT_EQ(Marks(view, {{10, 7}, {10, 6}, {5, 20}, {36, 20}, {38, 20}, {40, 20}, {80, 75}}),
            "#.##.##");
  EXPECT_EQ(Marks(view, {{4, 20}, {20, 38}, {20, 39}, {20, 41}, {110, 20}}), ".#.#.");
  // A part of the view, as the canvas paints it, holds the same pixels.
  for (const auto& [left, top, w, h] : {std::array{30, 20, 50, 40}, std::array{75, 74, 3, 45},
                                        std::array{0, 0, 1, 1}, std::array{119, 100, 1, 20}}) {
    Image part = Paper(w, h);
    XorTileGrid(part, left, top, grid, 64, 64);
    EXPECT_EQ(part, view.Copy(left, top, w, h)) << left << "," << top;
  }
}

TEST(TileGrid, NoWidthOrHeightLeavesOnlyTheFirstColumnOrRow) {
  Image view = Paper(100, 100);
  XorTileGrid(view, 0, 0, {0, 32, 0, 0, 0, 0}, 64, 64);
  // No columns: cell 0 of each row keeps its left edge only (its others are
  // 0 long or at x = -1).
  EXPECT_EQ(Marks(view, {{0, 5}, {0, 40}, {0, 70}, {0, 97}}), "###.");
  EXPECT_EQ(InvertedCount(view), 3 * 32);
}

TEST(TileGrid, HugeNumbersCostOnlyTheVisiblePart) {
  // Tiny tiles over the largest picture: only the cells in view are
  // visited (all 16384 x 16384 would outlast the test's time-out).
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
  // A huge first cell is outlined where it shows.
  Image part = Paper(10, 10);
  XorTileGrid(part, 0, 0, {INT_MAX, INT_MAX, 0, 0, 0, 0}, 64, 64);
  EXPECT_EQ(Marks(part, {{5, 0}, {0, 5}, {5, 5}}), "##.");
}

TEST(BackgroundPreview, CheckerboardEverywhereThePictureBlendedAndTheGridOnlyWhenAsked) {
  Image picture = Image::Transparent(900, 40);
  picture.FillRect(20, 0, 10, 10, Color{0, 0, 255, 255});
  Image view = Image::Opaque(10, 10);
  PaintBackgroundPreview(view, 0, 0, picture, nullptr);
  EXPECT_EQ(view.Pixel(0, 0), (Color{192, 192, 192, 255}));
  Image far = Image::Opaque(40, 10);  // beyond the 800-pixel checkerboard
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
  EXPECT_EQ(error.rfind("The image \"gone.png\" could not be loaded. Could not read", 0), 0u)
      << error;
  test::WriteAll("text.png", "not a picture");
  EXPECT_TRUE(LoadBackgroundPicture("text.png", &error).is_null());
  EXPECT_EQ(error,
            "The image \"text.png\" could not be loaded: it is not a PNG, JPEG or BMP picture.");
  ASSERT_TRUE(SavePng(Paper(3, 2), "small.png"));
  EXPECT_EQ(LoadBackgroundPicture("small.png", &error), Paper(3, 2));
}

TEST(ApplyBackgroundPicture, DeletesTilesStartingBeyondItAndCutsTheRestAnew) {
  Project project;
  project.backgrounds = {{.name = "bg"}, {.name = "other"}};
  const ImageRef old_picture = ShareImage(Paper(1, 1));
  const auto tile = [&](const std::string& name, const std::string& background, int left, int top) {
    return Tile{.name = name,
                .background = background,
                .left = left,
                .top = top,
                .width = 4,
                .height = 4,
                .scene = "level",
                .image = old_picture};
  };
  project.tiles = {tile("origin", "bg", 2, 1), tile("dup", "bg", 33, 0),
                   tile("edge", "bg", 32, 16), tile("dup", "bg", 0, 0),
                   tile("low", "bg", 0, 17),   tile("far", "other", 99, 99)};
  Image picture = Image::Transparent(32, 16);
  picture.Plot(2, 1, Color{1, 2, 3, 255});
  ApplyBackgroundPicture(project, 0, picture);

  // Strictly beyond: a tile starting on the picture's right or bottom
  // border stays; of two tiles of one name only the one beyond goes.
  std::vector<std::string> left;
  for (const Tile& t : project.tiles) left.push_back(t.name + "@" + std::to_string(t.left));
  EXPECT_EQ(left, (std::vector<std::string>{"origin@2", "edge@32", "dup@0", "far@99"}));
  EXPECT_EQ(project.tiles[0].image->Pixel(0, 0), (Color{1, 2, 3, 255}));
  EXPECT_EQ(*project.tiles[1].image, Image::Transparent(4, 4));
  EXPECT_EQ(project.tiles[3].image, old_picture);  // another background's tile
  ASSERT_TRUE(project.backgrounds[0].thumbnail);
  EXPECT_EQ(*project.backgrounds[0].thumbnail, MakeCard(&picture));
  EXPECT_EQ(project.backgrounds[1].thumbnail, nullptr);
  EXPECT_EQ(project.modified, 1);
}

TEST(ReadTileGrid, LeadingNumbersWithHugeOnesClampedAndTextAsZero) {
  BackgroundFields fields{.tilewidth = "16px",
                          .tileheight = "99999999999",
                          .tilexoffset = "",
                          .tileyoffset = "abc",
                          .tilexspace = "007",
                          .tileyspace = "2 3"};
  const TileGrid grid = ReadTileGrid(fields);
  EXPECT_EQ(std::vector<int>(
                {grid.width, grid.height, grid.xoffset, grid.yoffset, grid.xspace, grid.yspace}),
            std::vector<int>({16, INT_MAX, 0, 0, 7, 2}));
}

}  // namespace
}  // namespace vorlane
