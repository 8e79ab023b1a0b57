#include "gui/image.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

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

TEST(ImageTest, CopyModeKeepsAlpha255OnOpaqueTargets) {
  Image opaque = Image::Opaque(2, 1), clear = Image::Transparent(2, 1);
  opaque.Plot(0, 0, Color{10, 20, 30, 0});
  clear.Plot(0, 0, Color{10, 20, 30, 0});
  EXPECT_EQ(opaque.Pixel(0, 0), (Color{10, 20, 30, 255}));
  EXPECT_EQ(clear.Pixel(0, 0), (Color{10, 20, 30, 0}));

  Image source = Image::Transparent(2, 1);
  source.Fill(Color{1, 2, 3, 7});
  opaque.Draw(source, 0, 0, DrawMode::Copy);
  EXPECT_EQ(opaque.Pixel(1, 0), (Color{1, 2, 3, 255}));
  opaque.Fill(Color{5, 5, 5, 9});
  EXPECT_EQ(opaque.Pixel(1, 0), (Color{5, 5, 5, 255}));
}

TEST(ImageTest, BlendExactValues) {
  Image clear = Image::Transparent(3, 1);
  clear.Plot(0, 0, Color{10, 20, 30, 77}, DrawMode::Blend);  // onto alpha 0: stored as is
  clear.Plot(1, 0, Color{10, 20, 30, 0}, DrawMode::Blend);   // alpha 0: no change
  clear.Plot(2, 0, Color{255, 0, 0, 128}, DrawMode::Blend);
  clear.Plot(2, 0, Color{0, 0, 255, 128}, DrawMode::Blend);  // half over half
  EXPECT_EQ(clear.Pixel(0, 0), (Color{10, 20, 30, 77}));
  EXPECT_EQ(clear.Pixel(1, 0), kClear);
  EXPECT_EQ(clear.Pixel(2, 0), (Color{85, 0, 170, 192}));

  Image opaque = Image::Opaque(2, 1);
  opaque.Fill(Color{0, 0, 255, 255});
  // 201*128/255 = 100.9 must round up, 100*128/255 = 50.2 down.
  opaque.FillRect(0, 0, 2, 1, Color{201, 100, 0, 128}, DrawMode::Blend);
  EXPECT_EQ(opaque.Pixel(0, 0), (Color{101, 50, 127, 255}));
  opaque.Plot(1, 0, Color{9, 9, 9, 255}, DrawMode::Blend);
  EXPECT_EQ(opaque.Pixel(1, 0), (Color{9, 9, 9, 255}));

  Image mixed = Image::Transparent(1, 1);
  mixed.Fill(Color{50, 60, 70, 200});
  mixed.Plot(0, 0, Color{10, 200, 60, 100}, DrawMode::Blend);
  EXPECT_EQ(mixed.Pixel(0, 0), (Color{32, 123, 65, 222}));
}

TEST(ImageTest, XorTwiceRestoresAndKeepsAlpha) {
  for (bool alpha : {false, true}) {
    Image image = Pattern(3, 3, alpha);
    const Image before = image;
    image.FillRect(0, 0, 3, 3, Color{0xF0, 0x0F, 0xFF, 0}, DrawMode::Xor);
    EXPECT_EQ(image.Pixel(1, 1), (Color{41 ^ 0xF0, 42 ^ 0x0F, 4 ^ 0xFF,
                                        std::uint8_t(alpha ? 100 : 255)}));
    image.FillRect(0, 0, 3, 3, Color{0xF0, 0x0F, 0xFF, 0}, DrawMode::Xor);
    EXPECT_EQ(image, before);
  }
}

TEST(ImageTest, DrawClipsAtEveryEdge) {
  const Image source = Pattern(3, 3, true);
  Image target = Image::Transparent(3, 3);
  target.Draw(source, -1, -2, DrawMode::Copy);
  EXPECT_EQ(target.Pixel(0, 0), source.Pixel(1, 2));
  EXPECT_EQ(target.Pixel(1, 0), source.Pixel(2, 2));
  EXPECT_EQ(target.Pixel(2, 0), kClear);
  EXPECT_EQ(target.Pixel(0, 1), kClear);

  target = Image::Transparent(3, 3);
  target.Draw(source, 2, 2, DrawMode::Copy);
  EXPECT_EQ(target.Pixel(2, 2), source.Pixel(0, 0));
  EXPECT_EQ(target.Pixel(1, 2), kClear);

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

TEST(ImageTest, DrawWithOpacity) {
  Image source = Image::Transparent(1, 1);
  source.Fill(Color{200, 100, 50, 200});
  Image target = Image::Transparent(1, 1);
  target.DrawWithOpacity(source, 0, 0, 0);
  EXPECT_EQ(target.Pixel(0, 0), kClear);
  target.DrawWithOpacity(source, 0, 0, 128);  // alpha 200*128/255 = 100.4
  EXPECT_EQ(target.Pixel(0, 0), (Color{200, 100, 50, 100}));

  Image a = Image::Opaque(1, 1), b = Image::Opaque(1, 1);
  a.DrawWithOpacity(source, 0, 0, 999);  // clamped to 255
  b.Draw(source, 0, 0, DrawMode::Blend);
  EXPECT_EQ(a, b);
  EXPECT_EQ(a.Pixel(0, 0), (Color{157, 78, 39, 255}));

  Image opaque = Image::Opaque(1, 1);
  Image red = Image::Opaque(1, 1);
  red.Fill(Color{201, 0, 0, 255});
  opaque.DrawWithOpacity(red, 0, 0, -7);  // clamped to 0
  EXPECT_EQ(opaque.Pixel(0, 0), (Color{0, 0, 0, 255}));
  opaque.DrawWithOpacity(red, 0, 0, 128);
  EXPECT_EQ(opaque.Pixel(0, 0), (Color{101, 0, 0, 255}));
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
  EXPECT_EQ(wide.Pixel(0, 0).r, 0);
  EXPECT_EQ(wide.Pixel(1, 0).r, 50);
  EXPECT_EQ(wide.Pixel(2, 0).r, 150);
  EXPECT_EQ(wide.Pixel(3, 0).r, 200);

  // A transparent neighbour lowers alpha but must not darken the colour.
  Image edge = Image::Transparent(2, 1);
  edge.Plot(0, 0, Color{255, 0, 0, 255});
  const Image soft = edge.Scaled(4, 1, Scaling::Bilinear);
  EXPECT_EQ(soft.Pixel(1, 0), (Color{255, 0, 0, 191}));
  EXPECT_EQ(soft.Pixel(2, 0), (Color{255, 0, 0, 64}));
  EXPECT_EQ(soft.Pixel(3, 0), kClear);
}

TEST(ImageTest, CopyRectangleOutsideParts) {
  const Image clear = Pattern(2, 2, true);
  const Image part = clear.Copy(-1, -1, 3, 3);
  ASSERT_EQ(part.width(), 3);
  EXPECT_TRUE(part.has_alpha());
  EXPECT_EQ(part.Pixel(0, 0), kClear);
  EXPECT_EQ(part.Pixel(1, 1), clear.Pixel(0, 0));
  EXPECT_EQ(part.Pixel(2, 2), clear.Pixel(1, 1));

  const Image opaque = Pattern(2, 2, false).Copy(1, 0, 2, 1);
  EXPECT_FALSE(opaque.has_alpha());
  EXPECT_EQ(opaque.Pixel(0, 0), (Color{41, 2, 3, 255}));
  EXPECT_EQ(opaque.Pixel(1, 0), (Color{0, 0, 0, 255}));
  EXPECT_EQ(clear.Copy(INT_MIN, INT_MAX, 1, 1).Pixel(0, 0), kClear);
}

TEST(ImageTest, RoundRules) {
  EXPECT_EQ(Round(2.7, Rounding::Down), 2);
  EXPECT_EQ(Round(-2.5, Rounding::Down), -3);
  EXPECT_EQ(Round(2.1, Rounding::Up), 3);
  EXPECT_EQ(Round(-2.5, Rounding::Up), -2);
  EXPECT_EQ(Round(2.5, Rounding::Nearest), 3);
  EXPECT_EQ(Round(-2.5, Rounding::Nearest), -3);
  EXPECT_EQ(Round(2.49, Rounding::Nearest), 2);
  EXPECT_EQ(Round(1e300, Rounding::Nearest), INT_MAX);
  EXPECT_EQ(Round(-1e300, Rounding::Down), INT_MIN);
  EXPECT_EQ(Round(std::nan(""), Rounding::Up), 0);
}

}  // namespace
}  // namespace vorlane
