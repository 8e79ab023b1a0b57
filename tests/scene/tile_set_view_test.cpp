#include "scene/tile_set_view.h"

#include <gtest/gtest.h>

namespace vorlane {
namespace {

const Color kGrey{192, 192, 192, 255};
const Color kWhite{255, 255, 255, 255};

PointerEvent Held(int x, int y, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  PointerEvent e;
  e.x = x;
  e.y = y;
  e.button = Qt::LeftButton;
  e.buttons = Qt::LeftButton;
  e.modifiers = modifiers;
  return e;
}

PointerEvent Up(int x, int y) {
  PointerEvent e;
  e.x = x;
  e.y = y;
  e.button = Qt::LeftButton;
  return e;
}

Background Grid(int offset, int size, int space) {
  Background b;
  b.name = "bg_1";
  b.tile = 1;
  b.tilexoffset = b.tileyoffset = offset;
  b.tilewidth = b.tileheight = size;
  b.tilexspace = b.tileyspace = space;
  return b;
}

// Presses at the first point, drags through the others and lets go.
TileSelection Drag(TileSetSelector& selector, const Background& set, const Image* picture,
                   std::initializer_list<std::pair<int, int>> points,
                   Qt::KeyboardModifiers modifiers = Qt::NoModifier, int grid = 16) {
  for (auto [x, y] : points) selector.Pointer(Held(x, y, modifiers), &set, picture, grid);
  selector.Pointer(Up(0, 0), &set, picture, grid);
  return selector.selection();
}

TEST(TileSetSelector, SnapsToTheTileSetGridIncludingOffsetAndSpacing) {
  const Background set = Grid(8, 16, 2);  // cells of 18 starting at 8
  TileSetSelector selector;
  EXPECT_EQ(Drag(selector, set, nullptr, {{30, 30}, {40, 45}, {50, 50}}),
            (TileSelection{26, 26, 34, 34}));
  // A press alone selects the one tile under it, spacing left out.
  EXPECT_EQ(Drag(selector, set, nullptr, {{26, 62}}), (TileSelection{26, 62, 16, 16}));
  // Left of the offset lies cell -1.
  EXPECT_EQ(Drag(selector, set, nullptr, {{3, 7}}), (TileSelection{-10, -10, 16, 16}));
}

TEST(TileSetSelector, TileSelectionNeverShrinksBelowOneTileWhenDraggedBack) {
  const Background set = Grid(0, 16, 0);
  TileSetSelector selector;
  selector.Pointer(Held(40, 40), &set, nullptr, 16);
  selector.Pointer(Held(70, 40), &set, nullptr, 16);
  EXPECT_EQ(selector.selection(), (TileSelection{32, 32, 48, 16}));
  // Back past the start: the size stays as it was, the start stays put.
  selector.Pointer(Held(5, 5), &set, nullptr, 16);
  EXPECT_EQ(selector.selection(), (TileSelection{32, 32, 48, 16}));
  selector.Pointer(Held(33, 33), &set, nullptr, 16);
  EXPECT_EQ(selector.selection(), (TileSelection{32, 32, 16, 16}));
}

TEST(TileSetSelector, WholePictureWithoutTilesOrWithAGridThatDoesNotAdvance) {
  const Image picture = Image::Transparent(100, 60);
  Background set = Grid(0, 16, 0);
  set.tile = 0;
  TileSetSelector selector;
  EXPECT_EQ(Drag(selector, set, &picture, {{50, 50}, {10, 90}}), (TileSelection{0, 0, 100, 60}));
  // No picture: nothing to take the size of, so one pixel.
  EXPECT_EQ(Drag(selector, set, nullptr, {{50, 50}}), (TileSelection{0, 0, 1, 1}));

  Background zero = Grid(0, 0, 0);
  EXPECT_EQ(Drag(selector, zero, &picture, {{5, 5}, {30, 30}}), (TileSelection{0, 0, 100, 60}));
  Background negative = Grid(0, 10, -12);  // steps of -2
  EXPECT_EQ(Drag(selector, negative, &picture, {{5, 5}}), (TileSelection{0, 0, 100, 60}));
}

TEST(TileSetSelector, AltDragsAFreeRectangleRightAndDown) {
  const Background set = Grid(0, 16, 0);
  TileSetSelector selector;
  selector.Pointer(Held(10, 20, Qt::AltModifier), &set, nullptr, 16);
  // Nothing dragged out yet: the empty selection becomes one pixel.
  EXPECT_EQ(selector.selection(), (TileSelection{10, 20, 1, 1}));
  selector.Pointer(Held(15, 30, Qt::AltModifier), &set, nullptr, 16);
  EXPECT_EQ(selector.selection(), (TileSelection{10, 20, 5, 10}));
  // Up or left of the start keeps the last good size.
  selector.Pointer(Held(40, 20, Qt::AltModifier), &set, nullptr, 16);
  selector.Pointer(Held(2, 50, Qt::AltModifier), &set, nullptr, 16);
  EXPECT_EQ(selector.selection(), (TileSelection{10, 20, 5, 10}));
  selector.Pointer(Up(0, 0), &set, nullptr, 16);
  // The next Alt drag starts from its own press, keeping the size until
  // the pointer moves right and down.
  selector.Pointer(Held(50, 60, Qt::AltModifier), &set, nullptr, 16);
  EXPECT_EQ(selector.selection(), (TileSelection{50, 60, 5, 10}));
}

TEST(TileSetSelector, ControlSnapsToTheEditorGrid) {
  const Background set = Grid(8, 16, 2);  // ignored with Control
  TileSetSelector selector;
  EXPECT_EQ(Drag(selector, set, nullptr, {{20, 5}, {40, 40}}, Qt::ControlModifier, 16),
            (TileSelection{16, 0, 32, 48}));
  // Dragged back before the start cell: the start cell stays selected.
  EXPECT_EQ(
      Drag(selector, set, nullptr, {{100, 100}, {130, 100}, {10, 10}}, Qt::ControlModifier, 16),
      (TileSelection{96, 96, 48, 16}));
  EXPECT_EQ(Drag(selector, set, nullptr, {{-1, 5}}, Qt::ControlModifier, 10),
            (TileSelection{-10, 0, 10, 10}));
  // A grid of 0 or less counts as single pixels.
  EXPECT_EQ(Drag(selector, set, nullptr, {{7, 9}, {9, 12}}, Qt::ControlModifier, 0),
            (TileSelection{7, 9, 3, 4}));
}

TEST(TileSetSelector, OtherModifierCombinationsUseTheTileGrid) {
  const Background set = Grid(0, 16, 0);
  TileSetSelector selector;
  for (Qt::KeyboardModifiers keys :
       {Qt::KeyboardModifiers(Qt::ShiftModifier), Qt::AltModifier | Qt::ControlModifier,
        Qt::ShiftModifier | Qt::AltModifier}) {
    EXPECT_EQ(Drag(selector, set, nullptr, {{20, 5}, {40, 20}}, keys, 10),
              (TileSelection{16, 0, 32, 32}));
  }
  // The keypad flag is not a modifier key: Alt is still alone.
  EXPECT_EQ(Drag(selector, set, nullptr, {{20, 5}, {40, 20}}, Qt::AltModifier | Qt::KeypadModifier),
            (TileSelection{20, 5, 20, 15}));
}

TEST(TileSetSelector, DragRunsWhileTheLeftButtonIsHeldOverAChosenTileSet) {
  const Background set = Grid(0, 10, 0);
  TileSetSelector selector;
  EXPECT_TRUE(selector.Pointer(Held(5, 5), &set, nullptr, 16));
  EXPECT_TRUE(selector.dragging());
  EXPECT_EQ(selector.ax(), 5);
  selector.Pointer(Held(25, 5), &set, nullptr, 16);
  EXPECT_EQ(selector.ax(), 5);  // the start stays for the whole drag
  // A move without the button ends the drag; the selection stays.
  EXPECT_FALSE(selector.Pointer(Up(100, 100), &set, nullptr, 16));
  EXPECT_FALSE(selector.dragging());
  EXPECT_EQ(selector.selection(), (TileSelection{0, 0, 30, 10}));
  // Without a tile set nothing happens.
  EXPECT_FALSE(selector.Pointer(Held(45, 45), nullptr, nullptr, 16));
  EXPECT_FALSE(selector.dragging());
  EXPECT_EQ(selector.selection(), (TileSelection{0, 0, 30, 10}));
  // The right button alone does not drag.
  PointerEvent right = Held(45, 45);
  right.button = Qt::RightButton;
  right.buttons = Qt::RightButton;
  EXPECT_FALSE(selector.Pointer(right, &set, nullptr, 16));
  // Another tile set clears everything.
  selector.Pointer(Held(45, 45), &set, nullptr, 16);
  selector.Clear();
  EXPECT_FALSE(selector.dragging());
  EXPECT_EQ(selector.selection(), TileSelection{});
  selector.Pointer(Held(12, 12), &set, nullptr, 16);
  EXPECT_EQ(selector.ax(), 12);  // a fresh drag
}

TEST(TileSetSelector, FarPointerPositionsAndOffsetsDoNotOverflow) {
  Background set = Grid(-2000000000, 1000000000, 1000000000);
  TileSetSelector selector;
  Drag(selector, set, nullptr, {{2000000000, 2000000000}, {2147483647, 2147483647}});
  const TileSelection s = selector.selection();
  EXPECT_GT(s.sw, 0);
  EXPECT_GT(s.sh, 0);
  EXPECT_EQ(SelectedTileImage(s, nullptr), nullptr);
}

Image Numbered(int w, int h) {
  Image image = Image::Opaque(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.Plot(x, y, Color{std::uint8_t(x), std::uint8_t(y), 9, 255});
  return image;
}

TEST(SelectedTileImage, CutsTheSelectionOutOfTheTileSet) {
  const Image picture = Numbered(40, 30);
  const ImageRef tile = SelectedTileImage({10, 5, 4, 3}, &picture);
  ASSERT_NE(tile, nullptr);
  EXPECT_TRUE(tile->has_alpha());
  EXPECT_EQ(tile->width(), 4);
  EXPECT_EQ(tile->height(), 3);
  EXPECT_EQ(tile->Pixel(0, 0), (Color{10, 5, 9, 255}));
  EXPECT_EQ(tile->Pixel(3, 2), (Color{13, 7, 9, 255}));
  // Beyond the picture the tile stays see-through.
  const ImageRef edge = SelectedTileImage({38, 28, 4, 4}, &picture);
  EXPECT_EQ(edge->Pixel(1, 1), (Color{39, 29, 9, 255}));
  EXPECT_EQ(edge->Pixel(2, 2), (Color{0, 0, 0, 0}));
  // Half-transparent tile set pixels are blended onto nothing, keeping their alpha.
  Image faint = Image::Transparent(2, 2);
  faint.Fill(Color{200, 100, 50, 128});
  EXPECT_EQ(SelectedTileImage({0, 0, 1, 1}, &faint)->Pixel(0, 0).a, 128);
}

TEST(SelectedTileImage, BlackWithoutAPictureAndNothingForEmptyOrAbsurdSizes) {
  const ImageRef black = SelectedTileImage({3, 3, 5, 6}, nullptr);
  ASSERT_NE(black, nullptr);
  EXPECT_EQ(*black, Image::Opaque(5, 6));
  const Image none;
  EXPECT_EQ(*SelectedTileImage({0, 0, 2, 2}, &none), Image::Opaque(2, 2));

  EXPECT_EQ(SelectedTileImage({0, 0, 0, 5}, nullptr), nullptr);
  EXPECT_EQ(SelectedTileImage({0, 0, 5, -1}, nullptr), nullptr);
  EXPECT_EQ(SelectedTileImage({0, 0, kMaxTileSide + 1, 1}, nullptr), nullptr);
  EXPECT_EQ(SelectedTileImage({0, 0, 8192, 4096}, nullptr), nullptr);  // 2^25 pixels
  EXPECT_NE(SelectedTileImage({0, 0, 4096, 4096}, nullptr), nullptr);  // 2^24
}

TEST(TileSizeAllowed, ATileSetLargerThanTheBoundMayBeTakenWhole) {
  EXPECT_TRUE(TileSizeAllowed(4096, 4096));
  EXPECT_FALSE(TileSizeAllowed(4097, 4096));
  const long long big = 8192LL * 4096;
  EXPECT_TRUE(TileSizeAllowed(8192, 4096, big));
  EXPECT_TRUE(TileSizeAllowed(4096, 8192, big));  // as many pixels
  EXPECT_FALSE(TileSizeAllowed(8192, 4097, big));
  EXPECT_FALSE(TileSizeAllowed(kMaxTileSide + 1, 1, big));
  EXPECT_FALSE(TileSizeAllowed(0, 1, big));
  EXPECT_FALSE(TileSizeAllowed(1, -1, big));
  const Image picture = Image::Opaque(30, 20);
  EXPECT_EQ(PixelCount(&picture), 600);
  EXPECT_EQ(PixelCount(nullptr), 0);
}

// A target the view paints into, filled with a colour no step draws.
Image Target(int w, int h) {
  Image target = Image::Opaque(w, h);
  target.Fill(Color{1, 2, 3, 255});
  return target;
}

Color Inverted(Color c) {
  return Color{std::uint8_t(255 - c.r), std::uint8_t(255 - c.g), std::uint8_t(255 - c.b), c.a};
}

TEST(PaintTileSetView, CheckerboardUnderTheTileSetBlendedOverIt) {
  Image set = Image::Transparent(40, 40);
  set.FillRect(0, 0, 20, 40, Color{0, 0, 255, 255});
  Image target = Target(60, 60);
  PaintTileSetView(target, 0, 0, set, {});
  EXPECT_EQ(target.Pixel(5, 5), (Color{0, 0, 255, 255}));  // the opaque half
  EXPECT_EQ(target.Pixel(25, 5), kWhite);                  // board square (1, 0)
  EXPECT_EQ(target.Pixel(37, 37), kGrey);                  // board square (2, 2)
  EXPECT_EQ(target.Pixel(50, 35), kWhite);                 // the board reaches past the set
}

TEST(PaintTileSetView, PaintsOnlyTheVisiblePart) {
  const Image set = Numbered(100, 100);
  Image target = Target(10, 10);
  PaintTileSetView(target, 50, 60, set, {});
  EXPECT_EQ(target.Pixel(0, 0), set.Pixel(50, 60));
  EXPECT_EQ(target.Pixel(9, 9), set.Pixel(59, 69));
  // Scrolled past the board and the set: untouched.
  Image beyond = Target(10, 10);
  PaintTileSetView(beyond, 900, 0, set, {});
  EXPECT_EQ(beyond, Target(10, 10));
  PaintTileSetView(beyond, -20, -20, set, {});
  EXPECT_EQ(beyond, Target(10, 10));
}

TEST(PaintTileSetView, RepeatsTheCheckerboardUnderALargeTileSet) {
  const Image set = Image::Transparent(1700, 900);
  Image target = Target(40, 40);
  PaintTileSetView(target, 1590, 790, set, {});
  // (1600, 800) is a copy's top-left square; just before is the first
  // copy's bottom-right one.
  EXPECT_EQ(target.Pixel(10, 10), kGrey);
  EXPECT_EQ(target.Pixel(9, 9), Checkerboard().Pixel(799, 799));
  EXPECT_EQ(target.Pixel(10 + 16, 10), kWhite);
  // Past the set's last 800-pixel column there is no board.
  Image past = Target(10, 10);
  PaintTileSetView(past, 2400, 0, set, {});
  EXPECT_EQ(past, Target(10, 10));
}

TEST(PaintTileSetView, OutlinesTheSelectionByInvertingEachEdge) {
  const Image set = Numbered(60, 60);
  const TileSelection s{10, 20, 5, 4};
  Image plain = Target(60, 60);
  PaintTileSetView(plain, 0, 0, set, {});
  Image target = Target(60, 60);
  PaintTileSetView(target, 0, 0, set, s);
  auto inverted = [&](int x, int y) { return target.Pixel(x, y) == Inverted(plain.Pixel(x, y)); };
  auto same = [&](int x, int y) { return target.Pixel(x, y) == plain.Pixel(x, y); };
  EXPECT_TRUE(inverted(14, 20));  // top edge, last column of the selection
  EXPECT_TRUE(inverted(10, 23));  // left edge, last row
  EXPECT_TRUE(inverted(10, 24));  // bottom edge, one row below the selection
  EXPECT_TRUE(inverted(14, 24));
  EXPECT_TRUE(inverted(15, 20));  // right edge, one column past it
  EXPECT_TRUE(inverted(15, 23));
  // Top and left both invert the first pixel, which ends as it was; the
  // outside corners are on no edge.
  EXPECT_TRUE(same(10, 20));
  EXPECT_TRUE(same(15, 24));
  EXPECT_TRUE(same(12, 22));  // inside
  EXPECT_TRUE(same(9, 20));
  EXPECT_TRUE(same(16, 20));
  EXPECT_TRUE(same(10, 25));
  int changed = 0;
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 60; ++x) changed += !same(x, y);
  EXPECT_EQ(changed, (5 - 1) + (4 - 1) + 5 + 4);  // each edge, less the shared corner

  // Seen through a scrolled target the outline is in the same place.
  Image part = Target(10, 10);
  PaintTileSetView(part, 8, 18, set, s);
  EXPECT_EQ(part.Pixel(15 - 8, 23 - 18), target.Pixel(15, 23));
  EXPECT_EQ(part.Pixel(10 - 8, 24 - 18), target.Pixel(10, 24));
}

TEST(PaintTileSetView, NoOutlineForAnEmptySelection) {
  const Image set = Numbered(30, 30);
  Image plain = Target(30, 30);
  PaintTileSetView(plain, 0, 0, set, {});
  for (TileSelection s :
       {TileSelection{5, 5, 0, 3}, TileSelection{5, 5, 3, 0}, TileSelection{5, 5, -2, 3}}) {
    Image target = Target(30, 30);
    PaintTileSetView(target, 0, 0, set, s);
    EXPECT_EQ(target, plain);
  }
  // A selection reaching far out is drawn where it meets the target only.
  Image far = Target(30, 30);
  PaintTileSetView(far, 0, 0, set, {2147483000, 5, 2147483647, 2147483647});
  EXPECT_EQ(far, plain);
  PaintTileSetView(far, 0, 0, set, {5, 5, 2147483647, 2147483647});
  EXPECT_EQ(far.Pixel(29, 5), Inverted(plain.Pixel(29, 5)));
  EXPECT_EQ(far.Pixel(5, 29), Inverted(plain.Pixel(5, 29)));
  EXPECT_EQ(far.Pixel(6, 6), plain.Pixel(6, 6));
}

}  // namespace
}  // namespace vorlane
