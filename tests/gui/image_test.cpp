#include "gui/image.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <functional>

namespace vorlane {
namespace {

constexpr Color kClear{0, 0, 0, 0};

// A w x h image whose pixels all differ, alpha included (some alpha 0 pixels
// keep a colour), so mixed-up coordinates show.
Image Pattern(int w, int h, bool alpha) {
  Image image = alpha ? Image::Transparent(w, h) : Image::Opaque(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      image.Plot(x, y, Color{std::uint8_t(x * 40 + 1), std::uint8_t(y * 40 + 2),
                             std::uint8_t(x * y + 3), std::uint8_t((x + y) * 50 % 256)});
  return image;
}

// The w x h part of `source` whose corner is at (x, y), built pixel by pixel.
Image Window(const Image& source, int x, int y, int w, int h) {
  Image part = source.has_alpha() ? Image::Transparent(w, h) : Image::Opaque(w, h);
  for (int py = 0; py < h; ++py)
    for (int px = 0; px < w; ++px) part.Plot(px, py, source.Pixel(x + px, y + py));
  return part;
}

TEST(ImageTest, NewImagesColourIntsAndPixelOutside) {
  const Image opaque = Image::Opaque(3, 2), clear = Image::Transparent(3, 2);
  EXPECT_FALSE(opaque.has_alpha());
  EXPECT_TRUE(clear.has_alpha());
  EXPECT_EQ(opaque.Pixel(2, 1), (Color{0, 0, 0, 255}));
  EXPECT_EQ(clear.Pixel(2, 1), kClear);
  EXPECT_EQ(opaque.Pixel(-1, 0), kClear);
  EXPECT_EQ(opaque.Pixel(3, 0), kClear);
  EXPECT_TRUE(Image().is_null());
  EXPECT_TRUE(Image::Opaque(0, 5).is_null());
  EXPECT_TRUE(Image::Transparent(-3, 5).is_null());
  EXPECT_EQ((Color{1, 2, 3, 4}).ToInt(), 1u + 2u * 256 + 3u * 65536 + 4u * 16777216);
  EXPECT_EQ(Color::FromInt(0xFF804020u), (Color{0x20, 0x40, 0x80, 0xFF}));
}

// The ways one colour reaches a 2 x 1 target, each written to both pixels.
using Op = std::function<void(Image&, Color)>;
Op PlotAs(DrawMode mode) {
  return [=](Image& t, Color c) { t.Plot(0, 0, c, mode), t.Plot(1, 0, c, mode); };
}
Op FillAs(DrawMode mode) { return [=](Image& t, Color c) { t.FillRect(0, 0, 2, 1, c, mode); }; }
// Draws a 2 x 1 source of the colour, with or without an alpha channel.
Op DrawOf(bool source_alpha, DrawMode mode) {
  return [=](Image& t, Color c) {
    Image source = source_alpha ? Image::Transparent(2, 1) : Image::Opaque(2, 1);
    source.Fill(c);
    t.Draw(source, 0, 0, mode);
  };
}
Op WithOpacity(bool source_alpha, int opacity) {
  return [=](Image& t, Color c) {
    Image source = source_alpha ? Image::Transparent(2, 1) : Image::Opaque(2, 1);
    source.Fill(c);
    t.DrawWithOpacity(source, 0, 0, opacity);
  };
}

TEST(ImageTest, OnePixelOperationsExactly) {
  using enum DrawMode;
  const struct {
    const char* what;
    bool alpha;  // the target's
    Color under;  // the target's colour before
    Op op;
    Color over;
    Color expected;
  } cases[] = {
      {"copy onto opaque", false, kClear, PlotAs(Copy), {10, 20, 30, 0}, {10, 20, 30, 255}},
      {"copy onto clear", true, kClear, PlotAs(Copy), {10, 20, 30, 0}, {10, 20, 30, 0}},
      {"fill onto opaque", false, kClear, FillAs(Copy), {5, 5, 5, 9}, {5, 5, 5, 255}},
      {"draw copy onto opaque", false, kClear, DrawOf(true, Copy), {1, 2, 3, 7}, {1, 2, 3, 255}},
      {"blend onto alpha 0", true, kClear, PlotAs(Blend), {10, 20, 30, 77}, {10, 20, 30, 77}},
      {"blend alpha 0: nothing", true, kClear, PlotAs(Blend), {10, 20, 30, 0}, kClear},
      {"half over half", true, {255, 0, 0, 128}, PlotAs(Blend), {0, 0, 255, 128},
       {85, 0, 170, 192}},
      {"part over part", true, {50, 60, 70, 200}, PlotAs(Blend), {10, 200, 60, 100},
       {32, 123, 65, 222}},
      // 201*128/255 = 100.9 must round up, 100*128/255 = 50.2 down.
      {"blend rounds", false, {0, 0, 255, 255}, FillAs(Blend), {201, 100, 0, 128},
       {101, 50, 127, 255}},
      {"blend opaque", false, kClear, PlotAs(Blend), {9, 9, 9, 255}, {9, 9, 9, 255}},
      {"draw opaque source", true, {1, 1, 1, 1}, DrawOf(false, Blend), {9, 9, 9, 255},
       {9, 9, 9, 255}},
      {"xor keeps alpha", true, {41, 42, 4, 100}, FillAs(Xor), {0xF0, 0x0F, 0xFF, 0},
       {41 ^ 0xF0, 42 ^ 0x0F, 4 ^ 0xFF, 100}},
      {"xor on opaque", false, {41, 42, 4, 0}, PlotAs(Xor), {0xF0, 0x0F, 0xFF, 0},
       {41 ^ 0xF0, 42 ^ 0x0F, 4 ^ 0xFF, 255}},
      {"opacity 0", true, kClear, WithOpacity(true, 0), {200, 100, 50, 200}, kClear},
      // alpha 200*128/255 = 100.4
      {"opacity 128", true, kClear, WithOpacity(true, 128), {200, 100, 50, 200},
       {200, 100, 50, 100}},
      {"opacity clamped to 255", false, kClear, WithOpacity(true, 999), {200, 100, 50, 200},
       {157, 78, 39, 255}},
      {"opacity clamped to 0", false, kClear, WithOpacity(false, -7), {201, 0, 0, 255},
       {0, 0, 0, 255}},
      {"opacity of an opaque source", false, kClear, WithOpacity(false, 128), {201, 0, 0, 255},
       {101, 0, 0, 255}},
  };
  for (const auto& c : cases) {
    Image target = c.alpha ? Image::Transparent(2, 1) : Image::Opaque(2, 1);
    target.Fill(c.under);
    c.op(target, c.over);
    EXPECT_EQ(target.Pixel(1, 0), c.expected) << c.what;
    EXPECT_EQ(target.Pixel(0, 0), c.expected) << c.what;
  }
}

TEST(ImageTest, DrawClipsAtEveryEdge) {
  const Image source = Pattern(3, 3, true);
  Image target = Image::Transparent(3, 3);
  target.Draw(source, -1, -2, DrawMode::Copy);
  EXPECT_EQ(target, Window(source, 1, 2, 3, 3));
  target = Image::Transparent(3, 3);
  target.Draw(source, 2, 2, DrawMode::Copy);
  EXPECT_EQ(target, Window(source, -2, -2, 3, 3));

  const Image untouched = target;
  for (int pos : {INT_MIN, -5, 3, INT_MAX}) {
    target.Draw(source, pos, 0, DrawMode::Copy);
    target.DrawScaled(source, 0, pos, 5, 5, DrawMode::Copy);
    target.FillRect(pos, pos, INT_MAX, 1, Color{1, 1, 1, 255});
  }
  target.FillRect(INT_MIN, 0, INT_MAX, 3, Color{1, 1, 1, 255});  // ends at x = -1
  target.DrawScaled(source, 0, 0, 0, 3);
  target.DrawScaled(source, 0, 0, 3, -1);
  EXPECT_EQ(target, untouched);
  target.FillRect(-5, -5, INT_MAX, INT_MAX, Color{1, 2, 3, 4});
  EXPECT_EQ(target.Pixel(2, 2), (Color{1, 2, 3, 4}));

  Image self = Pattern(3, 1, true);
  const Image before = self;
  self.Draw(self, 1, 0, DrawMode::Copy);  // overlapping rows onto itself
  EXPECT_EQ(self.Pixel(0, 0), before.Pixel(0, 0));
  EXPECT_EQ(self.Pixel(2, 0), before.Pixel(1, 0));
}

TEST(ImageTest, NearestScaling) {
  const Image source = Pattern(2, 2, true);
  const Image up = source.Scaled(4, 4, Scaling::Nearest);
  ASSERT_EQ(up.width(), 4);
  EXPECT_TRUE(up.has_alpha());
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(up.Pixel(x, y), source.Pixel(x / 2, y / 2));

  // Halving takes each pair's second pixel; 3 -> 2 takes the outer ones.
  const Image big = Pattern(4, 3, false);
  const Image down = big.Scaled(2, 2, Scaling::Nearest);
  EXPECT_FALSE(down.has_alpha());
  EXPECT_EQ(down.Pixel(0, 0), big.Pixel(1, 0));
  EXPECT_EQ(down.Pixel(1, 1), big.Pixel(3, 2));

  // Only the visible part of a huge, mostly off-image stretch is computed.
  Image target = Image::Transparent(2, 1);
  target.DrawScaled(source, -999999999, 0, 2000000000, 1, DrawMode::Copy);
  EXPECT_EQ(target.Pixel(0, 0), source.Pixel(0, 1));
  EXPECT_EQ(target.Pixel(1, 0), source.Pixel(1, 1));
}

TEST(ImageTest, BilinearScaling) {
  for (bool alpha : {false, true}) {
    const Image source = Pattern(5, 4, alpha);
    EXPECT_EQ(source.Scaled(5, 4, Scaling::Bilinear), source);
  }
  Image ramp = Image::Opaque(2, 1);
  ramp.Plot(1, 0, Color{200, 0, 0, 255});
  const Image wide = ramp.Scaled(4, 1, Scaling::Bilinear);
  const int reds[] = {0, 50, 150, 200};
  for (int x : {0, 1, 2, 3}) EXPECT_EQ(wide.Pixel(x, 0).r, reds[x]) << x;

  // A transparent neighbour lowers alpha but must not darken the colour.
  Image edge = Image::Transparent(2, 1);
  edge.Plot(0, 0, Color{255, 0, 0, 255});
  const Image soft = edge.Scaled(4, 1, Scaling::Bilinear);
  EXPECT_EQ(soft.Pixel(1, 0), (Color{255, 0, 0, 191}));
  EXPECT_EQ(soft.Pixel(2, 0), (Color{255, 0, 0, 64}));
  EXPECT_EQ(soft.Pixel(3, 0), kClear);
}

TEST(ImageTest, CopyRectangleOutsideParts) {
  for (bool alpha : {true, false}) {
    const Image image = Pattern(2, 2, alpha);
    EXPECT_EQ(image.Copy(-1, -1, 3, 3), Window(image, -1, -1, 3, 3)) << alpha;
    EXPECT_EQ(image.Copy(1, 0, 2, 1), Window(image, 1, 0, 2, 1)) << alpha;
    EXPECT_EQ(image.Copy(INT_MIN, INT_MAX, 1, 1), Window(image, 5, 5, 1, 1)) << alpha;
  }
}

TEST(ImageTest, RoundRules) {
  const struct {
    double value;
    Rounding rule;
    int expected;
  } cases[] = {{2.7, Rounding::Down, 2},      {-2.5, Rounding::Down, -3},
               {2.1, Rounding::Up, 3},        {-2.5, Rounding::Up, -2},
               {2.5, Rounding::Nearest, 3},   {-2.5, Rounding::Nearest, -3},
               {2.49, Rounding::Nearest, 2},  {1e300, Rounding::Nearest, INT_MAX},
               {-1e300, Rounding::Down, INT_MIN}, {std::nan(""), Rounding::Up, 0}};
  for (const auto& c : cases) EXPECT_EQ(Round(c.value, c.rule), c.expected) << c.value;
}

}  // namespace
}  // namespace vorlane
