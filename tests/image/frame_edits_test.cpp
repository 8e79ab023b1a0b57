#include "image/frame_edits.h"

#include <gtest/gtest.h>

#include "image/effects.h"
#include "image/strip.h"
#include "image/test_pictures.h"
#include "project/thumbnails.h"

namespace vorlane {
namespace {

using namespace test;
using Files = std::vector<std::string>;

void AddFrame(Project& project, const std::string& file, const std::string& sprite, Image image) {
  project.frames.push_back(Frame{file, sprite, ShareImage(std::move(image))});
}

// hero has frames 0, 1, 2 (4 x 4, blue = the number) with coin's frame
// between its second and third.
Project HeroAndCoin() {
  Project project;
  project.sprites = {Sprite{.name = "hero"}, Sprite{.name = "coin"}};
  AddFrame(project, "0", "hero", Numbered(4, 4, true, 0));
  AddFrame(project, "1", "hero", Numbered(4, 4, true, 1));
  AddFrame(project, "0", "coin", Numbered(2, 2, true, 9));
  AddFrame(project, "2", "hero", Numbered(4, 4, true, 2));
  return project;
}

// The sprite's frames in order as "number.picture", the picture told by its
// blue: records move whole.
Files Frames(const Project& project, const std::string& sprite) {
  Files files;
  for (int i : SpriteFrames(project, sprite))
    files.push_back(project.frames[i].file + "." +
                    std::to_string(project.frames[i].image->Pixel(0, 0).b));
  return files;
}

const Image& PictureAt(const Project& project, int index) { return *project.frames[index].image; }

// `picture` drawn at (x, y) on a see-through w x h picture.
Image At(const Image& picture, int w, int h, int x, int y) {
  Image image = Image::Transparent(w, h);
  image.Draw(picture, x, y);
  return image;
}

// A frame made or added takes one more than the highest number, wherever
// that frame is; numbers are never reused, and at the top of the range the
// lowest free one is taken.
TEST(FrameNumbers, NewFramesGoLastAndNumbersAreNeverReused) {
  Project project = HeroAndCoin();
  EXPECT_EQ(SpriteFrames(project, "hero"), (std::vector<int>{0, 1, 3}));
  EXPECT_TRUE(SpriteFrames(project, "ghost").empty());
  EXPECT_EQ(NextFrameNumber(project, "ghost"), "0");
  EXPECT_EQ(DeleteFrame(project, "hero", 1), 0);
  const int added = AppendFrame(project, "hero", Image::Opaque(3, 1));
  EXPECT_EQ(Frames(project, "hero"), (Files{"0.0", "2.2", "3.0"}));
  EXPECT_EQ(PictureAt(project, added), Image::Opaque(3, 1));  // kept as given
  project.frames[added].file = "41b";
  EXPECT_EQ(NextFrameNumber(project, "coin"), "1");
  EXPECT_EQ(MoveFrame(project, "hero", added, false), 2);
  EXPECT_EQ(project.frames[DuplicateFrame(project, "hero", 0)].file, "42");
  project.frames[0].file = "2147483647";
  AppendFrame(project, "hero", Image::Opaque(1, 1));
  AppendFrame(project, "hero", Image::Opaque(1, 1));
  EXPECT_EQ(Frames(project, "hero"), (Files{"2147483647.0", "41b.0", "2.2", "42.0", "0.0", "1.0"}));
}

// Duplicate, move and delete: what each returns and leaves, and the moves
// that do nothing (an end, another sprite's neighbour, no current frame).
TEST(FrameList, OperationsOnTheCurrentFrame) {
  const Files same{"0.0", "1.1", "2.2"};
  // 'd' duplicates, 'l' and 'r' move left and right, 'x' deletes.
  const struct {
    char op;
    int current, returns;
    Files hero;
  } cases[] = {
      // clang-format off
      {'d', 0, 4, {"0.0", "1.1", "2.2", "3.0"}}, {'d', 2, 2, same}, {'d', -1, -1, same},
      {'d', 99, 99, same}, {'l', 0, 0, same}, {'r', 3, 3, same}, {'r', 1, 1, same},
      {'l', 3, 3, same}, {'r', 2, 2, same}, {'r', -1, -1, same},
      {'r', 0, 1, {"1.1", "0.0", "2.2"}}, {'l', 1, 0, {"1.1", "0.0", "2.2"}},
      {'x', 2, 2, same}, {'x', 0, 0, {"1.1", "2.2"}}, {'x', 3, 0, {"0.0", "1.1"}},
      // clang-format on
  };
  for (const auto& c : cases) {
    Project p = HeroAndCoin();
    const int got = c.op == 'd'   ? DuplicateFrame(p, "hero", c.current)
                    : c.op == 'x' ? DeleteFrame(p, "hero", c.current)
                                  : MoveFrame(p, "hero", c.current, c.op == 'r');
    EXPECT_EQ(got, c.returns) << c.op << c.current;
    EXPECT_EQ(Frames(p, "hero"), c.hero) << c.op << c.current;
    EXPECT_EQ(Frames(p, "coin"), Files{"0.9"});
  }
  Project project = HeroAndCoin();
  for (int i : {0, 0}) DeleteFrame(project, "hero", i);
  EXPECT_EQ(DeleteFrame(project, "hero", 1), -1);  // the last one
}

// "Create new sprite": one see-through frame "0", sizes 1..kMaxFrameSide.
TEST(FrameSizes, NewSpriteFramesLeavesOneClearFrame) {
  Project project = HeroAndCoin();
  EXPECT_EQ(NewSpriteFrames(project, "hero", 0, 5), -1);
  EXPECT_EQ(NewSpriteFrames(project, "hero", 5, kMaxFrameSide + 1), -1);
  EXPECT_EQ(project.frames.size(), 4u);
  EXPECT_EQ(NewSpriteFrames(project, "hero", 5, 3), 1);
  EXPECT_EQ(Frames(project, "coin"), Files{"0.9"});
  EXPECT_EQ(project.frames[1].file, "0");
  EXPECT_EQ(PictureAt(project, 1), Image::Transparent(5, 3));
  EXPECT_EQ(PictureAt(project, NewSpriteFrames(project, "hero", kMaxFrameSide, 1)).width(),
            kMaxFrameSide);
}

// A picture of another size than the last frame: Keep redraws it at that
// size; the first frame or one of the same size goes in as it is.
TEST(AddFramePicture, KeepRedrawsThePictureAtTheLastFramesSize) {
  Project first;
  EXPECT_EQ(AddFramePicture(first, "hero", Image::Opaque(3, 2), FrameFit::ResizeAll,
                            FramePlacement::Stretch),
            0);
  AddFramePicture(first, "hero", Numbered(3, 2, true), FrameFit::Keep, FramePlacement::Centre);
  EXPECT_EQ(PictureAt(first, 0), Image::Opaque(3, 2));  // stays 24-bit
  EXPECT_EQ(PictureAt(first, 1), Numbered(3, 2, true));

  Project project = HeroAndCoin();
  project.frames[3].image = ShareImage(Numbered(5, 3, true));  // the last frame decides
  const Image small = Numbered(2, 1, true), big = Numbered(7, 4, true);
  const auto add = [&](const Image& picture, FramePlacement placement) {
    return PictureAt(project, AddFramePicture(project, "hero", picture, FrameFit::Keep, placement));
  };
  EXPECT_EQ(add(small, FramePlacement::TopLeft), At(small, 5, 3, 0, 0));
  EXPECT_EQ(add(small, FramePlacement::Centre), At(small, 5, 3, 1, 1));  // 5/2 - 2/2, 3/2 - 1/2
  EXPECT_EQ(add(big, FramePlacement::Centre), At(big, 5, 3, -1, -1));
  EXPECT_EQ(PictureAt(project, 0), Numbered(4, 4, true, 0));
  // Stretched pictures are smoothed: 0 and 200 across four pixels.
  project.frames.back().image = ShareImage(Image::Transparent(4, 1));
  EXPECT_EQ(add(Row({Rgba(0, 0, 0), Rgba(200, 200, 200)}), FramePlacement::Stretch),
            Row({Rgba(0, 0, 0), Rgba(50, 50, 50), Rgba(150, 150, 150), Rgba(200, 200, 200)}));
}

// ResizeAll redraws every old frame of the sprite at the picture's size,
// centred by the last frame's size, and appends the picture as it is.
TEST(AddFramePicture, ResizeAllRedrawsEveryOldFrame) {
  Project project;
  AddFrame(project, "0", "hero", Row({Rgba(1, 1, 0), Rgba(11, 1, 0)}));
  AddFrame(project, "0", "coin", Numbered(2, 1, true, 9));
  AddFrame(project, "1", "hero", Row({Rgba(1, 1, 1), Rgba(11, 1, 1)}));
  EXPECT_EQ(AddFramePicture(project, "hero", Image::Opaque(4, 1), FrameFit::ResizeAll,
                            FramePlacement::Stretch),
            3);
  // To the nearest pixel.
  EXPECT_EQ(PictureAt(project, 0),
            Row({Rgba(1, 1, 0), Rgba(1, 1, 0), Rgba(11, 1, 0), Rgba(11, 1, 0)}));
  EXPECT_EQ(PictureAt(project, 2),
            Row({Rgba(1, 1, 1), Rgba(1, 1, 1), Rgba(11, 1, 1), Rgba(11, 1, 1)}));
  EXPECT_EQ(PictureAt(project, 1), Numbered(2, 1, true, 9));
  EXPECT_EQ(PictureAt(project, 3), Image::Opaque(4, 1));
  EXPECT_EQ(project.frames[3].file, "2");

  Project centred;
  AddFrame(centred, "0", "hero", Numbered(2, 2, true, 0));
  AddFrame(centred, "1", "hero", Numbered(4, 4, false, 1));
  AddFramePicture(centred, "hero", Image::Opaque(6, 6), FrameFit::ResizeAll,
                  FramePlacement::Centre);
  EXPECT_EQ(PictureAt(centred, 0), At(Numbered(2, 2, true, 0), 6, 6, 1, 1));  // 6/2 - 4/2
  EXPECT_EQ(PictureAt(centred, 1), At(Numbered(4, 4, false, 1), 6, 6, 1, 1));
  AddFramePicture(centred, "hero", Image::Opaque(3, 2), FrameFit::ResizeAll,
                  FramePlacement::TopLeft);
  EXPECT_EQ(PictureAt(centred, 1), At(Numbered(4, 4, false, 1), 3, 2, 1, 1));
  EXPECT_EQ(PictureAt(centred, 2), Solid(3, 2, Rgba(0, 0, 0)));  // 24-bit frames come out 32-bit

  Project square;
  AddFrame(square, "0", "hero", Solid(32, 32, Rgba(1, 2, 3)));
  AddFramePicture(square, "hero", Image::Opaque(64, 32), FrameFit::ResizeAll,
                  FramePlacement::Stretch);
  EXPECT_EQ(PictureAt(square, 0), Solid(64, 32, Rgba(1, 2, 3)));
}

// The PNG strip: frames side by side at the last frame's width, wider ones
// covered and taller ones cut; null without frames or an empty last one.
TEST(FrameStrip, FramesSideBySideAtTheLastFramesWidth) {
  Project project;
  EXPECT_TRUE(FrameStrip(project, "hero").is_null());
  AddFrame(project, "0", "hero", Row({Rgba(1, 1, 0), Rgba(2, 1, 0), Rgba(3, 1, 0)}));
  AddFrame(project, "0", "coin", Numbered(2, 1, true, 9));
  AddFrame(project, "1", "hero", Solid(1, 2, Rgba(1, 1, 1)));
  AddFrame(project, "2", "hero", Row({Rgba(1, 1, 2), Rgba(2, 1, 2)}));
  EXPECT_EQ(FrameStrip(project, "hero"), Row({Rgba(1, 1, 0), Rgba(2, 1, 0), Rgba(1, 1, 1), kClear,
                                              Rgba(1, 1, 2), Rgba(2, 1, 2)}));
  project.frames.back().image = ShareImage(Image());
  EXPECT_TRUE(FrameStrip(project, "hero").is_null());
}

// Resize canvas centres each frame by its own size; Stretch smooths only
// when asked; both refuse sizes outside 1..kMaxFrameSide.
TEST(FrameSizes, ResizeCanvasAndStretch) {
  Project project;
  AddFrame(project, "0", "hero", Numbered(32, 32, true, 0));
  AddFrame(project, "0", "coin", Numbered(3, 3, true, 9));
  AddFrame(project, "1", "hero", Numbered(30, 31, true, 1));
  EXPECT_FALSE(ResizeFrameCanvas(project, "hero", 0, 10));
  EXPECT_FALSE(ResizeFrameCanvas(project, "hero", 10, kMaxFrameSide + 1));
  EXPECT_FALSE(StretchFrames(project, "hero", 4, 0, true));
  EXPECT_EQ(PictureAt(project, 0), Numbered(32, 32, true, 0));
  ASSERT_TRUE(ResizeFrameCanvas(project, "hero", 33, 34));
  EXPECT_EQ(PictureAt(project, 0), At(Numbered(32, 32, true, 0), 33, 34, 0, 1));
  EXPECT_EQ(PictureAt(project, 2), At(Numbered(30, 31, true, 1), 33, 34, 1, 2));
  EXPECT_EQ(PictureAt(project, 1), Numbered(3, 3, true, 9));
  ASSERT_TRUE(ResizeFrameCanvas(project, "hero", 2, 3));  // cropped around the centre
  EXPECT_EQ(PictureAt(project, 0), At(Numbered(32, 32, true, 0), 2, 3, -15, -15));

  const Image ramp = Row({Rgba(0, 0, 0), Rgba(200, 200, 200)});
  project.frames[0].image = ShareImage(ramp);
  ASSERT_TRUE(StretchFrames(project, "hero", 4, 1, false));
  EXPECT_EQ(PictureAt(project, 0),
            Row({Rgba(0, 0, 0), Rgba(0, 0, 0), Rgba(200, 200, 200), Rgba(200, 200, 200)}));
  project.frames[0].image = ShareImage(ramp);
  ASSERT_TRUE(StretchFrames(project, "hero", 4, 1, true));
  EXPECT_EQ(PictureAt(project, 0).Pixel(1, 0), Rgba(50, 50, 50));
  EXPECT_EQ(PictureAt(project, 1), Numbered(3, 3, true, 9));
  // "Keep aspect ratio": 22.5 goes away from zero; a side of 0 gives 0.
  EXPECT_EQ(KeepAspect(32, 64, 100), 50);
  EXPECT_EQ(KeepAspect(30, 20, 15), 23);
  EXPECT_EQ(KeepAspect(10, 0, 5), 0);
}

// An effect runs on the current frame or every frame of the sprite, each
// read at the current frame's size (see-through where it is smaller).
TEST(ApplyToFrames, EachFrameAtTheCurrentFramesSize) {
  Project project;
  AddFrame(project, "0", "hero", Image::Opaque(2, 2));
  AddFrame(project, "0", "coin", Numbered(3, 3, true, 9));
  AddFrame(project, "1", "hero", Numbered(3, 3, true, 1));  // current
  AddFrame(project, "2", "hero", Numbered(4, 1, true, 2));
  std::vector<Image> seen;
  const auto record = [&seen](const Image& image) {
    seen.push_back(image);
    return Invert(image);
  };
  ApplyToFrames(project, "hero", 1, true, record);  // coin's frame: nothing
  ApplyToFrames(project, "hero", 7, true, record);
  ApplyToFrames(project, "hero", 2, false, record);
  EXPECT_EQ(seen, std::vector<Image>{Numbered(3, 3, true, 1)});
  EXPECT_EQ(PictureAt(project, 0), Image::Opaque(2, 2));
  seen.clear();
  project.frames[2].image = ShareImage(Numbered(3, 3, true, 1));
  ApplyToFrames(project, "hero", 2, true, record);
  const std::vector<Image> expected = {At(Solid(2, 2, Rgba(0, 0, 0)), 3, 3, 0, 0),
                                       Numbered(3, 3, true, 1),
                                       At(Numbered(4, 1, true, 2), 3, 3, 0, 0)};
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(PictureAt(project, 3), Invert(expected[2]));
  EXPECT_EQ(PictureAt(project, 1), Numbered(3, 3, true, 9));
}

// The strip import: the cells, row by row with what is left over dropped,
// replace the frames (numbered from 0); origin and collision fit one cell,
// and the card and the objects show the first; bad counts change nothing.
TEST(ImportStrip, CellsReplaceTheFramesAndSetTheOriginAndCollision) {
  Project project = HeroAndCoin();
  project.sprites[0].centerx = 7;
  project.sprites[0].collisiontop = 4;
  GameObject player{.name = "player", .sprite = "hero"};
  SetObjectImage(player, project.frames[0].image);
  project.objects.push_back(player);
  const Project before = project;
  Image strip = Image::Opaque(11, 6);  // 2 x 2 cells of 5 x 3, a column left over
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 11; ++x) strip.Plot(x, y, Rgba(x, y, 5));
  for (auto [columns, rows] :
       std::vector<std::pair<int, int>>{{0, 2}, {2, 0}, {12, 1}, {1, 2000000000}})
    EXPECT_FALSE(ImportStrip(project, 0, strip, columns, rows));
  EXPECT_EQ(project.frames, before.frames);
  EXPECT_EQ(project.sprites, before.sprites);

  ASSERT_TRUE(ImportStrip(project, 0, strip, 2, 2));
  EXPECT_EQ(project.frames[0], before.frames[2]);  // coin's frame stays
  const int corner[4][2] = {{0, 0}, {5, 0}, {0, 3}, {5, 3}};
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(project.frames[1 + k].file, std::to_string(k));
    EXPECT_EQ(PictureAt(project, 1 + k), At(strip, 5, 3, -corner[k][0], -corner[k][1]));
  }
  const Sprite& hero = project.sprites[0];
  EXPECT_EQ((std::vector{hero.centerx, hero.centery, hero.collisionleft, hero.collisiontop,
                         hero.collisionright, hero.collisionbottom, hero.collisionradius}),
            (std::vector{0, 0, 0, 0, 5, 3, 2}));
  EXPECT_EQ(project.sprites[1].collisionright, before.sprites[1].collisionright);
  ASSERT_TRUE(hero.thumbnail);
  EXPECT_EQ(*hero.thumbnail, MakeCard(&PictureAt(project, 1)));
  EXPECT_EQ(project.objects[0].image, project.frames[1].image);
  EXPECT_EQ(project.objects[0].imagewidth, 5);

  // A see-through strip is cut byte for byte; more cells than pixels are null.
  const Image hidden = Numbered(4, 2, true);
  EXPECT_EQ(CutStrip(hidden, 2, 1)[1], hidden.Copy(2, 0, 2, 2));
  EXPECT_TRUE(CutStrip(hidden, 0, 1).empty());
  EXPECT_TRUE(CutStrip(hidden, 5, 1)[4].is_null());
}

}  // namespace
}  // namespace vorlane
