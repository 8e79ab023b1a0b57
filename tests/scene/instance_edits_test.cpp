#include "scene/instance_edits.h"

#include <gtest/gtest.h>

#include <climits>

namespace vorlane {
namespace {

// A scene "hall" with obj_box (sprite spr_box: 10 x 10 with a 20 x 4
// second frame, origin (2, 2), depth 5) and obj_ghost (no sprite).
Project Hall() {
  Project project;
  project.uid = 100;
  project.scenes.push_back(Scene{.name = "hall"});
  project.sprites.push_back(Sprite{.name = "spr_box", .centerx = 2, .centery = 2});
  project.frames.push_back(Frame{"0", "spr_box", ShareImage(Image::Transparent(10, 10))});
  project.frames.push_back(Frame{"1", "spr_box", ShareImage(Image::Transparent(20, 4))});
  project.objects.push_back(GameObject{.name = "obj_box", .sprite = "spr_box", .depth = 5});
  project.objects.push_back(GameObject{.name = "obj_ghost"});
  return project;
}

TEST(InstanceEdits, PlacingMakesANamedInstanceWithTheObjectsPictureAndDepth) {
  Project project = Hall();
  const int box = PlaceInstance(project, "hall", "obj_box", 40, 50);
  const int ghost = PlaceInstance(project, "hall", "obj_ghost", 1, 2);
  EXPECT_EQ(PlaceInstance(project, "hall", "obj_missing", 1, 2), -1);
  const GameObject& placed = project.objects[static_cast<size_t>(box)];
  EXPECT_EQ(placed.name, "SceneObject101");
  EXPECT_EQ(placed.prototype, 0);
  EXPECT_EQ(placed.template_, "obj_box");
  EXPECT_EQ(placed.scene, "hall");
  EXPECT_EQ(placed.depth, 5);
  EXPECT_EQ(placed.imagewidth, 10);
  EXPECT_EQ(placed.displayimage, placed.image);
  const GameObject& bare = project.objects[static_cast<size_t>(ghost)];
  EXPECT_EQ(bare.name, "SceneObject102");
  EXPECT_EQ(bare.image, nullptr);
  EXPECT_EQ(bare.imagewidth, 15);
}

TEST(InstanceEdits, HitsUseEveryFrameFromTheOriginWithBoundsIncluded) {
  Project project = Hall();
  PlaceInstance(project, "hall", "obj_box", 40, 50);    // frames from (38, 48)
  PlaceInstance(project, "hall", "obj_ghost", 40, 50);  // marker from (33, 43)
  PlaceInstance(project, "other", "obj_box", 40, 50);
  EXPECT_EQ(HitInstances(project, "hall", 38, 48), (std::vector<int>{2, 3}));
  EXPECT_EQ(HitInstances(project, "hall", 48, 58), (std::vector<int>{2, 3}));  // 38 + 10 is in
  EXPECT_EQ(HitInstances(project, "hall", 58, 52), (std::vector<int>{2}));     // the wide frame
  EXPECT_EQ(HitInstances(project, "hall", 33, 43), (std::vector<int>{3}));
  EXPECT_TRUE(HitInstances(project, "hall", 59, 52).empty());
}

TEST(InstanceEdits, SelectTogglesAndStopsAtAnInstanceWithoutPicture) {
  Project project = Hall();
  PlaceInstance(project, "hall", "obj_box", 40, 50);
  PlaceInstance(project, "hall", "obj_ghost", 40, 50);
  PlaceInstance(project, "hall", "obj_ghost", 41, 50);
  SelectInstancesAt(project, "hall", 40, 50);
  EXPECT_EQ(SelectedInstances(project, "hall"),
            (std::vector<std::string>{"SceneObject101", "SceneObject102"}));
  SelectInstancesAt(project, "hall", 40, 50);
  EXPECT_TRUE(SelectedInstances(project, "hall").empty());

  SelectInstancesAt(project, "hall", 41, 50);
  MoveSelectedInstances(project, "hall", 20, -20);
  EXPECT_EQ(project.objects[2].x, 60);
  EXPECT_EQ(project.objects[4].y, 50);  // not selected
  EXPECT_EQ(FirstSelectedInstance(project, "hall"), 2);
  // Positions stop at the ends of the int range.
  MoveSelectedInstances(project, "hall", INT_MAX, INT_MIN);
  ShiftInstances(project, "hall", 1, INT_MIN);
  EXPECT_EQ(project.objects[2].x, INT_MAX);
  EXPECT_EQ(project.objects[2].y, INT_MIN);
  const int elsewhere = PlaceInstance(project, "yard", "obj_box", 0, 0);
  project.objects[static_cast<size_t>(elsewhere)].selected = 1;
  ClearInstanceSelection(project);  // in every scene
  EXPECT_EQ(FirstSelectedInstance(project, "hall"), -1);
  EXPECT_EQ(FirstSelectedInstance(project, "yard"), -1);
}

TEST(InstanceEdits, RemovingTakesEveryHitInstanceAndWhatIsKeyedByIt) {
  Project project = Hall();
  PlaceInstance(project, "hall", "obj_box", 40, 50);
  PlaceInstance(project, "hall", "obj_box", 42, 50);
  PlaceInstance(project, "hall", "obj_box", 200, 200);
  PlaceInstance(project, "other", "obj_box", 40, 50);
  project.scripts.push_back(Script{"scr_1", "SceneObject101", "Step", "", ""});
  project.scripts.push_back(Script{"scr_2", "obj_box", "Step", "", ""});
  EXPECT_EQ(RemoveInstancesAt(project, "hall", 41, 50), 2);
  ASSERT_EQ(project.objects.size(), 4u);
  EXPECT_EQ(project.objects[2].name, "SceneObject103");
  EXPECT_EQ(project.scripts.size(), 1u);
  DeleteAllInstances(project, "hall");
  EXPECT_EQ(project.objects.size(), 3u);  // the two objects and the other scene's instance
}

TEST(InstanceEdits, PropertiesReadLeadingNumbersAndTurnThePicture) {
  Project project = Hall();
  const int index = PlaceInstance(project, "hall", "obj_box", 40, 50);
  StoreInstanceProperties(project, index, "12", "abc", "-90", "90");
  const GameObject& instance = project.objects[static_cast<size_t>(index)];
  EXPECT_EQ(instance.x, 12);
  EXPECT_EQ(instance.y, 0);
  EXPECT_EQ(instance.direction, -90);
  EXPECT_NE(instance.displayimage, instance.image);
  EXPECT_EQ(project.modified, 1);
  StoreInstanceProperties(project, index, "1", "2", "3", "0");
  EXPECT_EQ(project.objects[static_cast<size_t>(index)].displayimage,
            project.objects[static_cast<size_t>(index)].image);  // unturned again
  EXPECT_EQ(InstanceStatus(project.objects[static_cast<size_t>(index)]), "[obj_box] x:1 y:2");
}

}  // namespace
}  // namespace vorlane
