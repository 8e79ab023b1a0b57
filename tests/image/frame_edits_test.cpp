#include "image/frame_edits.h"

#include <gtest/gtest.h>

#include "image/effects.h"
#include "project/thumbnails.h"

namespace vorlane {
namespace {

Color Rgba(int r, int g, int b, int a = 255) {
  return Color{std::uint8_t(r), std::uint8_t(g), std::uint8_t(b), std::uint8_t(a)};
}

const Color kClear{0, 0, 0, 0};

Image Solid(int w, int h, Color color) {
  Image image = Image::Transparent(w, h);
  image.Fill(color);
  return image;
}

// Every pixel different and opaque: red counts columns, green rows, blue
// tells pictures apart.
Image Numbered(int w, int h, int tag = 0) {
  Image image = Image::Transparent(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.Plot(x, y, Rgba(10 * x + 1, 10 * y + 1, tag));
  return image;
}

void AddFrame(Project& project, const std::string& file, const std::string& sprite, Image image) {
  Frame frame;
  frame.file = file;
  frame.sprite = sprite;
  frame.image = ShareImage(std::move(image));
  project.frames.push_back(std::move(frame));
}

// hero has frames 0, 1, 2 with coin's frame between its second and third.
Project HeroAndCoin() {
  Project project;
  for (const char* name : {"hero", "coin"}) {
    Sprite sprite;
    sprite.name = name;
    project.sprites.push_back(sprite);
  }
  AddFrame(project, "0", "hero", Numbered(4, 4, 0));
  AddFrame(project, "1", "hero", Numbered(4, 4, 1));
  AddFrame(project, "0", "coin", Numbered(2, 2, 9));
  AddFrame(project, "2", "hero", Numbered(4, 4, 2));
  return project;
}

std::vector<std::string> Files(const Project& project, const std::string& sprite) {
  std::vector<std::string> files;
  for (int i : SpriteFrames(project, sprite)) files.push_back(project.frames[i].file);
  return files;
}

const Image& PictureAt(const Project& project, int index) { return *project.frames[index].image; }

TEST(FrameNumbers, NewFramesGoAtTheEndAndNumbersAreNeverReused) {
  Project project = HeroAndCoin();
  EXPECT_EQ(SpriteFrames(project, "hero"), (std::vector<int>{0, 1, 3}));
  EXPECT_EQ(SpriteFrames(project, "coin"), (std::vector<int>{2}));
  EXPECT_TRUE(SpriteFrames(project, "ghost").empty());
  EXPECT_EQ(NextFrameNumber(project, "hero"), "3");
  EXPECT_EQ(NextFrameNumber(project, "ghost"), "0");

  // Frames 0, 1, 2; delete 1; add: 0, 2, 3.
  EXPECT_EQ(DeleteFrame(project, "hero", 1), 0);
  const int added = AppendFrame(project, "hero", Image::Opaque(3, 1));
  EXPECT_EQ(added, 3);
  EXPECT_EQ(Files(project, "hero"), (std::vector<std::string>{"0", "2", "3"}));
  EXPECT_EQ(PictureAt(project, added), Image::Opaque(3, 1));  // kept as given

  // The number is one more than the highest leading integer, wherever that
  // frame is: a moved frame keeps its number.
  project.frames[added].file = "41b";
  EXPECT_EQ(NextFrameNumber(project, "hero"), "42");
  EXPECT_EQ(NextFrameNumber(project, "coin"), "1");
  EXPECT_EQ(MoveFrame(project, "hero", added, false), 2);
  EXPECT_EQ(Files(project, "hero"), (std::vector<std::string>{"0", "41b", "2"}));
  EXPECT_EQ(project.frames[DuplicateFrame(project, "hero", 0)].file, "42");
  // At the top of the range the lowest free number is taken.
  project.frames[0].file = "2147483647";
  AppendFrame(project, "hero", Image::Opaque(1, 1));
  AppendFrame(project, "hero", Image::Opaque(1, 1));
  EXPECT_EQ(Files(project, "hero"),
            (std::vector<std::string>{"2147483647", "41b", "2", "42", "0", "1"}));
}

TEST(FrameNumbers, NewSpriteFramesLeavesOneClearFrameNumberedZero) {
  Project project = HeroAndCoin();
  EXPECT_EQ(NewSpriteFrames(project, "hero", 0, 5), -1);
  EXPECT_EQ(NewSpriteFrames(project, "hero", 5, kMaxFrameSide + 1), -1);
  EXPECT_EQ(project.frames.size(), 4u);

  const int index = NewSpriteFrames(project, "hero", 5, 3);
  ASSERT_EQ(project.frames.size(), 2u);
  EXPECT_EQ(index, 1);
  EXPECT_EQ(project.frames[0].sprite, "coin");
  EXPECT_EQ(project.frames[1].file, "0");
  EXPECT_EQ(project.frames[1].sprite, "hero");
  EXPECT_EQ(PictureAt(project, 1), Image::Transparent(5, 3));
}

TEST(AddFramePicture, SameSizeOrFirstFrameIsAddedAsItIs) {
  Project project;
  const Image opaque = Image::Opaque(3, 2);
  EXPECT_EQ(AddFramePicture(project, "hero", opaque, FrameFit::ResizeAll, FramePlacement::Stretch),
            0);
  EXPECT_EQ(
      AddFramePicture(project, "hero", Numbered(3, 2), FrameFit::Keep, FramePlacement::Centre), 1);
  EXPECT_EQ(PictureAt(project, 0), opaque);  // stays 24-bit
  EXPECT_EQ(PictureAt(project, 1), Numbered(3, 2));
  EXPECT_EQ(Files(project, "hero"), (std::vector<std::string>{"0", "1"}));
}

TEST(AddFramePicture, KeepRedrawsThePictureAtTheLastFramesSize) {
  Project project = HeroAndCoin();
  project.frames[3].image = ShareImage(Numbered(5, 3));  // the last frame decides
  const Image small = Numbered(2, 1, 7);

  const int top_left =
      AddFramePicture(project, "hero", small, FrameFit::Keep, FramePlacement::TopLeft);
  EXPECT_EQ(top_left, 4);
  Image expected = Image::Transparent(5, 3);
  expected.Plot(0, 0, small.Pixel(0, 0));
  expected.Plot(1, 0, small.Pixel(1, 0));
  EXPECT_EQ(PictureAt(project, top_left), expected);

  // Centred in whole halves: (5/2 - 2/2, 3/2 - 1/2) = (1, 1).
  const int centred =
      AddFramePicture(project, "hero", small, FrameFit::Keep, FramePlacement::Centre);
  const Image& c = PictureAt(project, centred);
  ASSERT_EQ(c.width(), 5);
  EXPECT_EQ(c.Pixel(1, 1), small.Pixel(0, 0));
  EXPECT_EQ(c.Pixel(2, 1), small.Pixel(1, 0));
  EXPECT_EQ(c.Pixel(0, 1), kClear);
  EXPECT_EQ(c.Pixel(1, 0), kClear);

  // A bigger picture is cropped around its centre: (2 - 3, 1 - 2).
  const int cropped =
      AddFramePicture(project, "hero", Numbered(7, 4, 3), FrameFit::Keep, FramePlacement::Centre);
  EXPECT_EQ(PictureAt(project, cropped), Numbered(7, 4, 3).Copy(1, 1, 5, 3));

  // Stretched pictures are smoothed: 0 and 200 across four pixels.
  Image ramp = Image::Transparent(2, 1);
  ramp.Plot(1, 0, Rgba(200, 200, 200));
  ramp.Plot(0, 0, Rgba(0, 0, 0));
  project.frames.back().image = ShareImage(Image::Transparent(4, 1));
  AddFramePicture(project, "hero", ramp, FrameFit::Keep, FramePlacement::Stretch);
  const Image& stretched = PictureAt(project, static_cast<int>(project.frames.size()) - 1);
  ASSERT_EQ(stretched.width(), 4);
  EXPECT_EQ(stretched.Pixel(0, 0), Rgba(0, 0, 0));
  EXPECT_EQ(stretched.Pixel(1, 0), Rgba(50, 50, 50));
  EXPECT_EQ(stretched.Pixel(2, 0), Rgba(150, 150, 150));
  EXPECT_EQ(stretched.Pixel(3, 0), Rgba(200, 200, 200));
  // The old frames are untouched.
  EXPECT_EQ(PictureAt(project, 0), Numbered(4, 4, 0));
}

TEST(AddFramePicture, ResizeAllRedrawsEveryOldFrameAtThePicturesSize) {
  // 2 x 1 frames stretched to 4 x 1 pixel by pixel; the picture goes in as it is.
  Project project;
  AddFrame(project, "0", "hero", Numbered(2, 1, 0));
  AddFrame(project, "0", "coin", Numbered(2, 1, 9));
  AddFrame(project, "1", "hero", Numbered(2, 1, 1));
  const Image picture = Image::Opaque(4, 1);
  EXPECT_EQ(AddFramePicture(project, "hero", picture, FrameFit::ResizeAll, FramePlacement::Stretch),
            3);
  for (int index : {0, 2}) {
    const Image& frame = PictureAt(project, index);
    ASSERT_EQ(frame.width(), 4);
    ASSERT_EQ(frame.height(), 1);
    const int tag = index / 2;
    EXPECT_EQ(frame.Pixel(0, 0), Rgba(1, 1, tag));
    EXPECT_EQ(frame.Pixel(1, 0), Rgba(1, 1, tag));
    EXPECT_EQ(frame.Pixel(2, 0), Rgba(11, 1, tag));
    EXPECT_EQ(frame.Pixel(3, 0), Rgba(11, 1, tag));
  }
  EXPECT_EQ(PictureAt(project, 1), Numbered(2, 1, 9));
  EXPECT_EQ(PictureAt(project, 3), picture);
  EXPECT_EQ(project.frames[3].file, "2");

  // The 64 x 32 picture stretches 32 x 32 frames to its size.
  Project square;
  AddFrame(square, "0", "hero", Solid(32, 32, Rgba(1, 2, 3)));
  AddFramePicture(square, "hero", Image::Opaque(64, 32), FrameFit::ResizeAll,
                  FramePlacement::Stretch);
  EXPECT_EQ(PictureAt(square, 0), Solid(64, 32, Rgba(1, 2, 3)));
}

TEST(AddFramePicture, ResizeAllCentresEveryFrameByTheLastFramesSize) {
  Project project;
  AddFrame(project, "0", "hero", Numbered(2, 2, 0));
  AddFrame(project, "1", "hero", Numbered(4, 4, 1));
  AddFramePicture(project, "hero", Image::Opaque(6, 6), FrameFit::ResizeAll,
                  FramePlacement::Centre);
  // (6/2 - 4/2) = 1 for both frames, the small one included.
  Image first = Image::Transparent(6, 6);
  first.Draw(Numbered(2, 2, 0), 1, 1);
  Image second = Image::Transparent(6, 6);
  second.Draw(Numbered(4, 4, 1), 1, 1);
  EXPECT_EQ(PictureAt(project, 0), first);
  EXPECT_EQ(PictureAt(project, 1), second);
  EXPECT_EQ(PictureAt(project, 2), Image::Opaque(6, 6));

  // At the top left, cropped; old 24-bit frames come out 32-bit.
  AddFramePicture(project, "hero", Image::Opaque(3, 2), FrameFit::ResizeAll,
                  FramePlacement::TopLeft);
  EXPECT_EQ(PictureAt(project, 0), first.Copy(0, 0, 3, 2));
  EXPECT_EQ(PictureAt(project, 1), second.Copy(0, 0, 3, 2));
  EXPECT_EQ(PictureAt(project, 2), Solid(3, 2, Rgba(0, 0, 0)));
  EXPECT_EQ(PictureAt(project, 3), Image::Opaque(3, 2));
}

TEST(FrameStrip, FramesSideBySideAtTheLastFramesWidth) {
  Project project;
  EXPECT_TRUE(FrameStrip(project, "hero").is_null());
  AddFrame(project, "0", "hero", Numbered(3, 1, 0));  // wider: its last column is covered
  AddFrame(project, "0", "coin", Numbered(2, 1, 9));
  AddFrame(project, "1", "hero", Numbered(1, 2, 1));  // taller: cut at the bottom
  AddFrame(project, "2", "hero", Numbered(2, 1, 2));
  const Image strip = FrameStrip(project, "hero");
  ASSERT_EQ(strip.width(), 6);
  ASSERT_EQ(strip.height(), 1);
  EXPECT_TRUE(strip.has_alpha());
  EXPECT_EQ(strip.Pixel(0, 0), Rgba(1, 1, 0));
  EXPECT_EQ(strip.Pixel(1, 0), Rgba(11, 1, 0));
  EXPECT_EQ(strip.Pixel(2, 0), Rgba(1, 1, 1));
  EXPECT_EQ(strip.Pixel(3, 0), kClear);
  EXPECT_EQ(strip.Pixel(4, 0), Rgba(1, 1, 2));
  EXPECT_EQ(strip.Pixel(5, 0), Rgba(11, 1, 2));

  project.frames.back().image = ShareImage(Image());
  EXPECT_TRUE(FrameStrip(project, "hero").is_null());
}

TEST(FrameList, DuplicateAppendsACopyAfterTheLastFrame) {
  Project project = HeroAndCoin();
  const int copy = DuplicateFrame(project, "hero", 0);
  EXPECT_EQ(copy, 4);
  EXPECT_EQ(project.frames[4].sprite, "hero");
  EXPECT_EQ(project.frames[4].file, "3");
  EXPECT_EQ(PictureAt(project, 4), Numbered(4, 4, 0));
  EXPECT_EQ(SpriteFrames(project, "hero"), (std::vector<int>{0, 1, 3, 4}));

  // Not a frame of the sprite: nothing happens.
  EXPECT_EQ(DuplicateFrame(project, "hero", 2), 2);
  EXPECT_EQ(DuplicateFrame(project, "hero", -1), -1);
  EXPECT_EQ(DuplicateFrame(project, "hero", 99), 99);
  EXPECT_EQ(project.frames.size(), 5u);
}

TEST(FrameList, MoveSwapsWholeRecordsWithASameSpriteNeighbour) {
  Project project = HeroAndCoin();
  const Project before = project;
  EXPECT_EQ(MoveFrame(project, "hero", 0, false), 0);  // first, left
  EXPECT_EQ(MoveFrame(project, "hero", 3, true), 3);   // last, right
  EXPECT_EQ(MoveFrame(project, "hero", 1, true), 1);   // next record is coin's
  EXPECT_EQ(MoveFrame(project, "hero", 3, false), 3);
  EXPECT_EQ(MoveFrame(project, "hero", 2, true), 2);  // not hero's
  EXPECT_EQ(MoveFrame(project, "hero", -1, true), -1);
  EXPECT_EQ(project.frames, before.frames);

  EXPECT_EQ(MoveFrame(project, "hero", 0, true), 1);
  EXPECT_EQ(project.frames[0], before.frames[1]);
  EXPECT_EQ(project.frames[1], before.frames[0]);
  EXPECT_EQ(Files(project, "hero"), (std::vector<std::string>{"1", "0", "2"}));
  EXPECT_EQ(MoveFrame(project, "hero", 1, false), 0);
  EXPECT_EQ(project.frames, before.frames);
}

TEST(FrameList, DeleteGoesBackToTheFirstFrame) {
  Project project = HeroAndCoin();
  EXPECT_EQ(DeleteFrame(project, "hero", 2), 2);  // coin's frame stays
  EXPECT_EQ(project.frames.size(), 4u);
  EXPECT_EQ(DeleteFrame(project, "hero", 0), 0);
  EXPECT_EQ(Files(project, "hero"), (std::vector<std::string>{"1", "2"}));
  EXPECT_EQ(DeleteFrame(project, "hero", 2), 0);
  EXPECT_EQ(DeleteFrame(project, "hero", 0), -1);
  EXPECT_TRUE(SpriteFrames(project, "hero").empty());
  EXPECT_EQ(Files(project, "coin"), (std::vector<std::string>{"0"}));
}

TEST(FrameSizes, ResizeCanvasCentresEachFrameByItsOwnSize) {
  Project project;
  AddFrame(project, "0", "hero", Numbered(32, 32, 0));
  AddFrame(project, "0", "coin", Numbered(3, 3, 9));
  AddFrame(project, "1", "hero", Numbered(30, 31, 1));
  EXPECT_FALSE(ResizeFrameCanvas(project, "hero", 0, 10));
  EXPECT_FALSE(ResizeFrameCanvas(project, "hero", 10, kMaxFrameSide + 1));
  EXPECT_EQ(PictureAt(project, 0), Numbered(32, 32, 0));

  ASSERT_TRUE(ResizeFrameCanvas(project, "hero", 33, 34));
  // 32 x 32 at (16 - 16, 17 - 16); 30 x 31 at (16 - 15, 17 - 15).
  Image first = Image::Transparent(33, 34);
  first.Draw(Numbered(32, 32, 0), 0, 1);
  Image second = Image::Transparent(33, 34);
  second.Draw(Numbered(30, 31, 1), 1, 2);
  EXPECT_EQ(PictureAt(project, 0), first);
  EXPECT_EQ(PictureAt(project, 2), second);
  EXPECT_EQ(PictureAt(project, 1), Numbered(3, 3, 9));

  // Smaller: cropped around the centre, (1 - 16, 1 - 17).
  ASSERT_TRUE(ResizeFrameCanvas(project, "hero", 2, 3));
  EXPECT_EQ(PictureAt(project, 0), first.Copy(15, 16, 2, 3));
}

TEST(FrameSizes, StretchSmoothsOnlyWhenAsked) {
  Image ramp = Image::Opaque(2, 1);
  ramp.Plot(1, 0, Rgba(200, 200, 200));
  Project project;
  AddFrame(project, "0", "hero", ramp);
  AddFrame(project, "0", "coin", ramp);
  EXPECT_FALSE(StretchFrames(project, "hero", 4, 0, true));
  EXPECT_EQ(PictureAt(project, 0), ramp);

  ASSERT_TRUE(StretchFrames(project, "hero", 4, 2, false));
  Image blocky = Image::Transparent(4, 2);
  blocky.FillRect(2, 0, 2, 2, Rgba(200, 200, 200));
  blocky.FillRect(0, 0, 2, 2, Rgba(0, 0, 0));
  EXPECT_EQ(PictureAt(project, 0), blocky);
  EXPECT_EQ(PictureAt(project, 1), ramp);

  project.frames[0].image = ShareImage(ramp);
  ASSERT_TRUE(StretchFrames(project, "hero", 4, 1, true));
  const Image& smooth = PictureAt(project, 0);
  EXPECT_EQ(smooth.Pixel(1, 0), Rgba(50, 50, 50));
  EXPECT_EQ(smooth.Pixel(2, 0), Rgba(150, 150, 150));
}

TEST(FrameSizes, KeepAspectRoundsTheOtherSide) {
  EXPECT_EQ(KeepAspect(32, 64, 100), 50);
  EXPECT_EQ(KeepAspect(30, 20, 15), 23);  // 22.5 away from zero
  EXPECT_EQ(KeepAspect(10, 3, 1), 3);     // 3.33
  EXPECT_EQ(KeepAspect(10, 0, 5), 0);
}

TEST(ApplyToFrames, EachFrameIsProcessedAtTheCurrentFramesSize) {
  Project project;
  AddFrame(project, "0", "hero", Image::Opaque(2, 2));  // smaller than the current one
  AddFrame(project, "0", "coin", Numbered(3, 3, 9));
  AddFrame(project, "1", "hero", Numbered(3, 3, 1));  // current
  AddFrame(project, "2", "hero", Numbered(4, 1, 2));  // wider, shorter
  std::vector<Image> seen;
  const auto record = [&seen](const Image& image) {
    seen.push_back(image);
    return Invert(image);
  };

  ApplyToFrames(project, "hero", 1, true, record);  // coin's frame: nothing
  ApplyToFrames(project, "hero", 7, true, record);
  EXPECT_TRUE(seen.empty());

  ApplyToFrames(project, "hero", 2, false, record);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0], Numbered(3, 3, 1));
  EXPECT_EQ(PictureAt(project, 2), Invert(Numbered(3, 3, 1)));
  EXPECT_EQ(PictureAt(project, 0), Image::Opaque(2, 2));

  seen.clear();
  project.frames[2].image = ShareImage(Numbered(3, 3, 1));
  ApplyToFrames(project, "hero", 2, true, record);
  ASSERT_EQ(seen.size(), 3u);
  // The 24-bit 2 x 2 frame as a 32-bit 3 x 3 image, see-through outside it.
  Image padded = Image::Transparent(3, 3);
  padded.FillRect(0, 0, 2, 2, Rgba(0, 0, 0));
  EXPECT_EQ(seen[0], padded);
  EXPECT_EQ(seen[1], Numbered(3, 3, 1));
  Image cropped = Image::Transparent(3, 3);
  cropped.Draw(Numbered(4, 1, 2), 0, 0);
  EXPECT_EQ(seen[2], cropped);
  EXPECT_EQ(PictureAt(project, 0), Invert(padded));
  EXPECT_EQ(PictureAt(project, 3), Invert(cropped));
  EXPECT_EQ(PictureAt(project, 1), Numbered(3, 3, 9));
}

TEST(ImportStrip, CellsReplaceTheFramesAndSetTheOriginAndCollision) {
  Project project = HeroAndCoin();
  project.sprites[0].centerx = 7;
  project.sprites[0].centery = 8;
  project.sprites[0].collisionleft = 3;
  project.sprites[0].collisiontop = 4;
  GameObject player;
  player.name = "player";
  player.sprite = "hero";
  SetObjectImage(player, project.frames[0].image);
  project.objects.push_back(player);
  const Project before = project;
  Image strip = Image::Opaque(11, 6);  // 2 x 2 cells of 5 x 3, a column left over
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 11; ++x) strip.Plot(x, y, Rgba(x, y, 5));
  EXPECT_FALSE(ImportStrip(project, 0, strip, 0, 2));
  EXPECT_FALSE(ImportStrip(project, 0, strip, 2, 0));
  EXPECT_FALSE(ImportStrip(project, 0, strip, 12, 1));  // more cells than pixels
  EXPECT_FALSE(ImportStrip(project, 0, strip, 1, 2000000000));
  EXPECT_EQ(project.frames, before.frames);
  EXPECT_EQ(project.sprites, before.sprites);

  ASSERT_TRUE(ImportStrip(project, 0, strip, 2, 2));
  ASSERT_EQ(project.frames.size(), 5u);
  EXPECT_EQ(project.frames[0], before.frames[2]);  // coin's frame stays first
  EXPECT_EQ(Files(project, "hero"), (std::vector<std::string>{"0", "1", "2", "3"}));
  const int corner[4][2] = {{0, 0}, {5, 0}, {0, 3}, {5, 3}};
  for (int k = 0; k < 4; ++k) {
    const Image& cell = PictureAt(project, 1 + k);
    ASSERT_EQ(cell.width(), 5);
    ASSERT_EQ(cell.height(), 3);
    EXPECT_TRUE(cell.has_alpha());
    EXPECT_EQ(cell.Pixel(0, 0), Rgba(corner[k][0], corner[k][1], 5));
    EXPECT_EQ(cell.Pixel(4, 2), Rgba(corner[k][0] + 4, corner[k][1] + 2, 5));
  }
  const Sprite& hero = project.sprites[0];
  EXPECT_EQ(hero.centerx, 0);
  EXPECT_EQ(hero.centery, 0);
  EXPECT_EQ(hero.collisionleft, 0);
  EXPECT_EQ(hero.collisiontop, 0);
  EXPECT_EQ(hero.collisionright, 5);
  EXPECT_EQ(hero.collisionbottom, 3);
  EXPECT_EQ(hero.collisionradius, 2);
  EXPECT_EQ(hero.name, "hero");
  EXPECT_EQ(project.sprites[1].collisionright, before.sprites[1].collisionright);
  // The card and the objects now show the first cell.
  ASSERT_TRUE(hero.thumbnail);
  EXPECT_EQ(*hero.thumbnail, MakeCard(&PictureAt(project, 1)));
  EXPECT_EQ(project.objects[0].image, project.frames[1].image);
  EXPECT_EQ(project.objects[0].imagewidth, 5);

  // Importing again starts numbering from 0 once more.
  ASSERT_TRUE(ImportStrip(project, 0, strip, 1, 1));
  EXPECT_EQ(Files(project, "hero"), (std::vector<std::string>{"0"}));
  Image whole = Image::Transparent(11, 6);
  whole.Draw(strip, 0, 0, DrawMode::Copy);
  EXPECT_EQ(PictureAt(project, 1), whole);
  EXPECT_EQ(project.sprites[0].collisionradius, 5);
}

}  // namespace
}  // namespace vorlane
