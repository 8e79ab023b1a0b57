#include "project/thumbnails.h"

#include <gtest/gtest.h>

#include <array>

#include "gui/file_util.h"
#include "support/temp_dir.h"

namespace vorlane {
namespace {

Image CardWith(const Image* overlay) {
  Image card = Image::Transparent(150, 100);
  card.Draw(*StockCardPicture(), 0, 0);
  if (overlay) card.Draw(*overlay, 0, 0);
  return card;
}

TEST(ThumbnailsTest, PictureIsFittedIntoTheBoxKeepingItsShape) {
  // 30 x 10 becomes 60 x 20 at (45, 20); 7 x 21 becomes 20 x 60.
  for (const auto& [w, h, fit_w, fit_h] : {std::array{30, 10, 60, 20}, std::array{7, 21, 20, 60}}) {
    Image picture = Image::Opaque(w, h);
    picture.Fill(Color{255, 0, 0, 255});
    Image expected = CardWith(nullptr);
    expected.FillRect(45, 20, fit_w, fit_h, Color{255, 0, 0, 255});
    EXPECT_EQ(MakeCard(&picture), expected) << w << " x " << h;
  }
}

TEST(ThumbnailsTest, PalePicturesShowOverDarkerSquares) {
  // A pale dot on a clear picture, enlarged twice: the dot shows, and the
  // clear parts of the box are squares of two greys well below the pale
  // colour instead of the light card.
  Image picture = Image::Transparent(30, 30);
  const Color pale{255, 255, 230, 255};
  picture.Plot(15, 15, pale);
  const Image card = MakeCard(&picture);
  EXPECT_EQ(card.Pixel(75, 50), pale);
  const Color square = card.Pixel(45, 20), next = card.Pixel(45 + 8, 20);
  EXPECT_NE(square, next);
  for (const Color& c : {square, next, card.Pixel(104, 79)})
    EXPECT_TRUE(c.r <= 210 && c.g <= 210 && c.b <= 210 && c.a == 255);
  EXPECT_EQ(card.Pixel(44, 20), StockCardPicture()->Pixel(44, 20));
  EXPECT_EQ(card.Pixel(105, 79), StockCardPicture()->Pixel(105, 79));
}

TEST(ThumbnailsTest, SpritesObjectsAndBackgrounds) {
  test::ScopedTempDir dir;
  Project p;
  p.projectname = "demo";
  const auto empty = NewSprite(p);
  const auto hero = NewSprite(p);
  auto missing = ShareImage();  // a frame whose picture failed to load
  auto picture = ShareImage(Image::Opaque(4, 4));
  p.frames = {{"0", hero, missing}, {"1", hero, picture}};
  NewObject(p);
  // The picture its sprite had before its frames were deleted goes.
  p.objects[0].sprite = empty;
  SetObjectImage(p.objects[0], picture);
  p.objects[0].displayimage = picture;
  NewObject(p);
  p.objects[1].sprite = hero;
  NewBackground(p);
  p.backgrounds[0].file = "sky.png";  // not there: the bare card
  NewBackground(p);
  p.backgrounds[1].file = "../escape.png";
  NewBackground(p);  // no file: no thumbnail

  BuildThumbnails(p);
  EXPECT_EQ(*p.sprites[0].thumbnail, CardWith(StockEmptyCard().get()));
  EXPECT_EQ(*p.sprites[1].thumbnail, MakeCard(picture.get()));
  EXPECT_EQ(p.objects[0].image, nullptr);
  EXPECT_EQ(p.objects[0].displayimage, nullptr);
  EXPECT_EQ(p.objects[0].imagewidth, 0);
  // A first frame without a picture shows as none too.
  EXPECT_EQ(p.objects[1].image, nullptr);
  p.frames[0].image = picture;
  BuildSpriteThumbnails(p);
  EXPECT_EQ(p.objects[1].displayimage, picture);
  EXPECT_EQ(*p.backgrounds[0].thumbnail, CardWith(nullptr));
  EXPECT_EQ(*p.backgrounds[1].thumbnail, CardWith(nullptr));
  EXPECT_EQ(p.backgrounds[2].thumbnail, nullptr);

  MakeDirectory("Projects");
  MakeDirectory("Projects/demo");
  MakeDirectory("Projects/demo/img");
  Image sky = Image::Opaque(120, 60);
  sky.Fill(Color{0, 128, 255, 255});
  ASSERT_TRUE(SavePng(sky, "Projects/demo/img/sky.png"));
  BuildThumbnails(p);
  EXPECT_EQ(*p.backgrounds[0].thumbnail, MakeCard(&sky));
  // The picture is decoded only when it fits the budget beside the 4 x 4
  // frame the project holds.
  BuildThumbnails(p, {16384, 120 * 60 + 15});
  EXPECT_EQ(*p.backgrounds[0].thumbnail, CardWith(nullptr));
  BuildThumbnails(p, {119, 120 * 60 + 16});
  EXPECT_EQ(*p.backgrounds[0].thumbnail, CardWith(nullptr));
  BuildThumbnails(p, {120, 120 * 60 + 16});
  EXPECT_EQ(*p.backgrounds[0].thumbnail, MakeCard(&sky));
}

}  // namespace
}  // namespace vorlane
