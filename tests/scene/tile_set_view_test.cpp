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

// A tile set cut into size x size tiles from (offset, offset), `space` apart.
Background Grid(int offset, int size, int space, int tile = 1) {
  return Background{"bg", "", tile, size, size, offset, offset, space, space};
}

// Each drag from a fresh selector, pressed at the first point, moved through
// the others: without modifiers the tile set's cells (or the whole picture
// when it is not cut or its step is not positive), Alt a free rectangle,
// Control the editor's grid; a drag back before its start keeps the last
// good size.
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
      {Grid(8, 16, 2), none, 16, {{3, 7}}, {-10, -10, 16, 16}},  // left of the offset: cell -1
      {Grid(0, 16, 0), none, 16, {{40, 40}, {70, 40}, {5, 5}}, {32, 32, 48, 16}},
      {Grid(0, 16, 0, 0), none, 16, {{50, 50}, {10, 90}}, {0, 0, 100, 60}},
      {Grid(0, 10, -12), none, 16, {{5, 5}}, {0, 0, 100, 60}},
      {Grid(0, 16, 0), alt, 16, {{10, 20}, {15, 30}, {40, 20}, {2, 50}}, {10, 20, 5, 10}},
      {Grid(8, 16, 2), ctrl, 16, {{20, 5}, {40, 40}}, {16, 0, 32, 48}},
      {Grid(8, 16, 2), ctrl, 0, {{7, 9}, {9, 12}}, {7, 9, 3, 4}},  // grid 0: single pixels
      {Grid(0, 16, 0), alt | ctrl, 10, {{20, 5}, {40, 20}}, {16, 0, 32, 32}},
      {Grid(-2000000000, 1000000000, 1000000000), none, 16, {{2000000000, 2000000000}, {INT_MAX, INT_MAX}},
       {2000000000, 2000000000, 1000000000, 1000000000}},  // far out, no overflow
      // clang-format on
  };
  for (const auto& c : cases) {
    TileSetSelector selector;
    for (auto [x, y] : c.points)
      EXPECT_TRUE(selector.Pointer(Held(x, y, c.keys), &c.set, &picture, c.grid));
    EXPECT_EQ(selector.selection(), c.expected) << c.points[0].first << "," << c.points[0].second;
  }
}

// A drag lives while the left button is held; without a tile set, or with
// the right button, nothing happens; the next drag starts at its own press.
TEST(TileSetSelector, DragLivesWhileTheLeftButtonIsHeld) {
  const Background set = Grid(0, 10, 0);
  TileSetSelector selector;
  for (int x : {5, 25}) selector.Pointer(Held(x, 5), &set, nullptr, 16);
  EXPECT_FALSE(selector.Pointer({0, 0, Qt::LeftButton, Qt::NoButton}, &set, nullptr, 16));
  EXPECT_FALSE(selector.dragging());
  EXPECT_FALSE(selector.Pointer(Held(45, 45), nullptr, nullptr, 16));
  EXPECT_FALSE(selector.Pointer({45, 45, Qt::RightButton, Qt::RightButton}, &set, nullptr, 16));
  EXPECT_EQ(selector.selection(), (TileSelection{0, 0, 30, 10}));
  selector.Pointer(Held(50, 60, Qt::AltModifier), &set, nullptr, 16);
  EXPECT_EQ(selector.selection(), (TileSelection{50, 60, 30, 10}));
  selector.Clear();
  EXPECT_EQ(selector.selection(), TileSelection{});
}

// The tile placed: the selection cut out of the tile set (see-through past
// it), black without a picture, nothing for empty sizes or sizes over the
// bound: 2^24 pixels, or as many as the tile set has, and no side too long.
TEST(SelectedTileImage, CutsTheSelectionWithinTheSizeBound) {
  const Image picture = Numbered(40, 30, true);
  Image expected = Image::Transparent(4, 4);
  expected.Draw(picture, -38, -28);
  EXPECT_EQ(*SelectedTileImage({38, 28, 4, 4}, &picture), expected);
  EXPECT_EQ(*SelectedTileImage({3, 3, 5, 6}, nullptr), Image::Opaque(5, 6));
  for (TileSelection bad :
       std::initializer_list<TileSelection>{{0, 0, 0, 5}, {0, 0, 5, -1}, {0, 0, 8192, 4096}})
    EXPECT_EQ(SelectedTileImage(bad, nullptr), nullptr);
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

// The view, any part as the whole: the checkerboard (repeated every 800
// pixels) with the tile set blended over it, and the selection's edges
// inverted one by one: top and left on its first row and column, bottom
// and right just outside, the shared corner cancelling; no outline for an
// empty selection.
TEST(PaintTileSetView, TileSetOverTheCheckerboardAndTheSelectionInverted) {
  Image set = Image::Transparent(1700, 900);
  set.Draw(Numbered(60, 60, false), 0, 0);
  const auto paint = [&set](int left, int top, int w, int h, TileSelection selection) {
    Image target = Solid(w, h, Rgba(1, 2, 3));
    PaintTileSetView(target, left, top, set, selection);
    return target;
  };
  const Image plain = paint(0, 0, 60, 60, {}), outlined = paint(0, 0, 60, 60, {10, 20, 5, 4});
  EXPECT_EQ(plain, set.Copy(0, 0, 60, 60));
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 60; ++x) {
      const bool top = y == 20 && x >= 10 && x < 15, left = x == 10 && y >= 20 && y < 24;
      const bool bottom = y == 24 && x >= 10 && x < 15, right = x == 15 && y >= 20 && y < 24;
      const Color c = plain.Pixel(x, y);
      const Color inverted{std::uint8_t(255 - c.r), std::uint8_t(255 - c.g),
                           std::uint8_t(255 - c.b), 255};
      ASSERT_EQ(outlined.Pixel(x, y), (top != left) || bottom || right ? inverted : c)
          << x << "," << y;
    }
  EXPECT_EQ(paint(8, 18, 10, 10, {10, 20, 5, 4}), outlined.Copy(8, 18, 10, 10));
  for (TileSelection empty :
       std::initializer_list<TileSelection>{{5, 5, 0, 3}, {2147483000, 5, INT_MAX, INT_MAX}})
    EXPECT_EQ(paint(0, 0, 60, 60, empty), plain);
  const Image corner = paint(1590, 790, 40, 40, {});
  EXPECT_EQ(corner.Pixel(10, 10), Checkerboard().Pixel(0, 0));  // (1600, 800)
  EXPECT_EQ(corner.Pixel(9, 9), Checkerboard().Pixel(799, 799));
  EXPECT_EQ(paint(-20, 2000, 10, 10, {}), Solid(10, 10, Rgba(1, 2, 3)));  // past the tile set
}

}  // namespace
}  // namespace vorlane
