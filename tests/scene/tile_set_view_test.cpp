#include "scene/tile_set_view.h"

#include <gtest/gtest.h>

#include <climits>

#include "image/test_pictures.h"

namespace vorlane {
namespace {

using namespace test;

PointerEvent Held(int x, int y, Qt::KeyboardModifiers keys = Qt::NoModifier) {
  return PointerEvent{x, y, Qt::LeftButton, Qt::LeftButton, keys};
}
const PointerEvent kUp{0, 0, Qt::LeftButton, Qt::NoButton};

// A tile set cut into size x size tiles from (offset, offset), `space` apart.
Background Grid(int offset, int size, int space, int tile = 1) {
  return Background{"bg", "", nullptr, tile, size, size, offset, offset, space, space};
}

// Each drag from a fresh selector: pressed at the first point, moved through
// the others, let go. Without modifiers the tile set's cells (or the whole
// picture), Alt a free rectangle, Control the editor's grid; a drag back
// before its start keeps the last good size.
TEST(TileSetSelector, DragsSelectAsTheModifiersSay) {
  const Image picture = Image::Transparent(100, 60);
  const auto none = Qt::NoModifier, alt = Qt::AltModifier, ctrl = Qt::ControlModifier;
  const struct {
    Background set;
    Qt::KeyboardModifiers keys;
    int grid;
    std::vector<std::pair<int, int>> points;
    TileSelection expected;
  } cases[] = {
      // clang-format off
      {Grid(8, 16, 2), none, 16, {{30, 30}, {40, 45}, {50, 50}}, {26, 26, 34, 34}},
      {Grid(8, 16, 2), none, 16, {{26, 62}}, {26, 62, 16, 16}},  // one tile, spacing left out
      {Grid(8, 16, 2), none, 16, {{3, 7}}, {-10, -10, 16, 16}},  // left of the offset: cell -1
      {Grid(0, 16, 0), none, 16, {{40, 40}, {70, 40}, {5, 5}}, {32, 32, 48, 16}},
      {Grid(0, 16, 0, 0), none, 16, {{50, 50}, {10, 90}}, {0, 0, 100, 60}},  // not cut: whole
      {Grid(0, 0, 0), none, 16, {{5, 5}, {30, 30}}, {0, 0, 100, 60}},   // no step: whole
      {Grid(0, 10, -12), none, 16, {{5, 5}}, {0, 0, 100, 60}},          // steps of -2: whole
      {Grid(0, 16, 0), alt, 16, {{10, 20}}, {10, 20, 1, 1}},
      {Grid(0, 16, 0), alt, 16, {{10, 20}, {15, 30}, {40, 20}, {2, 50}}, {10, 20, 5, 10}},
      {Grid(8, 16, 2), ctrl, 16, {{20, 5}, {40, 40}}, {16, 0, 32, 48}},
      {Grid(8, 16, 2), ctrl, 0, {{7, 9}, {9, 12}}, {7, 9, 3, 4}},  // grid 0: single pixels
      {Grid(0, 16, 0), alt | ctrl, 10, {{20, 5}, {40, 20}}, {16, 0, 32, 32}},
      {Grid(0, 16, 0), alt | Qt::KeypadModifier, 10, {{20, 5}, {40, 20}}, {20, 5, 20, 15}},
      {Grid(-2000000000, 1000000000, 1000000000), none, 16,
       {{2000000000, 2000000000}, {INT_MAX, INT_MAX}},
       {2000000000, 2000000000, 1000000000, 1000000000}},  // far out, no overflow
      // clang-format on
  };
  for (const auto& c : cases) {
    TileSetSelector selector;
    for (auto [x, y] : c.points)
      EXPECT_TRUE(selector.Pointer(Held(x, y, c.keys), &c.set, &picture, c.grid));
    EXPECT_FALSE(selector.Pointer(kUp, &c.set, &picture, c.grid));
    EXPECT_EQ(selector.selection(), c.expected) << c.points[0].first << "," << c.points[0].second;
  }
  TileSetSelector selector;
  const Background flat = Grid(0, 16, 0, 0);
  selector.Pointer(Held(50, 50), &flat, nullptr, 16);
  EXPECT_EQ(selector.selection(), (TileSelection{0, 0, 1, 1}));  // no picture to measure
}

// A drag starts at its press and ends with the left button; without a tile
// set, or with the right button, nothing happens; Clear forgets it all.
TEST(TileSetSelector, DragLivesWhileTheLeftButtonIsHeld) {
  const Background set = Grid(0, 10, 0);
  TileSetSelector selector;
  selector.Pointer(Held(5, 5), &set, nullptr, 16);
  selector.Pointer(Held(25, 5), &set, nullptr, 16);
  selector.Pointer(kUp, &set, nullptr, 16);
  EXPECT_FALSE(selector.Pointer(Held(45, 45), nullptr, nullptr, 16));
  EXPECT_FALSE(selector.Pointer({45, 45, Qt::RightButton, Qt::RightButton}, &set, nullptr, 16));
  EXPECT_EQ(selector.selection(), (TileSelection{0, 0, 30, 10}));
  // The next Alt drag starts at its own press and keeps the size until it grows.
  selector.Pointer(Held(50, 60, Qt::AltModifier), &set, nullptr, 16);
  EXPECT_EQ(selector.selection(), (TileSelection{50, 60, 30, 10}));
  selector.Clear();
  EXPECT_FALSE(selector.dragging());
  EXPECT_EQ(selector.selection(), TileSelection{});
}

// The tile placed: the selection cut out of the tile set (see-through past
// it, alpha kept), black without a picture, nothing for empty or too large
// sizes; a tile set larger than the bound may be taken whole.
TEST(SelectedTileImage, CutsTheSelectionWithinTheSizeBound) {
  const Image picture = Numbered(40, 30, false);
  Image expected = Image::Transparent(4, 4);
  expected.Draw(picture, -38, -28);
  EXPECT_EQ(*SelectedTileImage({38, 28, 4, 4}, &picture), expected);
  Image faint = Solid(2, 2, Rgba(200, 100, 50, 128));
  EXPECT_EQ(*SelectedTileImage({0, 0, 1, 1}, &faint), Solid(1, 1, Rgba(200, 100, 50, 128)));
  EXPECT_EQ(*SelectedTileImage({3, 3, 5, 6}, nullptr), Image::Opaque(5, 6));
  for (TileSelection bad : std::initializer_list<TileSelection>{
           {0, 0, 0, 5}, {0, 0, 5, -1}, {0, 0, kMaxTileSide + 1, 1}, {0, 0, 8192, 4096}})
    EXPECT_EQ(SelectedTileImage(bad, nullptr), nullptr);
  // 2^24 pixels, or as many as the tile set has; never a side over the bound.
  const long long big = 8192LL * 4096;
  for (auto [w, h, set, allowed] : std::initializer_list<std::tuple<int, int, long long, bool>>{
           {4096, 4096, 0, true},
           {kMaxTileSide, 1, 0, true},
           {4097, 4096, 0, false},
           {4096, 8192, big, true},
           {8192, 4097, big, false},
           {kMaxTileSide + 1, 1, big, false}})
    EXPECT_EQ(TileSizeAllowed(w, h, set), allowed) << w << "x" << h;
  EXPECT_EQ(PixelCount(&picture) + PixelCount(nullptr), 1200);
}

// A target the view paints into, filled with a colour no step draws.
Image Target(int w, int h) { return Solid(w, h, Rgba(1, 2, 3)); }

// The view: the checkerboard (whole 800-pixel copies as far as the set
// reaches) with the tile set blended over it, only the part asked for.
TEST(PaintTileSetView, CheckerboardUnderTheTileSet) {
  const Image numbered = Numbered(100, 100, false);
  Image part = Target(10, 10), expected = Target(10, 10);
  PaintTileSetView(part, 50, 60, numbered, {});
  expected.Draw(numbered, -50, -60);
  EXPECT_EQ(part, expected);
  for (auto [left, top] : {std::pair(900, 0), std::pair(-20, -20)}) {
    Image beyond = Target(10, 10);
    PaintTileSetView(beyond, left, top, numbered, {});
    EXPECT_EQ(beyond, Target(10, 10));
  }
  Image large = Image::Transparent(1700, 900);
  large.FillRect(1605, 805, 1, 1, Rgba(0, 0, 255));
  Image corner = Target(40, 40);
  PaintTileSetView(corner, 1590, 790, large, {});
  EXPECT_EQ(corner.Pixel(10, 10), Checkerboard().Pixel(0, 0));  // (1600, 800)
  EXPECT_EQ(corner.Pixel(9, 9), Checkerboard().Pixel(799, 799));
  EXPECT_EQ(corner.Pixel(15, 15), Rgba(0, 0, 255));
}

// The selection's edges are inverted one by one: top and left on its first
// row and column, bottom and right just outside; the shared corner cancels.
TEST(PaintTileSetView, OutlinesTheSelectionByInvertingEachEdge) {
  const Image set = Numbered(60, 60, false);
  Image plain = Target(60, 60);
  PaintTileSetView(plain, 0, 0, set, {});
  Image target = Target(60, 60);
  PaintTileSetView(target, 0, 0, set, {10, 20, 5, 4});
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 60; ++x) {
      const bool top = y == 20 && x >= 10 && x < 15, left = x == 10 && y >= 20 && y < 24;
      const bool bottom = y == 24 && x >= 10 && x < 15, right = x == 15 && y >= 20 && y < 24;
      const Color c = plain.Pixel(x, y);
      const Color inverted{std::uint8_t(255 - c.r), std::uint8_t(255 - c.g),
                           std::uint8_t(255 - c.b), 255};
      ASSERT_EQ(target.Pixel(x, y), (top != left) || bottom || right ? inverted : c)
          << x << "," << y;
    }
  Image part = Target(10, 10);
  PaintTileSetView(part, 8, 18, set, {10, 20, 5, 4});
  EXPECT_EQ(part, target.Copy(8, 18, 10, 10));
  // No outline for an empty selection; a far one only where it meets the target.
  for (TileSelection s : std::initializer_list<TileSelection>{
           {5, 5, 0, 3}, {5, 5, -2, 3}, {2147483000, 5, INT_MAX, INT_MAX}}) {
    Image none = Target(60, 60);
    PaintTileSetView(none, 0, 0, set, s);
    EXPECT_EQ(none, plain);
  }
  Image far = Target(60, 60);
  PaintTileSetView(far, 0, 0, set, {5, 5, INT_MAX, INT_MAX});
  EXPECT_NE(far.Pixel(59, 5), plain.Pixel(59, 5));
  EXPECT_EQ(far.Pixel(6, 6), plain.Pixel(6, 6));
}

}  // namespace
}  // namespace vorlane
