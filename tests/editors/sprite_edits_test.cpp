#include "editors/sprite_edits.h"

#include <gtest/gtest.h>

namespace vorlane {
namespace {

constexpr Color kRed{255, 0, 0, 255};
constexpr Color kCross{0, 0, 0, 255};

Image Frame16() {
  Image frame = Image::Transparent(16, 16);
  frame.FillRect(0, 0, 8, 16, kRed);  // left half red, right half clear
  return frame;
}

Image Paint(const Image& frame, const Sprite& sprite, const std::string& shape, int zoom,
            bool show_shape, int left = 0, int top = 0, int w = -1, int h = -1) {
  Image target = Image::Opaque(w < 0 ? frame.width() * zoom : w, h < 0 ? frame.height() * zoom : h);
  PaintSpritePreview(target, left, top, frame, sprite, shape, zoom, show_shape);
  return target;
}

// An origin is stored up to the frame's extent (no lower bound); Center
// needs a frame of positive size.
TEST(SpriteEdits, OriginAndCentreFollowTheirBounds) {
  const struct {
    const char* text;
    bool stored;
    int origin;
  } cases[] = {{"32", true, 32}, {"33", false, 7}, {"-5", true, -5}, {"abc", true, 0}};
  for (const auto& c : cases) {
    int origin = 7;
    EXPECT_EQ(SetOrigin(origin, c.text, 32), c.stored) << c.text;
    EXPECT_EQ(origin, c.origin) << c.text;
  }
  Sprite sprite;
  EXPECT_FALSE(CenterOrigin(sprite, 0, 16));
  EXPECT_FALSE(CenterOrigin(sprite, 16, 0));
  EXPECT_EQ(sprite.centerx, 0);
  EXPECT_TRUE(CenterOrigin(sprite, 33, 16));
  EXPECT_EQ(sprite.centerx, 16);
  EXPECT_EQ(sprite.centery, 8);
}

TEST(SpriteEdits, PreviewScalesThePictureCrossAndShapeWithTheZoom) {
  Sprite sprite{.centerx = 2, .centery = 3};
  const Image frame = Frame16();
  const Image zoomed = Paint(frame, sprite, "Box", 4, false);
  ASSERT_EQ(zoomed.width(), 64);
  EXPECT_EQ(zoomed.Pixel(31, 20), kRed);                         // frame pixel (7, 5)
  EXPECT_EQ(zoomed.Pixel(33, 36), (Color{192, 192, 192, 255}));  // the board shows through
  EXPECT_EQ(zoomed.Pixel(8, 40), kCross);                        // x = 2 x 4
  EXPECT_EQ(zoomed.Pixel(50, 12), kCross);                       // y = 3 x 4
  EXPECT_EQ(zoomed.Pixel(9, 40).g, 0);

  // The circle is centred on the frame's middle, not on the origin.
  sprite.collisionradius = 2;
  const Image circle = Paint(frame, sprite, "Circle", 4, true);
  EXPECT_EQ(circle.Pixel(33, 33).g, (255 * 130 + 192 * 125 + 127) / 255);
  // Each row covers the pixels whose centres are inside: x 24..39 on row 32.
  const Image plain = Paint(frame, sprite, "Circle", 4, false);
  for (const int x : {23, 24, 39, 40})
    EXPECT_EQ(circle.Pixel(x, 32) == plain.Pixel(x, 32), x == 23 || x == 40) << x;
  EXPECT_EQ(circle.Pixel(20, 20), plain.Pixel(20, 20));

  sprite.collisionleft = 1;
  sprite.collisionright = 3;
  sprite.collisiontop = 1;
  sprite.collisionbottom = 2;
  const Image box = Paint(frame, sprite, "Box", 4, true);
  EXPECT_NE(box.Pixel(4, 4), zoomed.Pixel(4, 4));  // inside (4..12, 4..8)
  EXPECT_EQ(box.Pixel(12, 4), zoomed.Pixel(12, 4));
}

// 1024 x 1024 at 64 would be 17 GB made whole; only what is asked is painted.
TEST(SpriteEdits, AnyPartOfAHugeZoomPaintsAsTheWholeDoes) {
  Sprite sprite{.collisionradius = 5, .centerx = 7, .centery = 7};
  const Image frame = Frame16();
  const Image whole = Paint(frame, sprite, "Circle", 64, true);
  EXPECT_EQ(Paint(frame, sprite, "Circle", 64, true, 300, 420, 200, 150),
            whole.Copy(300, 420, 200, 150));
  const Image part =
      Paint(Image::Transparent(1024, 1024), sprite, "Box", 64, true, 60000, 60000, 550, 400);
  EXPECT_EQ(part.width(), 550);
}

}  // namespace
}  // namespace vorlane
