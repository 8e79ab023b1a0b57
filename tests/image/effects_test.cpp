#include "image/effects.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "image/test_pictures.h"

namespace vorlane {
namespace {

using namespace test;
using std::bind;
using std::placeholders::_1;
// Short for the tables.
Color C(int r, int g, int b, int a = 255) { return Rgba(r, g, b, a); }
using Effect = std::function<Image(const Image&)>;

// A row of pixels in, the row the effect gives out.
struct ColourCase {
  const char* what;
  Effect effect;
  std::vector<Color> in, out;
};

// Each colour effect on worked-out pixels: rounding, clamping and channel
// order; an opaque row gives the same on a 24-bit frame.
TEST(ColourEffects, WorkedPixels) {
  const Color half{100, 150, 200, 40}, odd{101, 153, 151, 255}, faint{0, 128, 250, 60};
  // clang-format off
  const ColourCase cases[] = {
    {"grayscale: nearest luma (0.505 -> 1, 0.433 -> 0), alpha kept", Grayscale,
     {C(255, 0, 0), C(255, 255, 255), C(10, 200, 30, 77), C(0, 0, 7), C(0, 0, 6), C(9, 9, 9, 0)},
     {C(54, 54, 54), C(255, 255, 255), C(147, 147, 147, 77), C(1, 1, 1), C(0, 0, 0), kClear}},
    {"invert", Invert, {C(0, 100, 255), C(3, 4, 5, 9), C(3, 4, 5, 0)},
     {C(255, 155, 0), C(252, 251, 250, 9), kClear}},
    {"opaque", MakeOpaque, {C(9, 8, 7, 0), C(1, 2, 3, 128)}, {C(9, 8, 7), C(1, 2, 3)}},
    {"bright +10", bind(Brightness, _1, 10), {faint, C(9, 5, 1, 0)}, {C(10, 138, 255, 60), kClear}},
    {"brightness -129", bind(Brightness, _1, -129), {faint}, {C(0, 0, 121, 60)}},
    {"balance", bind(ColorBalance, _1, 30, -130, 6), {faint}, {C(30, 0, 255, 60)}},
    // Alpha goes up to a whole number; in single precision 15 / 100 * 100 is above 15.
    {"opacity 50", bind(Opacity, _1, 50), {C(1, 2, 3), C(1, 2, 3, 1), C(4, 5, 6, 200)},
     {C(1, 2, 3, 128), C(1, 2, 3, 1), C(4, 5, 6, 100)}},
    {"opacity 100", bind(Opacity, _1, 100), {C(1, 2, 3), C(1, 2, 3, 15)},
     {C(1, 2, 3), C(1, 2, 3, 16)}},
    {"opacity 0", bind(Opacity, _1, 0), {C(1, 2, 3), C(4, 5, 6, 200)}, {kClear, kClear}},
    // Halves away from zero: 1.5 -> 2, 0.5 -> 1, 2.5 -> 3; capped at 255.
    {"posterize 100", bind(Posterize, _1, 100), {C(255, 49, 50, 70), C(149, 150, 0)},
     {C(255, 0, 100, 70), C(100, 200, 0)}},
    {"posterize 2", bind(Posterize, _1, 2), {C(3, 1, 5)}, {C(4, 2, 6)}},
    {"noise adds the plane, capped", bind(Noise, _1, std::vector<std::uint8_t>{1, 6, 50, 101}),
     {C(10, 20, 30, 40), C(250, 100, 0), C(7, 7, 7, 0), C(0, 0, 0, 1)},
     {C(11, 21, 31, 40), C(255, 106, 6), kClear, C(101, 101, 101, 1)}},
    // Lumas 0, 0.43 and 0.21 round to 0; 0.51 and 1.4 do not.
    {"erase black", bind(EraseColor, _1, C(0, 0, 0), 0),
     {C(0, 0, 0), C(0, 0, 6, 80), C(1, 0, 0), C(0, 0, 7), C(2, 1, 0)},
     {kClear, kClear, kClear, C(0, 0, 7), C(2, 1, 0)}},
    {"erase red (luma 54) within 1", bind(EraseColor, _1, C(255, 0, 0), 1),
     {C(52, 52, 52), C(53, 53, 53), C(55, 55, 55), C(56, 56, 56)},
     {C(52, 52, 52), kClear, kClear, C(56, 56, 56)}},
  };
  // clang-format on
  for (const ColourCase& c : cases) {
    EXPECT_EQ(c.effect(Row(c.in, true)), Row(c.out, true)) << c.what;
    bool opaque = true;
    for (const Color& in : c.in) opaque = opaque && in.a == 255;
    if (opaque) {
      EXPECT_EQ(c.effect(Row(c.in, false)), Row(c.out, true)) << c.what << ", 24-bit";
    }
  }
  // The hue's tint, sector by sector; products round to even: 76.5 -> 76,
  // 50.5 -> 50, 75.5 -> 76 (114.75 -> 115).
  // clang-format off
  for (auto [hue, in, out] : std::initializer_list<std::tuple<int, Color, Color>>{
           {0, half, C(100, 0, 0, 40)}, {60, half, C(100, 150, 0, 40)}, {120, half, C(0, 150, 0, 40)},
           {180, half, C(0, 150, 200, 40)}, {240, half, C(0, 0, 200, 40)}, {300, half, C(100, 0, 200, 40)},
           {30, half, C(100, 75, 0, 40)}, {30, odd, C(101, 76, 0)}, {45, odd, C(101, 115, 0)},
           {90, odd, C(50, 153, 0)}, {210, odd, C(0, 76, 151)}, {270, odd, C(50, 0, 151)},
           {330, odd, C(101, 0, 76)}, {200, C(5, 5, 5, 0), kClear}})
    EXPECT_EQ(Colorize(Row({in}), hue), Row({out})) << hue;
  for (auto [order, out] : std::initializer_list<std::pair<const char*, Color>>{
           {"RBG", C(10, 30, 20, 99)}, {"GRB", C(20, 10, 30, 99)}, {"GBR", C(20, 30, 10, 99)},
           {"BRG", C(30, 10, 20, 99)}, {"BGR", C(30, 20, 10, 99)}})
    EXPECT_EQ(SwapChannels(Row({C(10, 20, 30, 99), C(1, 2, 3, 0)}), order), Row({out, kClear}));
  // clang-format on
  // What leaves the picture as it was keeps every byte, hidden colours too.
  const Image hidden = Row({Rgba(10, 20, 30, 99), Rgba(1, 2, 3, 0)});
  EXPECT_EQ(SwapChannels(hidden, "RGB"), hidden);
  EXPECT_EQ(SwapChannels(hidden, "bgr"), hidden);
  EXPECT_EQ(Noise(hidden, {1, 2, 3}), hidden);  // a plane of the wrong size
  EXPECT_EQ(Invert(Invert(hidden)).Pixel(0, 0), hidden.Pixel(0, 0));
}

// Every effect gives a 32-bit frame of the same size, and a pixel it leaves
// see-through is (0, 0, 0, 0), whatever colour the source hid there.
TEST(Effects, SameSize32BitAndHiddenPixelsCleared) {
  Image hidden = Numbered(5, 3, true);
  hidden.Plot(0, 0, Rgba(47, 192, 96, 0));
  for (const Image& source : {Numbered(5, 3, false), hidden}) {
    for (const Image& result :
         {Grayscale(source), Invert(source), MakeOpaque(source), Brightness(source, 10),
          ColorBalance(source, 1, 2, 3), Colorize(source, 200), SwapChannels(source, "BGR"),
          Opacity(source, 40), Posterize(source, 5), Noise(source, MakeNoisePlane(5, 3, 10, 1)),
          EraseColor(source, Rgba(0, 0, 0), 3), Mirror(source, true, false),
          RotateFrame(source, 30), RotateFrame(source, 90), ScaleFrame(source, 150, 50),
          ShiftFrame(source, 1, 1, true, true)}) {
      ASSERT_TRUE(result.has_alpha());
      ASSERT_EQ(result.width() * 10 + result.height(), 53);
      for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
          if (result.Pixel(x, y).a == 0) {
            EXPECT_EQ(result.Pixel(x, y), kClear) << x << "," << y;
          }
    }
  }
  EXPECT_TRUE(Grayscale(Image()).is_null());
  EXPECT_TRUE(RotateFrame(Image(), 90).is_null());
}

// The slow reference: target (x, y) takes source from(x, y); see-through
// where that is outside the picture or hidden.
Image Remapped(const Image& source, const std::function<std::pair<int, int>(int, int)>& from) {
  const int w = source.width(), h = source.height();
  Image out = Image::Transparent(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const auto [sx, sy] = from(x, y);
      const Color c = source.Pixel(sx, sy);
      if (c.a != 0) out.Plot(x, y, c);
    }
  return out;
}

int Wrap(int v, int n) { return (v % n + n) % n; }

std::vector<Image> Sources() {
  Image hidden = Numbered(3, 2, true);
  hidden.Plot(1, 0, Rgba(9, 9, 9, 0));
  return {Numbered(1, 1, false), hidden, Numbered(4, 4, false), Numbered(5, 3, true)};
}

// Mirror, shift and quarter turns move whole pixels: each against the
// reference over depths, odd and even sizes, and every offset.
TEST(GeometricEffects, PixelMovesMatchTheReference) {
  for (const Image& s : Sources()) {
    const int w = s.width(), h = s.height(), cx = w / 2, cy = h / 2;
    for (bool a : {false, true})
      for (bool b : {false, true}) {
        EXPECT_EQ(Mirror(s, a, b), Remapped(s, [&](int x, int y) {
                    return std::pair(a ? w - 1 - x : x, b ? h - 1 - y : y);
                  }));
        for (int dx = -w; dx <= w; ++dx)
          for (int dy = -h; dy <= h; ++dy) {
            const auto from = [&](int x, int y) {
              return std::pair(a ? Wrap(x - dx, w) : x - dx, b ? Wrap(y - dy, h) : y - dy);
            };
            ASSERT_EQ(ShiftFrame(s, dx, dy, a, b), Remapped(s, from)) << dx << "," << dy;
          }
      }
    // A quarter turn counter-clockwise about (w / 2, h / 2), applied k times.
    const auto turn = [&](int k) {
      return [=](int x, int y) {
        for (int i = 0; i < k; ++i) std::tie(x, y) = std::pair(cx - (y - cy), cy + (x - cx));
        return std::pair(x, y);
      };
    };
    for (int k = 0; k < 4; ++k) EXPECT_EQ(RotateFrame(s, 90 * k), Remapped(s, turn(k))) << k;
    EXPECT_EQ(RotateFrame(s, -90), RotateFrame(s, 270));
    EXPECT_EQ(RotateFrame(s, 450), RotateFrame(s, 90));
  }
  // Counter-clockwise on screen: the pixel right of the centre goes above it.
  const Image square = Numbered(4, 4, false);
  EXPECT_EQ(RotateFrame(square, 90).Pixel(2, 1), square.Pixel(3, 2));
}

TEST(GeometricEffects, OtherAnglesTakeTheNearestSourcePixel) {
  const Image image = Numbered(5, 5, false);
  const Image turned = RotateFrame(image, 45);
  EXPECT_EQ(turned.Pixel(2, 2), image.Pixel(2, 2));
  EXPECT_EQ(turned.Pixel(4, 2), image.Pixel(3, 3));  // 2 + 2 cos 45 = 3.41 on both axes
  EXPECT_EQ(turned.Pixel(2, 0), image.Pixel(3, 1));  // x 2 + 1.41, y 2 - 1.41
  EXPECT_EQ(turned.Pixel(0, 0), kClear);             // y 2 - 2.83 is outside
  EXPECT_EQ(RotateFrame(image, -45).Pixel(2, 4), image.Pixel(3, 3));
}

TEST(GeometricEffects, ScaleDrawsCentredAtTheRoundedSize) {
  const Color c = Rgba(40, 50, 60, 200);
  const auto at = [](const Image& picture, int w, int h, int x, int y) {
    Image image = Image::Transparent(w, h);
    image.Draw(picture, x, y);
    return image;
  };
  // 5 * 50% = 2.5 rounds up to 3, placed at 2 - 1 = 1; 4 * 50% = 2 at 1.
  EXPECT_EQ(ScaleFrame(Solid(5, 4, c), 50, 50), at(Solid(3, 2, c), 5, 4, 1, 1));
  EXPECT_EQ(ScaleFrame(Solid(4, 4, c), 300, 25), at(Solid(12, 1, c), 4, 4, -4, 2));  // cropped
  const Image image = Numbered(4, 3, true);
  EXPECT_EQ(ScaleFrame(image, 100, 100), image);
  EXPECT_EQ(ScaleFrame(image, 1, 1), Image::Transparent(4, 3));
}

}  // namespace
}  // namespace vorlane
