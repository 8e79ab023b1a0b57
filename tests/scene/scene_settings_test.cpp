#include "scene/scene_settings.h"

#include <gtest/gtest.h>

namespace vorlane {
namespace {

using Errors = std::vector<std::string>;

Project TwoScenes() {
  Project project;
  project.scenes = {Scene{.name = "hall"}, Scene{.name = "yard"}};
  project.objects = {GameObject{.prototype = 0, .name = "SceneObject1", .scene = "hall"},
                     GameObject{.prototype = 0, .name = "SceneObject2", .scene = "yard"}};
  project.layers.push_back(Layer{"layer_3", 1000000, "hall"});
  project.tiles.push_back(Tile{.name = "tile_4", .scene = "hall"});
  return project;
}

SceneFields Fields(const std::string& name, const std::string& speed) {
  return SceneFields{name, "800", "600", "320", "240", "obj_player", "16", "8", speed, "bg_sky"};
}

// "Done" checks the name and the speed (above 1) together; a good one of
// them is stored at once (the scene's records following a new name), the
// other fields only when both are good.
TEST(SceneSettings, NameAndSpeedAreCheckedTogetherAndTheRestWaits) {
  Project project = TwoScenes();
  EXPECT_EQ(StoreSceneSettings(project, 0, Fields("", "")),
            (Errors{"The scene name is missing", "Invalid scene speed value"}));
  EXPECT_EQ(project.modified, 1);
  EXPECT_EQ(StoreSceneSettings(project, 0, Fields("yard", "30")),
            (Errors{"The scene name 'yard' already exists"}));
  EXPECT_EQ(project.scenes[0].speed, 30);
  EXPECT_EQ(StoreSceneSettings(project, 0, Fields("cellar", "1")),
            (Errors{"Invalid scene speed value"}));
  EXPECT_EQ((Errors{project.scenes[0].name, project.objects[0].scene, project.objects[1].scene,
                    project.layers[0].scene, project.tiles[0].scene}),
            (Errors{"cellar", "cellar", "yard", "cellar", "cellar"}));
  EXPECT_EQ(project.scenes[0].width, 640);  // nothing else yet

  EXPECT_EQ(StoreSceneSettings(project, 0, Fields("cellar", "2")), Errors{});  // its own name
  const Scene& s = project.scenes[0];
  EXPECT_EQ((std::vector{s.speed, s.width, s.height, s.viewportwidth, s.viewportheight,
                         s.viewportxborder, s.viewportyborder}),
            (std::vector{2, 800, 600, 320, 240, 16, 8}));
  EXPECT_EQ((Errors{s.viewportobject, s.background}), (Errors{"obj_player", "bg_sky"}));
}

// The scene's pictures fit it into their box, shape kept, top left; a huge
// scene is sampled instead of drawn whole.
TEST(SceneSettings, PicturesFitTheSceneAndSampleHugeOnes) {
  Project project;
  project.scenes.push_back(Scene{.name = "wide", .width = 400, .height = 100, .red = 9});
  const SceneViewState state;
  const Image small = ScenePicture(project, project.scenes[0], state, 80, 80);
  EXPECT_EQ(small.Pixel(79, 19), (Color{9, 0, 0, 255}));
  EXPECT_EQ(small.Pixel(79, 20).a, 0);
  EXPECT_EQ(SceneCard(project, project.scenes[0], state).Pixel(35 + 79, 10 + 19),
            (Color{9, 0, 0, 255}));
  EXPECT_EQ(ProjectPicture(project, project.scenes[0], state).Pixel(10, 200),
            (Color{0, 0, 0, 255}));
  // 30000 x 30000 would need 3.6 GB drawn whole.
  project.scenes[0] = Scene{.name = "huge", .width = 30000, .height = 30000, .green = 7};
  const Image huge = ScenePicture(project, project.scenes[0], state, 80, 80);
  EXPECT_EQ(huge.Pixel(0, 0), (Color{0, 7, 0, 255}));
  EXPECT_EQ(huge.Pixel(79, 79), (Color{0, 7, 0, 255}));
}

}  // namespace
}  // namespace vorlane
