#include "project/thumbnails.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "gui/file_util.h"
#include "support/temp_dir.h"

namespace vorlane {
namespace {

namespace fs = std::filesystem;

Image CardWith(const Image* overlay) {
  Image card = Image::Transparent(150, 100);
  card.Draw(*StockCardPicture(), 0, 0);
  if (overlay) card.Draw(*overlay, 0, 0);
  return card;
}

// A picture is fitted into the box keeping its shape (30 x 10 becomes
// 60 x 20 at 45, 20); a pale one shows over darker squares that fill only
// the box.
TEST(ThumbnailsTest, PicturesAreFittedIntoTheBox) {
  Image picture = Image::Opaque(30, 10);
  picture.Fill(Color{255, 0, 0, 255});
  Image expected = CardWith(nullptr);
  expected.FillRect(45, 20, 60, 20, Color{255, 0, 0, 255});
  EXPECT_EQ(MakeCard(&picture), expected);
  Image pale = Image::Transparent(30, 30);
  pale.Plot(15, 15, Color{255, 255, 230, 255});
  const Image card = MakeCard(&pale);
  EXPECT_EQ(card.Pixel(75, 50), (Color{255, 255, 230, 255}));
  for (const auto& [x, y] : {std::pair{45, 20}, {104, 79}}) EXPECT_LE(card.Pixel(x, y).r, 210);
  EXPECT_EQ(card.Pixel(44, 20), StockCardPicture()->Pixel(44, 20));
}

// A sprite shows its first frame that has a picture; an object whose sprite
// has none loses the one it had; a background shows its file, decoded only
// when it fits the budget beside the pictures the project holds, and the
// bare card when missing, outside the project or past the budget.
TEST(ThumbnailsTest, SpritesObjectsAndBackgrounds) {
  test::ScopedTempDir dir;
  Project p;
  p.projectname = "demo";
  const auto empty = NewSprite(p), hero = NewSprite(p);
  auto picture = ShareImage(Image::Opaque(4, 4)), other = ShareImage(Image::Opaque(2, 2));
  p.frames = {{"0", hero, ShareImage()}, {"1", hero, picture}, {"2", hero, other}};
  NewObject(p);
  p.objects[0].sprite = empty;
  SetObjectImage(p.objects[0], picture);
  p.objects[0].displayimage = picture;
  for (const char* file : {"sky.png", "../escape.png", ""}) {
    NewBackground(p);
    p.backgrounds.back().file = file;
  }
  BuildThumbnails(p);
  EXPECT_EQ(*p.sprites[0].thumbnail, CardWith(StockEmptyCard().get()));
  EXPECT_EQ(*p.sprites[1].thumbnail, MakeCard(picture.get()));
  EXPECT_EQ(p.objects[0].image, nullptr);
  EXPECT_EQ(p.objects[0].displayimage, nullptr);
  EXPECT_EQ(p.objects[0].imagewidth, 0);
  EXPECT_EQ(*p.backgrounds[0].thumbnail, CardWith(nullptr));
  EXPECT_EQ(*p.backgrounds[1].thumbnail, CardWith(nullptr));
  EXPECT_EQ(p.backgrounds[2].thumbnail, nullptr);

  fs::create_directories("Projects/demo/img");
  Image sky = Image::Opaque(120, 60);
  sky.Fill(Color{0, 128, 255, 255});
  ASSERT_TRUE(SavePng(sky, "Projects/demo/img/sky.png"));
  const int held = 4 * 4 + 2 * 2;
  for (const auto& [limits, shown] : {std::pair{PictureLimits{120, 120 * 60 + held}, true},
                                      {PictureLimits{16384, 120 * 60 + held - 1}, false},
                                      {PictureLimits{119, 120 * 60 + held}, false}}) {
    BuildThumbnails(p, limits);
    EXPECT_EQ(*p.backgrounds[0].thumbnail, shown ? MakeCard(&sky) : CardWith(nullptr));
  }
}

}  // namespace
}  // namespace vorlane
