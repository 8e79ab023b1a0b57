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

// Each way one colour reaches a 1 x 1 target, to the exact byte: copying
// makes an opaque target's alpha full, blending rounds, xor keeps alpha.
TEST(ImageTest, OnePixelOperationsExactly) {
  using enum DrawMode;
  using Op = std::function<void(Image&, Color)>;
  const auto plot = [](DrawMode m) -> Op { return [=](Image& t, Color c) { t.Plot(0, 0, c, m); }; };
  const auto fill = [](DrawMode m) -> Op {
    return [=](Image& t, Color c) { t.FillRect(0, 0, 1, 1, c, m); };
  };
  const auto opacity = [](bool alpha, int o) -> Op {
    return [=](Image& t, Color c) {
      Image source = alpha ? Image::Transparent(1, 1) : Image::Opaque(1, 1);
      source.Fill(c);
      t.DrawWithOpacity(source, 0, 0, o);
    };
  };
  const struct {
    bool alpha;  // the target's
    Color under;
    Op op;
    Color over, expected;
  } cases[] = {
      {false, kClear, plot(Copy), {10, 20, 30, 0}, {10, 20, 30, 255}},
      {true, kClear, fill(Copy), {10, 20, 30, 0}, {10, 20, 30, 0}},
      {true, kClear, plot(Blend), {10, 20, 30, 0}, kClear},
      {true, {255, 0, 0, 128}, plot(Blend), {0, 0, 255, 128}, {85, 0, 170, 192}},
      {true, {50, 60, 70, 200}, plot(Blend), {10, 200, 60, 100}, {32, 123, 65, 222}},
      // 201*128/255 = 100.9 must round up, 100*128/255 = 50.2 down.
      {false, {0, 0, 255, 255}, fill(Blend), {201, 100, 0, 128}, {101, 50, 127, 255}},
      {true, {41, 42, 4, 100}, fill(Xor), {0xF0, 0x0F, 0xFF, 0}, {41 ^ 0xF0, 42 ^ 0x0F, 251, 100}},
      {true, kClear, opacity(true, 128), {200, 100, 50, 200}, {200, 100, 50, 100}},
      {false, kClear, opacity(true, 999), {200, 100, 50, 200}, {157, 78, 39, 255}},
      {false, kClear, opacity(false, -7), {201, 0, 0, 255}, {0, 0, 0, 255}},
  };
  for (const auto& c : cases) {
    Image target = c.alpha ? Image::Transparent(1, 1) : Image::Opaque(1, 1);
    target.Fill(c.under);
    c.op(target, c.over);
    EXPECT_EQ(target.Pixel(0, 0), c.expected) << &c - cases;
  }
  EXPECT_EQ(Image::Opaque(3, 2).Pixel(3, 0), kClear);
  EXPECT_TRUE(Image::Transparent(-3, 5).is_null());
  EXPECT_EQ(Color::FromInt(0xFF804020u), (Color{0x20, 0x40, 0x80, 0xFF}));
}

// Drawing, filling and copying clip at every edge, even at the ends of int.
TEST(ImageTest, EveryOperationClips) {
  const Image source = Pattern(3, 3, true);
  Image target = Image::Transparent(3, 3);
  target.Draw(source, -1, -2, DrawMode::Copy);
  EXPECT_EQ(target, Window(source, 1, 2, 3, 3));
  const Image untouched = target;
  for (int pos : {INT_MIN, -5, 3, INT_MAX}) {
    target.Draw(source, pos, 0, DrawMode::Copy);
    target.DrawScaled(source, 0, pos, 5, 5, DrawMode::Copy);
    target.FillRect(pos, pos, INT_MAX, 1, Color{1, 1, 1, 255});
  }
  target.FillRect(INT_MIN, 0, INT_MAX, 3, Color{1, 1, 1, 255});  // ends at x = -1
  target.DrawScaled(source, 0, 0, 3, -1);
  EXPECT_EQ(target, untouched);
  Image self = Pattern(3, 1, true);
  const Image before = self;
  self.Draw(self, 1, 0, DrawMode::Copy);  // overlapping rows onto itself
  EXPECT_EQ(self.Pixel(2, 0), before.Pixel(1, 0));
  for (bool alpha : {true, false}) {
    const Image image = Pattern(2, 2, alpha);
    EXPECT_EQ(image.Copy(-1, -1, 3, 3), Window(image, -1, -1, 3, 3));
    EXPECT_EQ(image.Copy(INT_MIN, INT_MAX, 1, 1), Window(image, 5, 5, 1, 1));
  }
}

TEST(ImageTest, Scaling) {
  // Nearest: halving takes each pair's second pixel; 3 -> 2 the outer ones.
  const Image big = Pattern(4, 3, false);
  const Image down = big.Scaled(2, 2, Scaling::Nearest);
  EXPECT_EQ(down.Pixel(0, 0), big.Pixel(1, 0));
  EXPECT_EQ(down.Pixel(1, 1), big.Pixel(3, 2));
  // Only the visible part of a huge, mostly off-image stretch is computed.
  const Image source = Pattern(2, 2, true);
  Image target = Image::Transparent(2, 1);
  target.DrawScaled(source, -999999999, 0, 2000000000, 1, DrawMode::Copy);
  EXPECT_EQ(target, Window(source, 0, 1, 2, 1));

  // Bilinear keeps the same size exactly, ramps from pixel centres, and a
  // transparent neighbour lowers alpha without darkening the colour.
  EXPECT_EQ(Pattern(5, 4, true).Scaled(5, 4, Scaling::Bilinear), Pattern(5, 4, true));
  Image ramp = Image::Opaque(2, 1);
  ramp.Plot(1, 0, Color{200, 0, 0, 255});
  const Image wide = ramp.Scaled(4, 1, Scaling::Bilinear);
  const int reds[] = {0, 50, 150, 200};
  for (int x : {0, 1, 2, 3}) EXPECT_EQ(wide.Pixel(x, 0).r, reds[x]) << x;
  Image edge = Image::Transparent(2, 1);
  edge.Plot(0, 0, Color{255, 0, 0, 255});
  EXPECT_EQ(edge.Scaled(4, 1, Scaling::Bilinear).Pixel(1, 0), (Color{255, 0, 0, 191}));
}

TEST(ImageTest, RoundRules) {
  const struct {
    double value;
    Rounding rule;
    int expected;
  } cases[] = {{-2.5, Rounding::Down, -3},     {-2.5, Rounding::Up, -2},
               {2.5, Rounding::Nearest, 3},    {-2.5, Rounding::Nearest, -3},
               {1e300, Rounding::Nearest, INT_MAX}, {std::nan(""), Rounding::Up, 0}};
  for (const auto& c : cases) EXPECT_EQ(Round(c.value, c.rule), c.expected) << c.value;
}

}  // namespace
}  // namespace vorlane
