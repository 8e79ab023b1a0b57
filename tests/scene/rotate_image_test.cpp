#include "scene/rotate_image.h"

#include <gtest/gtest.h>

#include <cmath>

#include "image/test_pictures.h"

namespace vorlane {
namespace {

using namespace test;
const Color kWhite{255, 255, 255, 255}, kFill{1, 2, 3, 255};

// Quarter turns move pixels counter-clockwise on screen, whole turns count
// modulo 360 (360 itself included), 0 keeps the picture.
TEST(RotateImage, QuarterTurnsMovePixels) {
  const Image image = Numbered(3, 2, true);
  const Image left = RotateImage(image, 90, true, kWhite);
  ASSERT_EQ(left.width() * 10 + left.height(), 23);
  EXPECT_EQ(left.Pixel(0, 0), image.Pixel(2, 0));  // the top right comes to the top left
  EXPECT_EQ(left.Pixel(1, 2), image.Pixel(0, 1));
  EXPECT_EQ(RotateImage(image, 180, false, kWhite).Pixel(0, 0), image.Pixel(2, 1));
  EXPECT_EQ(RotateImage(image, 270, false, kWhite).Pixel(1, 0), image.Pixel(0, 0));
  EXPECT_EQ(RotateImage(image, 450, false, kWhite), left);
  for (double whole : {0.0, 360.0, 720.0, 0.0001})
    EXPECT_EQ(RotateImage(image, whole, false, kWhite), image) << whole;
  EXPECT_TRUE(RotateImage(Image(), 45, true, kWhite).is_null());
  EXPECT_TRUE(RotateImage(image, std::nan(""), true, kWhite).is_null());
}

// Other angles give a picture just large enough, filled around (24-bit) or
// see-through (32-bit), the centre staying the centre.
TEST(RotateImage, OtherAnglesGrowThePictureAndFillAroundIt) {
  const Image opaque = Numbered(10, 20, false);
  const Image turned = RotateImage(opaque, 30, false, kFill);
  // 10 cos 30 + 20 sin 30 + 0.9 = 19.56; 20 cos 30 + 10 sin 30 + 0.9 = 23.22.
  EXPECT_EQ(turned.width() * 100 + turned.height(), 1923);
  EXPECT_FALSE(turned.has_alpha());
  EXPECT_EQ(turned.Pixel(0, 0), kFill);
  EXPECT_EQ(turned.Pixel(9, 11), opaque.Pixel(5, 10));
  EXPECT_NEAR(RotateImage(opaque, 30, true, kFill).Pixel(9, 11).g, opaque.Pixel(5, 10).g, 1);
  const Image square = Solid(8, 8, Rgba(50, 60, 70));
  const Image diamond = RotateImage(square, -45, false, kWhite);
  EXPECT_EQ(diamond.width(), 12);
  EXPECT_EQ(diamond.Pixel(0, 0), kClear);
  EXPECT_EQ(diamond.Pixel(6, 6), Rgba(50, 60, 70));
}

// Worked by hand for a 2 x 2 picture at 45 degrees: the 3 x 3 result samples
// u = 1 + 0.7071 (i - j), v = 1 + 0.7071 (i + j - 2).
TEST(RotateImage, FortyFiveDegreesSampleAsWorkedOut) {
  for (const bool alpha : {false, true}) {
    const Image image = Numbered(2, 2, alpha);
    const Color none = alpha ? kClear : kFill;
    const Color expected[3][3] = {{image.Pixel(1, 0), none, none},
                                  {image.Pixel(0, 0), image.Pixel(1, 1), none},
                                  {image.Pixel(0, 1), none, none}};
    const Image turned = RotateImage(image, 45, false, kFill);
    ASSERT_EQ(turned.width() * 10 + turned.height(), 33);
    for (int j = 0; j < 3; ++j)
      for (int i = 0; i < 3; ++i) EXPECT_EQ(turned.Pixel(i, j), expected[j][i]) << i << "," << j;
  }
  // Smoothed, (0, 1) blends all four with weights 0.7071 and 0.2929 a side;
  // (1, 1) lands on a pixel and keeps 0.99999 of it.
  const Image smooth = RotateImage(Numbered(2, 2, true), 45, true, kFill);
  EXPECT_EQ(smooth.Pixel(0, 1), Rgba(3, 3, 6, 200));
  EXPECT_EQ(smooth.Pixel(1, 1), Rgba(10, 10, 6, 201));
  EXPECT_EQ(RotateImage(Numbered(2, 2, false), 45, true, kFill).Pixel(1, 1), Rgba(10, 10, 6));
}

// Smoothing reads the 2 x 2 around each point, never past the last column
// or row, so a single pixel turned any way stays within its colour.
TEST(RotateImage, SmoothingStaysInsideTheSource) {
  for (double angle : {1.0, 33.0, 91.0, 181.0, 271.0, 359.9}) {
    const Image turned = RotateImage(Solid(1, 1, Rgba(9, 9, 9)), angle, true, kWhite);
    for (int y = 0; y < turned.height(); ++y)
      for (int x = 0; x < turned.width(); ++x) EXPECT_LE(turned.Pixel(x, y).r, 9) << angle;
  }
}

}  // namespace
}  // namespace vorlane
