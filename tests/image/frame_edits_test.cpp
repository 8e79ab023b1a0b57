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
using Images = std::vector<Image>;

// Frames named "number" of the sprite, each with its picture, in list order.
Project Frames(std::initializer_list<std::tuple<const char*, const char*, Image>> frames) {
  Project project;
  for (const auto& [file, sprite, image] : frames)
    project.frames.push_back(Frame{file, sprite, ShareImage(image)});
  return project;
}

// hero has frames 0, 1, 2 (4 x 4, blue = the number) with coin's frame
// between its second and third.
Project HeroAndCoin() {
  Project project = Frames({{"0", "hero", Numbered(4, 4, true, 0)},
                            {"1", "hero", Numbered(4, 4, true, 1)},
                            {"0", "coin", Numbered(2, 2, true, 9)},
                            {"2", "hero", Numbered(4, 4, true, 2)}});
  project.sprites = {Sprite{.name = "hero"}, Sprite{.name = "coin"}};
  return project;
}

// The sprite's frames in order as "number.picture", the picture told by its
// blue: records move whole.
Files Numbers(const Project& project, const std::string& sprite) {
  Files files;
  for (int i : SpriteFrames(project, sprite))
    files.push_back(project.frames[i].file + "." +
                    std::to_string(project.frames[i].image->Pixel(0, 0).b));
  return files;
}

Images Pictures(const Project& project) {
  Images images;
  for (const Frame& frame : project.frames) images.push_back(*frame.image);
  return images;
}

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
  EXPECT_EQ(NextFrameNumber(project, "ghost"), "0");
  EXPECT_EQ(DeleteFrame(project, "hero", 1), 0);
  const int added = AppendFrame(project, "hero", Image::Opaque(3, 1));
  EXPECT_EQ(Numbers(project, "hero"), (Files{"0.0", "2.2", "3.0"}));
  EXPECT_EQ(*project.frames[added].image, Image::Opaque(3, 1));  // kept as given
  project.frames[added].file = "41b";
  EXPECT_EQ(NextFrameNumber(project, "coin"), "1");
  EXPECT_EQ(MoveFrame(project, "hero", added, false), 2);
  EXPECT_EQ(project.frames[DuplicateFrame(project, "hero", 0)].file, "42");
  project.frames[0].file = "2147483647";
  AppendFrame(project, "hero", Image::Opaque(1, 1));
  AppendFrame(project, "hero", Image::Opaque(1, 1));
  EXPECT_EQ(Numbers(project, "hero"),
            (Files{"2147483647.0", "41b.0", "2.2", "42.0", "0.0", "1.0"}));
}

// Duplicate ('d'), move left and right ('l', 'r') and delete ('x'): what
// each returns and leaves, and the moves that do nothing (an end, another
// sprite's neighbour, no current frame).
TEST(FrameList, OperationsOnTheCurrentFrame) {
  const Files same{"0.0", "1.1", "2.2"};
  const struct {
    char op;
    int current, returns;
    Files hero;
  } cases[] = {
      // clang-format off
      {'d', 0, 4, {"0.0", "1.1", "2.2", "3.0"}}, {'d', 2, 2, same}, {'d', -1, -1, same},
      {'l', 0, 0, same}, {'r', 3, 3, same}, {'r', 1, 1, same}, {'r', 0, 1, {"1.1", "0.0", "2.2"}},
      {'l', 1, 0, {"1.1", "0.0", "2.2"}}, {'x', 2, 2, same}, {'x', 0, 0, {"1.1", "2.2"}},
      {'x', 3, 0, {"0.0", "1.1"}},
      // clang-format on
  };
  for (const auto& c : cases) {
    Project p = HeroAndCoin();
    const int got = c.op == 'd'   ? DuplicateFrame(p, "hero", c.current)
                    : c.op == 'x' ? DeleteFrame(p, "hero", c.current)
                                  : MoveFrame(p, "hero", c.current, c.op == 'r');
    EXPECT_EQ(got, c.returns) << c.op << c.current;
    EXPECT_EQ(Numbers(p, "hero"), c.hero) << c.op << c.current;
    EXPECT_EQ(Numbers(p, "coin"), Files{"0.9"});
  }
  Project project = HeroAndCoin();
  for (int i : {0, 0}) DeleteFrame(project, "hero", i);
  EXPECT_EQ(DeleteFrame(project, "hero", 1), -1);  // the last one
}

// Every change of size refuses sides outside 1..kMaxFrameSide and changes
// nothing; "Create new sprite" leaves one see-through frame "0".
TEST(FrameSizes, RefusedSizesAndNewSprite) {
  Project project = HeroAndCoin();
  for (auto [w, h] : {std::pair(0, 5), std::pair(5, kMaxFrameSide + 1), std::pair(-1, 1)}) {
    EXPECT_EQ(NewSpriteFrames(project, "hero", w, h), -1);
    EXPECT_FALSE(ResizeFrameCanvas(project, "hero", w, h));
    EXPECT_FALSE(StretchFrames(project, "hero", h, w, true));
  }
  EXPECT_EQ(Pictures(project), Pictures(HeroAndCoin()));
  EXPECT_EQ(NewSpriteFrames(project, "hero", 5, 3), 1);
  EXPECT_EQ(Numbers(project, "coin"), Files{"0.9"});
  EXPECT_EQ(project.frames[1].file + ".", "0.");
  EXPECT_EQ(*project.frames[1].image, Image::Transparent(5, 3));
  EXPECT_EQ(project.frames[NewSpriteFrames(project, "hero", kMaxFrameSide, 1)].image->width(),
            kMaxFrameSide);
}

// Adding a picture to frames (after another sprite's frame): the first,
// or one of the last frame's size, goes in as it is (24-bit too); else
// Keep redraws the picture at the last frame's size and ResizeAll every old
// frame at the picture's size, placed at (0, 0), centred in whole halves by
// the last frame's size, or stretched (the picture smoothed, old frames to
// the nearest pixel). Old frames come out 32-bit.
TEST(AddFramePicture, KeepOrResizeAllPlacesAsAsked) {
  using F = FrameFit;
  using P = FramePlacement;
  const Image a = Numbered(2, 2, true, 0), b = Numbered(4, 4, false, 1), n53 = Numbered(5, 3, true);
  const Image small = Numbered(2, 1, true), big = Numbered(7, 4, true),
              opaque = Image::Opaque(3, 2);
  const Image ramp = Row({Rgba(0, 0, 0), Rgba(200, 200, 200)}), clear = Image::Transparent(4, 1);
  const Image row0 = Row({Rgba(1, 1, 0), Rgba(11, 1, 0)}),
              row1 = Row({Rgba(1, 1, 1), Rgba(11, 1, 1)});
  const struct {
    Images frames;
    Image picture;
    FrameFit fit;
    FramePlacement placement;
    Images expected;
  } cases[] = {
      // clang-format off
      {{}, opaque, F::ResizeAll, P::Stretch, {opaque}},
      {{opaque}, Numbered(3, 2, true), F::Keep, P::Centre, {opaque, Numbered(3, 2, true)}},
      {{a, n53}, small, F::Keep, P::TopLeft, {a, n53, At(small, 5, 3, 0, 0)}},
      {{n53}, small, F::Keep, P::Centre, {n53, At(small, 5, 3, 1, 1)}},  // 5/2 - 2/2, 3/2 - 1/2
      {{n53}, big, F::Keep, P::Centre, {n53, At(big, 5, 3, -1, -1)}},
      {{clear}, ramp, F::Keep, P::Stretch, {clear, Row({Rgba(0, 0, 0), Rgba(50, 50, 50), Rgba(150, 150, 150), Rgba(200, 200, 200)})}},
      {{row0, row1}, Image::Opaque(4, 1), F::ResizeAll, P::Stretch,
       {Row({Rgba(1, 1, 0), Rgba(1, 1, 0), Rgba(11, 1, 0), Rgba(11, 1, 0)}),
        Row({Rgba(1, 1, 1), Rgba(1, 1, 1), Rgba(11, 1, 1), Rgba(11, 1, 1)}), Image::Opaque(4, 1)}},
      {{a, b}, Image::Opaque(6, 6), F::ResizeAll, P::Centre, {At(a, 6, 6, 1, 1), At(b, 6, 6, 1, 1), Image::Opaque(6, 6)}},
      {{b}, opaque, F::ResizeAll, P::TopLeft, {At(b, 3, 2, 0, 0), opaque}},
      // clang-format on
  };
  for (const auto& c : cases) {
    Project project = Frames({{"0", "coin", Numbered(3, 3, true, 9)}});
    for (const Image& frame : c.frames) AppendFrame(project, "hero", frame);
    const int added = AddFramePicture(project, "hero", c.picture, c.fit, c.placement);
    EXPECT_EQ(project.frames[added].file, std::to_string(c.frames.size()));
    Images expected = c.expected;
    expected.insert(expected.begin(), Numbered(3, 3, true, 9));
    EXPECT_EQ(Pictures(project), expected)
        << c.frames.size() << " " << int(c.fit) << int(c.placement);
  }
}

// The PNG strip: frames side by side at the last frame's width, wider ones
// covered and taller ones cut; null without frames or an empty last one.
TEST(FrameStrip, FramesSideBySideAtTheLastFramesWidth) {
  Project project = Frames({{"0", "hero", Row({Rgba(1, 1, 0), Rgba(2, 1, 0), Rgba(3, 1, 0)})},
                            {"0", "coin", Numbered(2, 1, true, 9)},
                            {"1", "hero", Solid(1, 2, Rgba(1, 1, 1))},
                            {"2", "hero", Row({Rgba(1, 1, 2), Rgba(2, 1, 2)})}});
  EXPECT_TRUE(FrameStrip(Project{}, "hero").is_null());
  EXPECT_EQ(FrameStrip(project, "hero"), Row({Rgba(1, 1, 0), Rgba(2, 1, 0), Rgba(1, 1, 1), kClear,
                                              Rgba(1, 1, 2), Rgba(2, 1, 2)}));
  project.frames.back().image = ShareImage(Image());
  EXPECT_TRUE(FrameStrip(project, "hero").is_null());
}

// Resize canvas centres each frame by its own size; Stretch smooths only
// when asked; "Keep aspect ratio" rounds halves away from zero.
TEST(FrameSizes, ResizeCanvasAndStretch) {
  const Image a = Numbered(32, 32, true, 0), b = Numbered(30, 31, true, 1),
              coin = Numbered(3, 3, true, 9);
  Project project = Frames({{"0", "hero", a}, {"0", "coin", coin}, {"1", "hero", b}});
  ASSERT_TRUE(ResizeFrameCanvas(project, "hero", 33, 34));
  EXPECT_EQ(Pictures(project), (Images{At(a, 33, 34, 0, 1), coin, At(b, 33, 34, 1, 2)}));
  ASSERT_TRUE(ResizeFrameCanvas(project, "hero", 2, 3));  // cropped around the centre
  EXPECT_EQ(*project.frames[0].image, At(a, 2, 3, -15, -15));

  const Image ramp = Row({Rgba(0, 0, 0), Rgba(200, 200, 200)});
  for (bool smooth : {false, true}) {
    project.frames[0].image = ShareImage(ramp);
    ASSERT_TRUE(StretchFrames(project, "hero", 4, 1, smooth));
    EXPECT_EQ(project.frames[0].image->Pixel(1, 0), smooth ? Rgba(50, 50, 50) : Rgba(0, 0, 0));
  }
  EXPECT_EQ(*project.frames[1].image, coin);
  EXPECT_EQ(KeepAspect(32, 64, 100), 50);
  EXPECT_EQ(KeepAspect(30, 20, 15), 23);
  EXPECT_EQ(KeepAspect(10, 0, 5), 0);
}

// An effect runs on the current frame or every frame of the sprite, each
// read at the current frame's size (see-through where it is smaller).
TEST(ApplyToFrames, EachFrameAtTheCurrentFramesSize) {
  const Image small = Image::Opaque(2, 2), current = Numbered(3, 3, true, 1),
              wide = Numbered(4, 1, true, 2);
  Project project = Frames({{"0", "hero", small},
                            {"0", "coin", Numbered(3, 3, true, 9)},
                            {"1", "hero", current},
                            {"2", "hero", wide}});
  Images seen;
  const auto record = [&seen](const Image& image) {
    seen.push_back(image);
    return Invert(image);
  };
  ApplyToFrames(project, "hero", 1, true, record);  // coin's frame: nothing
  ApplyToFrames(project, "hero", 7, true, record);
  ApplyToFrames(project, "hero", 2, false, record);
  EXPECT_EQ(seen, Images{current});
  project.frames[2].image = ShareImage(current);
  seen.clear();
  ApplyToFrames(project, "hero", 2, true, record);
  const Images read = {At(Solid(2, 2, Rgba(0, 0, 0)), 3, 3, 0, 0), current, At(wide, 3, 3, 0, 0)};
  EXPECT_EQ(seen, read);
  EXPECT_EQ(Pictures(project),
            (Images{Invert(read[0]), Numbered(3, 3, true, 9), Invert(read[1]), Invert(read[2])}));
}

// The strip import: the cells, row by row with what is left over dropped,
// replace the frames (numbered from 0); origin and collision fit one cell,
// and the card shows the first; bad counts change nothing.
TEST(ImportStrip, CellsReplaceTheFramesAndSetTheOriginAndCollision) {
  Project project = HeroAndCoin();
  project.sprites[0].centerx = 7;
  const Project before = project;
  const Image strip = Numbered(11, 6, false);  // 2 x 2 cells of 5 x 3, a column left over
  for (auto [columns, rows] :
       {std::pair(0, 2), std::pair(2, 0), std::pair(12, 1), std::pair(1, 2000000000)})
    EXPECT_FALSE(ImportStrip(project, 0, strip, columns, rows));
  EXPECT_EQ(project.frames, before.frames);
  EXPECT_EQ(project.sprites, before.sprites);

  ASSERT_TRUE(ImportStrip(project, 0, strip, 2, 2));
  EXPECT_EQ(Numbers(project, "hero"), (Files{"0.7", "1.7", "2.7", "3.7"}));
  EXPECT_EQ(Pictures(project),
            (Images{Numbered(2, 2, true, 9), At(strip, 5, 3, 0, 0), At(strip, 5, 3, -5, 0),
                    At(strip, 5, 3, 0, -3), At(strip, 5, 3, -5, -3)}));
  const Sprite& hero = project.sprites[0];
  EXPECT_EQ((std::vector{hero.centerx, hero.centery, hero.collisionleft, hero.collisiontop,
                         hero.collisionright, hero.collisionbottom, hero.collisionradius}),
            (std::vector{0, 0, 0, 0, 5, 3, 2}));
  EXPECT_EQ(project.sprites[1].collisionright, before.sprites[1].collisionright);
  EXPECT_EQ(*project.cards.sprites[hero.name].card, MakeCard(project.frames[1].image.get()));
  // More cells than pixels are null.
  EXPECT_TRUE(CutStrip(strip, 0, 1).empty());
  EXPECT_TRUE(CutStrip(strip, 12, 1)[11].is_null());
}

}  // namespace
}  // namespace vorlane
