#include "image/effects.h"

#include <gtest/gtest.h>

#include <random>

#include "image/strip.h"

namespace vorlane {
namespace {

Color Rgba(int r, int g, int b, int a = 255) {
  return Color{std::uint8_t(r), std::uint8_t(g), std::uint8_t(b), std::uint8_t(a)};
}

// A one-row 32-bit image holding the given pixels.
Image Row(std::initializer_list<Color> pixels) {
  Image image = Image::Transparent(static_cast<int>(pixels.size()), 1);
  int x = 0;
  for (const Color& c : pixels) image.Plot(x++, 0, c);
  return image;
}

// Every pixel different: red counts columns, green rows, alpha varies too.
Image Numbered(int w, int h, bool alpha) {
  Image image = alpha ? Image::Transparent(w, h) : Image::Opaque(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.Plot(x, y, Rgba(10 * x + 1, 10 * y + 1, 7, 200 + x + y));
  return image;
}

Image Solid(int w, int h, Color color) {
  Image image = Image::Transparent(w, h);
  image.Fill(color);
  return image;
}

const Color kClear{0, 0, 0, 0};

// Every effect gives a 32-bit frame of the same size, and a pixel it leaves
// see-through is (0, 0, 0, 0), whatever colour the source hid there.
TEST(ColourEffects, EveryEffectGivesA32BitImageOfTheSameSize) {
  const Image opaque = Numbered(5, 3, false);
  Image hidden = Numbered(5, 3, true);
  hidden.Plot(0, 0, Rgba(47, 192, 96, 0));
  for (const Image& source : {opaque, hidden}) {
    const Image results[] = {Grayscale(source),
                             Invert(source),
                             MakeOpaque(source),
                             Brightness(source, 10),
                             ColorBalance(source, 1, 2, 3),
                             Colorize(source, 200),
                             SwapChannels(source, "BGR"),
                             Opacity(source, 40),
                             Posterize(source, 5),
                             Noise(source, MakeNoisePlane(5, 3, 10, 1)),
                             EraseColor(source, Rgba(0, 0, 0), 3),
                             Mirror(source, true, false),
                             Mirror(source, false, true),
                             RotateFrame(source, 30),
                             RotateFrame(source, 90),
                             ScaleFrame(source, 150, 50),
                             ShiftFrame(source, 1, 1, true, true)};
    for (const Image& result : results) {
      EXPECT_TRUE(result.has_alpha());
      EXPECT_EQ(result.width(), 5);
      EXPECT_EQ(result.height(), 3);
      for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
          if (result.Pixel(x, y).a == 0) EXPECT_EQ(result.Pixel(x, y), kClear) << x << "," << y;
    }
  }
  // A 24-bit frame reads with alpha 255.
  EXPECT_EQ(Invert(opaque).Pixel(2, 1), Rgba(255 - 21, 255 - 11, 248, 255));
  EXPECT_TRUE(Grayscale(Image()).is_null());
  EXPECT_TRUE(RotateFrame(Image(), 90).is_null());
}

TEST(ColourEffects, GrayscaleUsesTheRoundedLuma) {
  const Image image = Row({Rgba(255, 0, 0), Rgba(255, 255, 255), Rgba(10, 200, 30, 77),
                           Rgba(0, 0, 7), Rgba(0, 0, 6), Rgba(90, 90, 90, 0)});
  const Image gray = Grayscale(image);
  EXPECT_EQ(gray.Pixel(0, 0), Rgba(54, 54, 54));
  EXPECT_EQ(gray.Pixel(1, 0), Rgba(255, 255, 255));
  // 2.126 + 143.04 + 2.166 = 147.33; alpha kept.
  EXPECT_EQ(gray.Pixel(2, 0), Rgba(147, 147, 147, 77));
  EXPECT_EQ(gray.Pixel(3, 0), Rgba(1, 1, 1));  // 0.505
  EXPECT_EQ(gray.Pixel(4, 0), Rgba(0, 0, 0));  // 0.433
  EXPECT_EQ(gray.Pixel(5, 0), kClear);
}

TEST(ColourEffects, InvertTwiceRestoresAllButClearPixels) {
  const Image image = Row({Rgba(0, 100, 255, 255), Rgba(3, 4, 5, 9), Rgba(3, 4, 5, 0)});
  const Image once = Invert(image);
  EXPECT_EQ(once.Pixel(0, 0), Rgba(255, 155, 0, 255));
  EXPECT_EQ(once.Pixel(1, 0), Rgba(252, 251, 250, 9));
  EXPECT_EQ(once.Pixel(2, 0), kClear);
  const Image twice = Invert(once);
  EXPECT_EQ(twice.Pixel(0, 0), image.Pixel(0, 0));
  EXPECT_EQ(twice.Pixel(1, 0), image.Pixel(1, 0));
  EXPECT_EQ(twice.Pixel(2, 0), kClear);
}

TEST(ColourEffects, MakeOpaqueShowsTheColourUnderClearPixels) {
  const Image opaque = MakeOpaque(Row({Rgba(9, 8, 7, 0), Rgba(1, 2, 3, 128)}));
  EXPECT_EQ(opaque.Pixel(0, 0), Rgba(9, 8, 7, 255));
  EXPECT_EQ(opaque.Pixel(1, 0), Rgba(1, 2, 3, 255));
}

TEST(ColourEffects, BrightnessAndBalanceClampEachChannel) {
  const Image image = Row({Rgba(0, 128, 250, 60), Rgba(200, 5, 100, 0)});
  EXPECT_EQ(Brightness(image, 10).Pixel(0, 0), Rgba(10, 138, 255, 60));
  EXPECT_EQ(Brightness(image, -129).Pixel(0, 0), Rgba(0, 0, 121, 60));
  EXPECT_EQ(Brightness(image, 255).Pixel(0, 0), Rgba(255, 255, 255, 60));
  EXPECT_EQ(Brightness(image, 50).Pixel(1, 0), kClear);
  const Image balanced = ColorBalance(image, 30, -130, 6);
  EXPECT_EQ(balanced.Pixel(0, 0), Rgba(30, 0, 255, 60));
  EXPECT_EQ(ColorBalance(image, -255, 0, 255).Pixel(0, 0), Rgba(0, 128, 255, 60));
}

TEST(ColourEffects, ColorizeMultipliesByTheHuesTint) {
  const Image image = Row({Rgba(100, 150, 200, 40), Rgba(101, 153, 151), Rgba(5, 5, 5, 0)});
  EXPECT_EQ(Colorize(image, 0).Pixel(0, 0), Rgba(100, 0, 0, 40));
  EXPECT_EQ(Colorize(image, 120).Pixel(0, 0), Rgba(0, 150, 0, 40));
  EXPECT_EQ(Colorize(image, 240).Pixel(0, 0), Rgba(0, 0, 200, 40));
  EXPECT_EQ(Colorize(image, 60).Pixel(0, 0), Rgba(100, 150, 0, 40));
  EXPECT_EQ(Colorize(image, 180).Pixel(0, 0), Rgba(0, 150, 200, 40));
  EXPECT_EQ(Colorize(image, 300).Pixel(0, 0), Rgba(100, 0, 200, 40));
  // Half tints: halves round to the even neighbour (76.5 -> 76, 75.5 -> 76).
  EXPECT_EQ(Colorize(image, 30).Pixel(1, 0), Rgba(101, 76, 0));
  EXPECT_EQ(Colorize(image, 30).Pixel(0, 0), Rgba(100, 75, 0, 40));
  EXPECT_EQ(Colorize(image, 90).Pixel(1, 0), Rgba(50, 153, 0));  // 50.5 -> 50
  EXPECT_EQ(Colorize(image, 210).Pixel(1, 0), Rgba(0, 76, 151));
  EXPECT_EQ(Colorize(image, 270).Pixel(1, 0), Rgba(50, 0, 151));
  EXPECT_EQ(Colorize(image, 330).Pixel(1, 0), Rgba(101, 0, 76));  // 75.5 -> 76
  EXPECT_EQ(Colorize(image, 45).Pixel(1, 0), Rgba(101, 115, 0));  // 153 * 0.75 = 114.75
  EXPECT_EQ(Colorize(image, 200).Pixel(2, 0), kClear);
}

TEST(ColourEffects, SwapChannelsReordersColoursOnly) {
  const Image image = Row({Rgba(10, 20, 30, 99), Rgba(1, 2, 3, 0)});
  EXPECT_EQ(SwapChannels(image, "RBG").Pixel(0, 0), Rgba(10, 30, 20, 99));
  EXPECT_EQ(SwapChannels(image, "GRB").Pixel(0, 0), Rgba(20, 10, 30, 99));
  EXPECT_EQ(SwapChannels(image, "GBR").Pixel(0, 0), Rgba(20, 30, 10, 99));
  EXPECT_EQ(SwapChannels(image, "BRG").Pixel(0, 0), Rgba(30, 10, 20, 99));
  EXPECT_EQ(SwapChannels(image, "BGR").Pixel(0, 0), Rgba(30, 20, 10, 99));
  EXPECT_EQ(SwapChannels(image, "BGR").Pixel(1, 0), kClear);
  // An unknown order leaves every byte as it was.
  EXPECT_EQ(SwapChannels(image, "RGB"), image);
  EXPECT_EQ(SwapChannels(image, "bgr"), image);
}

TEST(ColourEffects, OpacityScalesAlphaRoundingUp) {
  const Image image = Row({Rgba(1, 2, 3, 255), Rgba(1, 2, 3, 1), Rgba(4, 5, 6, 200)});
  const Image half = Opacity(image, 50);
  EXPECT_EQ(half.Pixel(0, 0), Rgba(1, 2, 3, 128));
  EXPECT_EQ(half.Pixel(1, 0), Rgba(1, 2, 3, 1));
  EXPECT_EQ(half.Pixel(2, 0), Rgba(4, 5, 6, 100));
  EXPECT_EQ(Opacity(image, 33).Pixel(2, 0), Rgba(4, 5, 6, 66));
  EXPECT_EQ(Opacity(image, 100).Pixel(0, 0), Rgba(1, 2, 3, 255));
  // Any fraction goes up: 104 at 10% is 10.4.
  EXPECT_EQ(Opacity(Row({Rgba(1, 2, 3, 104)}), 10).Pixel(0, 0), Rgba(1, 2, 3, 11));
  // In single precision 15 / 100 * 100 comes out just above 15.
  EXPECT_EQ(Opacity(Row({Rgba(1, 2, 3, 15)}), 100).Pixel(0, 0), Rgba(1, 2, 3, 16));
  const Image none = Opacity(image, 0);
  for (int x = 0; x < 3; ++x) EXPECT_EQ(none.Pixel(x, 0), kClear);
  EXPECT_EQ(Opacity(Image::Opaque(1, 1), 10).Pixel(0, 0), Rgba(0, 0, 0, 26));  // 25.5 up
}

TEST(ColourEffects, PosterizeRoundsToStepsCappedAt255) {
  const Image image = Row({Rgba(255, 49, 50, 70), Rgba(149, 150, 0), Rgba(3, 1, 5)});
  EXPECT_EQ(Posterize(image, 100).Pixel(0, 0), Rgba(255, 0, 100, 70));
  EXPECT_EQ(Posterize(image, 100).Pixel(1, 0), Rgba(100, 200, 0));
  // Halves go away from zero: 1.5 -> 2, 0.5 -> 1, 2.5 -> 3.
  EXPECT_EQ(Posterize(image, 2).Pixel(2, 0), Rgba(4, 2, 6));
  EXPECT_EQ(Posterize(image, 120).Pixel(0, 0), Rgba(240, 0, 0, 70));
}

TEST(ColourEffects, NoiseAddsThePlaneCappedAt255) {
  Image image = Image::Transparent(2, 2);
  image.Plot(0, 0, Rgba(10, 20, 30, 40));
  image.Plot(1, 0, Rgba(250, 100, 0));
  image.Plot(0, 1, Rgba(7, 7, 7, 0));
  image.Plot(1, 1, Rgba(0, 0, 0, 1));
  const Image noisy = Noise(image, {1, 6, 50, 101});
  EXPECT_EQ(noisy.Pixel(0, 0), Rgba(11, 21, 31, 40));
  EXPECT_EQ(noisy.Pixel(1, 0), Rgba(255, 106, 6));
  EXPECT_EQ(noisy.Pixel(0, 1), kClear);
  EXPECT_EQ(noisy.Pixel(1, 1), Rgba(101, 101, 101, 1));
  EXPECT_EQ(Noise(image, {1, 2, 3}), image);  // wrong size: unchanged
}

TEST(ColourEffects, NoisePlaneComesFromTheSeededGenerator) {
  EXPECT_EQ(MakeNoisePlane(3, 2, 0, 99), std::vector<std::uint8_t>(6, 1));
  const auto plane = MakeNoisePlane(40, 30, 20, 7);
  ASSERT_EQ(plane.size(), 1200u);
  std::mt19937 generator(7);
  std::uniform_int_distribution<int> amount(0, 20);
  bool lowest = false, highest = false;
  for (std::uint8_t n : plane) {
    ASSERT_EQ(n, 1 + amount(generator));
    lowest = lowest || n == 1;
    highest = highest || n == 21;
  }
  EXPECT_TRUE(lowest && highest);
  EXPECT_EQ(MakeNoisePlane(40, 30, 20, 7), plane);
  EXPECT_NE(MakeNoisePlane(40, 30, 20, 8), plane);
  EXPECT_TRUE(MakeNoisePlane(0, 5, 10, 1).empty());
}

TEST(ColourEffects, EraseColorRemovesPixelsOfNearbyLuma) {
  const Image image = Row({Rgba(0, 0, 0), Rgba(0, 0, 6, 80), Rgba(1, 0, 0), Rgba(0, 0, 7),
                           Rgba(2, 1, 0), Rgba(245, 245, 245), Rgba(244, 244, 244)});
  const Image no_black = EraseColor(image, Rgba(0, 0, 0), 0);
  EXPECT_EQ(no_black.Pixel(0, 0), kClear);
  EXPECT_EQ(no_black.Pixel(1, 0), kClear);         // luma 0.43
  EXPECT_EQ(no_black.Pixel(2, 0), kClear);         // luma 0.21
  EXPECT_EQ(no_black.Pixel(3, 0), Rgba(0, 0, 7));  // luma 0.51
  EXPECT_EQ(no_black.Pixel(4, 0), Rgba(2, 1, 0));
  // The colour is compared by its own rounded luma, here 255, within 10.
  const Image no_white = EraseColor(image, Rgba(255, 255, 255, 0), 10);
  EXPECT_EQ(no_white.Pixel(5, 0), kClear);
  EXPECT_EQ(no_white.Pixel(6, 0), Rgba(244, 244, 244));
  EXPECT_EQ(no_white.Pixel(0, 0), Rgba(0, 0, 0));
  // Within 1 of red's 54: anything of luma 53 to 55.
  EXPECT_EQ(EraseColor(Row({Rgba(55, 55, 55), Rgba(56, 56, 56)}), Rgba(255, 0, 0), 1),
            Row({kClear, Rgba(56, 56, 56)}));
}

TEST(GeometricEffects, MirrorCopiesPixelsExactly) {
  const Image image = Numbered(3, 2, true);
  const Image h = Mirror(image, true, false);
  const Image v = Mirror(image, false, true);
  const Image both = Mirror(image, true, true);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) {
      EXPECT_EQ(h.Pixel(2 - x, y), image.Pixel(x, y));
      EXPECT_EQ(v.Pixel(x, 1 - y), image.Pixel(x, y));
      EXPECT_EQ(both.Pixel(2 - x, 1 - y), image.Pixel(x, y));
    }
  }
  EXPECT_EQ(Mirror(image, false, false), image);
  EXPECT_EQ(Mirror(Numbered(3, 2, false), true, false).Pixel(0, 0), Rgba(21, 1, 7, 255));
}

TEST(GeometricEffects, RotateQuarterTurnsKeepTheFrameSize) {
  // 3 x 2 turns about (1, 1).
  const Image image = Numbered(3, 2, true);
  const Image left = RotateFrame(image, 90);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 2; ++x) EXPECT_EQ(left.Pixel(x, y), image.Pixel(2 - y, x));
    EXPECT_EQ(left.Pixel(2, y), kClear);  // would come from row 2
  }
  // Counter-clockwise on screen: the pixel right of the centre goes above it.
  EXPECT_EQ(left.Pixel(1, 0), image.Pixel(2, 1));

  const Image half = RotateFrame(image, 180);
  for (int x = 0; x < 3; ++x) {
    EXPECT_EQ(half.Pixel(x, 0), kClear);
    EXPECT_EQ(half.Pixel(x, 1), image.Pixel(2 - x, 1));
  }
  const Image right = RotateFrame(image, -90);
  EXPECT_EQ(right, RotateFrame(image, 270));
  EXPECT_EQ(right.Pixel(0, 0), kClear);
  EXPECT_EQ(right.Pixel(1, 0), image.Pixel(0, 1));
  EXPECT_EQ(right.Pixel(2, 1), image.Pixel(1, 0));
  EXPECT_EQ(RotateFrame(image, 0), image);
  EXPECT_EQ(RotateFrame(image, 360), image);
  EXPECT_EQ(RotateFrame(image, 450), left);
}

TEST(GeometricEffects, RotateOtherAnglesTakeTheNearestSourcePixel) {
  const Image image = Numbered(5, 5, false);
  const Image turned = RotateFrame(image, 45);
  EXPECT_EQ(turned.Pixel(2, 2), image.Pixel(2, 2));
  // (4, 2): 2 + 2 cos 45 = 3.41 on both axes.
  EXPECT_EQ(turned.Pixel(4, 2), image.Pixel(3, 3));
  // (2, 0): x 2 + 1.41, y 2 - 1.41.
  EXPECT_EQ(turned.Pixel(2, 0), image.Pixel(3, 1));
  // (0, 0): y 2 - 2.83 is outside.
  EXPECT_EQ(turned.Pixel(0, 0), kClear);
  EXPECT_EQ(RotateFrame(image, -45).Pixel(2, 4), image.Pixel(3, 3));
}

TEST(GeometricEffects, ScaleDrawsCentredAtTheRoundedSize) {
  const Color c = Rgba(40, 50, 60, 200);
  // 5 * 50% = 2.5 rounds up to 3, placed at 2 - 1 = 1; 4 * 50% = 2 at 1.
  const Image small = ScaleFrame(Solid(5, 4, c), 50, 50);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 5; ++x)
      EXPECT_EQ(small.Pixel(x, y), (x >= 1 && x <= 3 && y >= 1 && y <= 2) ? c : kClear)
          << x << "," << y;
  // Wider than the frame: cropped at both sides, untouched rows stay clear.
  const Image wide = ScaleFrame(Solid(4, 4, c), 300, 25);
  for (int x = 0; x < 4; ++x) {
    EXPECT_EQ(wide.Pixel(x, 1), kClear);
    EXPECT_EQ(wide.Pixel(x, 2), c);
  }
  // At 100% the pixels stay as they were.
  const Image image = Numbered(4, 3, true);
  EXPECT_EQ(ScaleFrame(image, 100, 100), image);
  EXPECT_EQ(ScaleFrame(image, 1, 1), Image::Transparent(4, 3));
}

TEST(GeometricEffects, ShiftWrapsAlongTheChosenAxes) {
  const Image image = Numbered(4, 3, true);
  const Image plain = ShiftFrame(image, 1, 0, false, false);
  const Image wrapx = ShiftFrame(image, 1, 1, true, false);
  const Image wrapy = ShiftFrame(image, 1, 2, false, true);
  const Image both = ShiftFrame(image, -1, 1, true, true);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 4; ++x) {
      EXPECT_EQ(plain.Pixel(x, y), x == 0 ? kClear : image.Pixel(x - 1, y));
      EXPECT_EQ(wrapx.Pixel(x, y), y == 0 ? kClear : image.Pixel((x + 3) % 4, y - 1));
      EXPECT_EQ(wrapy.Pixel(x, y), x == 0 ? kClear : image.Pixel(x - 1, (y + 1) % 3));
      EXPECT_EQ(both.Pixel(x, y), image.Pixel((x + 1) % 4, (y + 2) % 3));
    }
  }
  EXPECT_EQ(ShiftFrame(image, 0, 0, false, false), image);
  EXPECT_EQ(ShiftFrame(image, 4, 0, false, false), Image::Transparent(4, 3));
  EXPECT_EQ(ShiftFrame(image, 4, -3, true, true), image);
}

TEST(CutStrip, CellsRowByRowLeftOverDropped) {
  Image strip = Image::Opaque(100, 30);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 100; ++x) strip.Plot(x, y, Rgba(x, y, 9));
  const auto cells = CutStrip(strip, 3, 1);
  ASSERT_EQ(cells.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    ASSERT_EQ(cells[i].width(), 33);
    ASSERT_EQ(cells[i].height(), 30);
    EXPECT_TRUE(cells[i].has_alpha());
    EXPECT_EQ(cells[i].Pixel(0, 0), Rgba(33 * i, 0, 9));
    EXPECT_EQ(cells[i].Pixel(32, 29), Rgba(33 * i + 32, 29, 9));
  }

  const auto grid = CutStrip(strip, 2, 2);  // 50 x 15 cells
  ASSERT_EQ(grid.size(), 4u);
  EXPECT_EQ(grid[0].Pixel(0, 0), Rgba(0, 0, 9));
  EXPECT_EQ(grid[1].Pixel(0, 0), Rgba(50, 0, 9));
  EXPECT_EQ(grid[2].Pixel(0, 0), Rgba(0, 15, 9));
  EXPECT_EQ(grid[3].Pixel(49, 14), Rgba(99, 29, 9));

  // A see-through strip is cut byte for byte.
  const Image numbered = Numbered(4, 2, true);
  const auto halves = CutStrip(numbered, 2, 1);
  ASSERT_EQ(halves.size(), 2u);
  EXPECT_EQ(halves[1], numbered.Copy(2, 0, 2, 2));
}

TEST(CutStrip, NoCountsNoFramesAndEmptyCellsStayNull) {
  const Image strip = Image::Opaque(2, 2);
  EXPECT_TRUE(CutStrip(strip, 0, 1).empty());
  EXPECT_TRUE(CutStrip(strip, 1, -1).empty());
  const auto cells = CutStrip(strip, 3, 1);
  ASSERT_EQ(cells.size(), 3u);
  for (const Image& cell : cells) EXPECT_TRUE(cell.is_null());
  EXPECT_EQ(CutStrip(Image(), 2, 2).size(), 4u);
}

}  // namespace
}  // namespace vorlane
