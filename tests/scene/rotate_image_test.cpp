#include "scene/rotate_image.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vorlane {
namespace {

const Color kWhite{255, 255, 255, 255};

// Every pixel different: red counts columns, green rows.
Image Numbered(int w, int h, bool alpha) {
  Image image = alpha ? Image::Transparent(w, h) : Image::Opaque(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      image.Plot(x, y, Color{std::uint8_t(10 * x), std::uint8_t(10 * y), 7, std::uint8_t(200 + x)});
  return image;
}

TEST(RotateImage, QuarterTurnsMovePixelsCounterClockwise) {
  const Image image = Numbered(3, 2, true);
  const Image left = RotateImage(image, 90, true, kWhite);
  ASSERT_EQ(left.width(), 2);
  ASSERT_EQ(left.height(), 3);
  EXPECT_EQ(left.Pixel(0, 0), image.Pixel(2, 0));  // the top right comes to the top left
  EXPECT_EQ(left.Pixel(1, 2), image.Pixel(0, 1));
  const Image half = RotateImage(image, 180, false, kWhite);
  EXPECT_EQ(half.Pixel(0, 0), image.Pixel(2, 1));
  const Image right = RotateImage(image, 270, false, kWhite);
  EXPECT_EQ(right.Pixel(1, 0), image.Pixel(0, 0));
  EXPECT_EQ(RotateImage(image, 0, true, kWhite), image);
  // Whole turns count modulo 360.
  EXPECT_EQ(RotateImage(image, 450, false, kWhite), left);
  EXPECT_EQ(RotateImage(image, 720, false, kWhite), image);
}

TEST(RotateImage, OtherAnglesGrowThePictureAndFillAroundIt) {
  const Image opaque = Numbered(10, 20, false);
  const Image turned = RotateImage(opaque, 30, false, Color{1, 2, 3, 255});
  // 10 cos 30 + 20 sin 30 + 0.9 = 19.56; 20 cos 30 + 10 sin 30 + 0.9 = 23.22.
  EXPECT_EQ(turned.width(), 19);
  EXPECT_EQ(turned.height(), 23);
  EXPECT_FALSE(turned.has_alpha());
  EXPECT_EQ(turned.Pixel(0, 0), (Color{1, 2, 3, 255}));

  Image square = Image::Transparent(8, 8);
  square.Fill(Color{50, 60, 70, 255});
  const Image diamond = RotateImage(square, 45, false, kWhite);
  EXPECT_EQ(diamond.width(), 12);
  EXPECT_EQ(diamond.Pixel(0, 0).a, 0);  // see-through, not the fill colour
  EXPECT_EQ(diamond.Pixel(6, 6), (Color{50, 60, 70, 255}));
  // A negative angle turns the other way.
  EXPECT_EQ(RotateImage(square, -45, false, kWhite).width(), 12);
}

TEST(RotateImage, ATinyTurnKeepsThePicture) {
  const Image image = Numbered(6, 4, true);
  EXPECT_EQ(RotateImage(image, 0.0001, false, kWhite), image);
  // Smoothed: the two-by-two weights add up to just under one, so each
  // channel may lose one step, never more.
  const Image smooth = RotateImage(image, 0.0001, true, kWhite);
  ASSERT_EQ(smooth.width(), 6);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) {
      EXPECT_NEAR(smooth.Pixel(x, y).r, image.Pixel(x, y).r, 1) << x << "," << y;
      EXPECT_NEAR(smooth.Pixel(x, y).a, image.Pixel(x, y).a, 1) << x << "," << y;
    }
}

TEST(RotateImage, SmoothingAtTheEdgesStaysInsideTheSource) {
  // Every angle samples the last column and row; the sanitizers and the
  // colours show any read past them.
  Image one = Image::Transparent(1, 1);
  one.Plot(0, 0, Color{9, 9, 9, 255});
  for (double angle : {1.0, 33.0, 91.0, 181.0, 271.0, 359.9}) {
    const Image turned = RotateImage(one, angle, true, kWhite);
    for (int y = 0; y < turned.height(); ++y)
      for (int x = 0; x < turned.width(); ++x) EXPECT_LE(turned.Pixel(x, y).r, 9);
  }
}

TEST(RotateImage, NothingToTurnGivesNothing) {
  EXPECT_TRUE(RotateImage(Image(), 45, true, kWhite).is_null());
  EXPECT_TRUE(RotateImage(Numbered(2, 2, true), std::nan(""), true, kWhite).is_null());
}

}  // namespace
}  // namespace vorlane

namespace vorlane {
namespace {

// Worked by hand from the sampling rule for a 2 x 2 picture at 45 degrees:
// the 3 x 3 result samples u = 1 + 0.7071 (i - j), v = 1 + 0.7071 (i + j - 2).
TEST(RotateImage, FortyFiveDegreesSampleAsWorkedOut) {
  const Color fill{1, 2, 3, 255};
  for (const bool alpha : {false, true}) {
    const Image image = Numbered(2, 2, alpha);
    const Image turned = RotateImage(image, 45, false, fill);
    ASSERT_EQ(turned.width(), 3);
    ASSERT_EQ(turned.height(), 3);
    const Color none = alpha ? Color{0, 0, 0, 0} : fill;
    const Color expected[3][3] = {{image.Pixel(1, 0), none, none},
                                  {image.Pixel(0, 0), image.Pixel(1, 1), none},
                                  {image.Pixel(0, 1), none, none}};
    for (int j = 0; j < 3; ++j)
      for (int i = 0; i < 3; ++i) EXPECT_EQ(turned.Pixel(i, j), expected[j][i]) << i << "," << j;
  }
  // Smoothed, (0, 1) blends all four pixels with weights 0.7071 and 0.2929
  // a side; (1, 1) lands on a pixel and keeps 0.99999 of it.
  const Image smooth = RotateImage(Numbered(2, 2, true), 45, true, fill);
  EXPECT_EQ(smooth.Pixel(0, 1), (Color{2, 2, 6, 200}));
  EXPECT_EQ(smooth.Pixel(1, 1), (Color{9, 9, 6, 200}));
  EXPECT_EQ(RotateImage(Numbered(2, 2, false), 45, true, fill).Pixel(1, 1), (Color{9, 9, 6, 255}));
}

TEST(RotateImage, ThirtyDegreesKeepTheCentre) {
  // The middle of the 19 x 23 result samples the middle of the picture.
  const Image image = Numbered(10, 20, false);
  EXPECT_EQ(RotateImage(image, 30, false, Color{}).Pixel(9, 11), image.Pixel(5, 10));
  const Image smooth = RotateImage(image, 30, true, Color{});
  EXPECT_NEAR(smooth.Pixel(9, 11).r, image.Pixel(5, 10).r, 1);
  EXPECT_NEAR(smooth.Pixel(9, 11).g, image.Pixel(5, 10).g, 1);
}

}  // namespace
}  // namespace vorlane
