#include "scene/scene_settings.h"

#include <gtest/gtest.h>

namespace vorlane {
namespace {

Project TwoScenes() {
  Project project;
  project.scenes.push_back(Scene{.name = "hall"});
  project.scenes.push_back(Scene{.name = "yard"});
  project.objects.push_back(GameObject{.prototype = 0, .name = "SceneObject1", .scene = "hall"});
  project.objects.push_back(GameObject{.prototype = 0, .name = "SceneObject2", .scene = "yard"});
  project.layers.push_back(Layer{"layer_3", 1000000, "hall"});
  project.tiles.push_back(Tile{.name = "tile_4", .scene = "hall"});
  return project;
}

SceneFields Fields(const std::string& name, const std::string& speed) {
  return SceneFields{.name = name,
                     .width = "800",
                     .height = "600",
                     .viewport_width = "320",
                     .viewport_height = "240",
                     .follow = "obj_player",
                     .margin_x = "16",
                     .margin_y = "8",
                     .speed = speed,
                     .background = "bg_sky"};
}

TEST(SceneSettings, NameAndSpeedAreCheckedTogetherAndAGoodNameStays) {
  Project project = TwoScenes();
  using Errors = std::vector<std::string>;
  EXPECT_EQ(StoreSceneSettings(project, 0, Fields("", "")),
            (Errors{"The scene name is missing", "Invalid scene speed value"}));
  EXPECT_EQ(project.modified, 1);
  EXPECT_EQ(StoreSceneSettings(project, 0, Fields("yard", "30")),
            (Errors{"The scene name 'yard' already exists"}));
  EXPECT_EQ(project.scenes[0].speed, 30);  // a good speed is stored even so
  EXPECT_EQ(StoreSceneSettings(project, 0, Fields("cellar", "1")),
            (Errors{"Invalid scene speed value"}));
  // The name was good: it stays, and the scene's records follow it.
  EXPECT_EQ(project.scenes[0].name, "cellar");
  EXPECT_EQ(project.objects[0].scene, "cellar");
  EXPECT_EQ(project.objects[1].scene, "yard");
  EXPECT_EQ(project.layers[0].scene, "cellar");
  EXPECT_EQ(project.tiles[0].scene, "cellar");
  EXPECT_EQ(project.scenes[0].width, 640);  // nothing else yet
}

TEST(SceneSettings, DoneStoresEveryFieldWhenAllIsWell) {
  Project project = TwoScenes();
  EXPECT_TRUE(StoreSceneSettings(project, 0, Fields("hall", "2")).empty());  // its own name
  const Scene& scene = project.scenes[0];
  EXPECT_EQ(scene.speed, 2);
  EXPECT_EQ(scene.width, 800);
  EXPECT_EQ(scene.viewportheight, 240);
  EXPECT_EQ(scene.viewportobject, "obj_player");
  EXPECT_EQ(scene.viewportxborder, 16);
  EXPECT_EQ(scene.viewportyborder, 8);
  EXPECT_EQ(scene.background, "bg_sky");
}

TEST(SceneSettings, PicturesFitTheSceneAndSampleHugeOnes) {
  Project project;
  project.scenes.push_back(Scene{.name = "wide", .width = 400, .height = 100, .red = 9});
  const SceneViewState state;
  const Image small = ScenePicture(project, project.scenes[0], state, 80, 80);
  EXPECT_EQ(small.Pixel(79, 19), (Color{9, 0, 0, 255}));
  EXPECT_EQ(small.Pixel(79, 20).a, 0);  // below the fitted picture
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
