#include "scene/instance_edits.h"

#include <gtest/gtest.h>

#include <climits>

namespace vorlane {
namespace {

using Names = std::vector<std::string>;

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
// sprite, first frame and depth, or the 15 x 15 marker without a picture.
TEST(InstanceEdits, PlacingMakesANamedInstanceWithTheObjectsPictureAndDepth) {
  Project project = Hall();
  EXPECT_EQ(PlaceInstance(project, "hall", "obj_missing", 1, 2), -1);
  const GameObject& box = project.objects[2];
  EXPECT_EQ((Names{box.name, box.template_, box.scene, box.sprite}),
            (Names{"SceneObject101", "obj_box", "hall", "spr_box"}));
  EXPECT_EQ((std::vector{box.prototype, box.depth, box.x, box.y, box.imagewidth}),
            (std::vector{0, 5, 40, 50, 10}));
  EXPECT_EQ(box.image, project.frames[0].image);
  EXPECT_EQ(box.displayimage, box.image);
  const GameObject& ghost = project.objects[3];
  EXPECT_EQ(ghost.name, "SceneObject102");
  EXPECT_EQ(ghost.image, nullptr);
  EXPECT_EQ(ghost.imagewidth, 15);
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
  SelectInstancesAt(project, "hall", 40, 50);
  EXPECT_EQ(SelectedInstances(project, "hall"), (Names{"SceneObject101", "SceneObject102"}));
  SelectInstancesAt(project, "hall", 40, 50);
  EXPECT_TRUE(SelectedInstances(project, "hall").empty());
  SelectInstancesAt(project, "hall", 41, 50);
  EXPECT_EQ(FirstSelectedInstance(project, "hall"), 2);
  MoveSelectedInstances(project, "hall", 20, -20);
  EXPECT_EQ((std::vector{project.objects[2].x, project.objects[3].y, project.objects[4].y}),
            (std::vector{60, 30, 50}));
  MoveSelectedInstances(project, "hall", INT_MAX, INT_MIN);
  ShiftInstances(project, "hall", 1, INT_MIN);
  EXPECT_EQ((std::vector{project.objects[2].x, project.objects[2].y}),
            (std::vector{INT_MAX, INT_MIN}));
  EXPECT_EQ(project.objects[4].x, 42);
  project.objects[PlaceInstance(project, "yard", "obj_box", 0, 0)].selected = 1;
  ClearInstanceSelection(project);  // in every scene
  EXPECT_EQ(FirstSelectedInstance(project, "hall") + FirstSelectedInstance(project, "yard"), -2);
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

// The properties window's OK reads leading numbers and turns the picture.
TEST(InstanceEdits, PropertiesReadLeadingNumbersAndTurnThePicture) {
  Project project = Hall();
  StoreInstanceProperties(project, 2, "12", "abc", "-90", "90");
  const GameObject& instance = project.objects[2];
  EXPECT_EQ((std::vector{instance.x, instance.y, instance.direction, instance.image_angle}),
            (std::vector{12, 0, -90, 90}));
  EXPECT_EQ(instance.displayimage->width() * 100 + instance.displayimage->height(), 1010);
  EXPECT_NE(instance.displayimage, instance.image);
  EXPECT_EQ(project.modified, 1);
  StoreInstanceProperties(project, 2, "1", "2", "3", "0");
  EXPECT_EQ(instance.displayimage, instance.image);  // unturned again
  EXPECT_EQ(InstanceStatus(instance), "[obj_box] x:1 y:2");
}

}  // namespace
}  // namespace vorlane
