#include "scene/instance_edits.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "image/test_pictures.h"
#include "scene/rotate_image.h"

namespace vorlane {
namespace {

using Names = std::vector<std::string>;
using namespace test;

// A scene "hall" with obj_box (sprite spr_box: 10 x 10 with a 20 x 4
// second frame, origin (2, 2), depth 5) and obj_ghost (no sprite), and
// instances of each at (40, 50): frames from (38, 48), the marker from (33, 43).
Project Hall() {
  Project project;
  project.uid = 100;
  project.scenes.push_back(Scene{.name = "hall"});
  project.sprites.push_back(Sprite{.name = "spr_box", .centerx = 2, .centery = 2});
  project.frames.push_back(Frame{"0", "spr_box", ShareImage(Image::Transparent(10, 10))});
  project.frames.push_back(Frame{"1", "spr_box", ShareImage(Image::Transparent(20, 4))});
  project.objects.push_back(GameObject{.name = "obj_box", .sprite = "spr_box", .depth = 5});
  project.objects.push_back(GameObject{.name = "obj_ghost"});
  PlaceInstance(project, "hall", "obj_box", 40, 50);
  PlaceInstance(project, "hall", "obj_ghost", 40, 50);
  return project;
}

// Placing names the instance after the next uid and gives it the object's
// sprite and depth.
TEST(InstanceEdits, PlacingMakesANamedInstanceWithTheObjectsSpriteAndDepth) {
  Project project = Hall();
  EXPECT_EQ(PlaceInstance(project, "hall", "obj_missing", 1, 2), -1);
  const GameObject &box = project.objects[2], &ghost = project.objects[3];
  EXPECT_EQ((Names{box.name, box.template_, box.scene, box.sprite, ghost.name}),
            (Names{"SceneObject101", "obj_box", "hall", "spr_box", "SceneObject102"}));
  EXPECT_EQ((std::vector{box.prototype, box.depth, box.x, box.y}), (std::vector{0, 5, 40, 50}));
}

// A point hits the box of any frame from the origin, or the marker's box,
// bounds included, in the scene asked for only.
TEST(InstanceEdits, HitsUseEveryFrameFromTheOriginWithBoundsIncluded) {
  Project project = Hall();
  PlaceInstance(project, "other", "obj_box", 40, 50);
  const struct {
    int x, y;
    std::vector<int> hits;
  } cases[] = {{38, 48, {2, 3}}, {48, 58, {2, 3}}, {58, 52, {2}}, {33, 43, {3}}, {48, 58, {2, 3}},
               {59, 52, {}},     {32, 50, {}},     {37, 58, {3}}, {39, 59, {}}};
  for (const auto& c : cases)
    EXPECT_EQ(HitInstances(project, "hall", c.x, c.y), c.hits) << c.x << "," << c.y;
}

// A click toggles every hit instance with a picture and stops at the first
// without one; moves take the selected only, stopping at the int range.
TEST(InstanceEdits, SelectToggleAndMove) {
  Project project = Hall();
  PlaceInstance(project, "hall", "obj_ghost", 41, 50);
  std::unordered_set<std::string> selected{"SceneObject104"};  // gone, or in another scene
  SelectInstancesAt(project, "hall", 40, 50, selected);
  EXPECT_EQ(SelectedInstances(project, "hall", selected),
            (Names{"SceneObject101", "SceneObject102"}));
  SelectInstancesAt(project, "hall", 40, 50, selected);
  EXPECT_TRUE(SelectedInstances(project, "hall", selected).empty());
  SelectInstancesAt(project, "hall", 41, 50, selected);
  EXPECT_EQ(FirstSelectedInstance(project, "hall", selected), 2);
  MoveSelectedInstances(project, "hall", selected, 20, -20);
  EXPECT_EQ((std::vector{project.objects[2].x, project.objects[3].y, project.objects[4].y}),
            (std::vector{60, 30, 50}));
  MoveSelectedInstances(project, "hall", selected, INT_MAX, INT_MIN);
  ShiftInstances(project, "hall", 1, INT_MIN);
  EXPECT_EQ((std::vector{project.objects[2].x, project.objects[2].y}),
            (std::vector{INT_MAX, INT_MIN}));
  EXPECT_EQ(project.objects[4].x, 42);
}

// Removing takes every hit instance and the scripts keyed by its name;
// deleting all takes the scene's instances only.
TEST(InstanceEdits, RemovingTakesEveryHitInstanceAndWhatIsKeyedByIt) {
  Project project = Hall();
  PlaceInstance(project, "hall", "obj_box", 200, 200);
  PlaceInstance(project, "other", "obj_box", 40, 50);
  project.scripts = {Script{"scr_1", "SceneObject101", "Step", "", ""},
                     Script{"scr_2", "obj_box", "Step", "", ""}};
  EXPECT_EQ(RemoveInstancesAt(project, "hall", 41, 50), 2);
  EXPECT_EQ(project.objects.size(), 4u);
  EXPECT_EQ(project.objects[2].name, "SceneObject103");
  EXPECT_EQ(project.scripts.size(), 1u);
  DeleteAllInstances(project, "hall");
  EXPECT_EQ(project.objects.back().scene, "other");
  EXPECT_EQ(project.objects.size(), 3u);
}

// The properties window's OK reads leading numbers.
TEST(InstanceEdits, PropertiesReadLeadingNumbers) {
  Project project = Hall();
  StoreInstanceProperties(project, 2, "12", "abc", "-90", "90");
  const GameObject& instance = project.objects[2];
  EXPECT_EQ((std::vector{instance.x, instance.y, instance.direction, instance.image_angle}),
            (std::vector{12, 0, -90, 90}));
  EXPECT_EQ(project.modified, 1);
  StoreInstanceProperties(project, 2, "1", "2", "3", "0");
  EXPECT_EQ(InstanceStatus(instance), "[obj_box] x:1 y:2");
}

// The turned pictures of instances.
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
  EXPECT_EQ(RotateImage(Solid(8, 8, Rgba(50, 60, 70)), -45, false, kWhite).Pixel(0, 0), kClear);
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
