#include "project/rename.h"

#include <gtest/gtest.h>

namespace vorlane {
namespace {

// A scene "level" with an instance of "player", whose view follows it; an
// "enemy" whose parent is "player" and which collides with it; a tile set.
Project Game() {
  Project p;
  p.sprites.push_back({.name = "hero"});
  p.sprites.push_back({.name = "other"});
  p.frames.push_back({.file = "0", .sprite = "hero", .image = ShareImage(Image::Opaque(4, 3))});
  p.frames.push_back({.file = "1", .sprite = "hero", .image = ShareImage(Image::Opaque(4, 3))});
  p.backgrounds.push_back({.name = "tiles"});
  p.objects.push_back({.name = "player", .sprite = "hero"});
  p.objects.push_back({.name = "enemy", .parent = "player"});
  p.objects.push_back({.prototype = 0, .template_ = "player", .name = "SceneObject9",
                       .sprite = "hero", .scene = "level"});
  p.scripts.push_back({"scr_1", "player", "Step", "", "x += 1;"});
  p.scripts.push_back({"scr_2", "enemy", "Collision", "player", ""});
  p.scenes.push_back({.name = "level", .background = "tiles", .viewportobject = "player"});
  p.scenes.push_back({.name = "menu"});
  p.layers.push_back({"layer_1", 1000000, "level"});
  p.tiles.push_back({.name = "tile_1", .background = "tiles", .scene = "level"});
  p.sounds.push_back({"beep", "beep.wav", "", ""});
  return p;
}

TEST(Rename, NameChecksUseTheKindsWordAndLeaveTheRecordItselfOut) {
  const Project p = Game();
  EXPECT_EQ(CheckResourceName(p, ResourceKind::Sprite, "", 0), "The sprite name is missing");
  EXPECT_EQ(CheckResourceName(p, ResourceKind::Scene, "menu", 0),
            "The scene name 'menu' already exists");
  EXPECT_EQ(CheckResourceName(p, ResourceKind::Scene, "level", 0), "");  // unchanged name
  EXPECT_EQ(CheckResourceName(p, ResourceKind::Scene, "Menu", 0), "");   // case matters
  EXPECT_EQ(CheckResourceName(p, ResourceKind::Sound, "hero", 0), "");   // other kinds don't count
  // Objects share their list with instances: an instance's name is taken.
  EXPECT_EQ(CheckResourceName(p, ResourceKind::Object, "SceneObject9", 0),
            "The object name 'SceneObject9' already exists");
  EXPECT_EQ(CheckResourceName(p, ResourceKind::Function, "", -1), "The function name is missing");
}

TEST(Rename, ObjectIsFollowedByScriptsInstancesParentsCollisionsAndViews) {
  Project p = Game();
  Project expected = p;
  expected.objects[0].name = expected.objects[1].parent = expected.objects[2].template_ = "hero1";
  expected.scripts[0].object = expected.scripts[1].parameter = "hero1";
  expected.scenes[0].viewportobject = "hero1";
  RenameResource(p, ResourceKind::Object, ResourceIndex(p, ResourceKind::Object, "player"), "hero1");
  EXPECT_EQ(p.objects, expected.objects);
  EXPECT_EQ(p.scripts, expected.scripts);
  EXPECT_EQ(p.scenes, expected.scenes);
}

TEST(Rename, SpriteIsFollowedByFramesAndEveryObjectWithItsPicture) {
  Project p = Game();
  p.objects[0].image = nullptr;  // pictures are set again from the first frame
  Project expected = p;
  expected.sprites[0].name = expected.frames[0].sprite = expected.frames[1].sprite = "ship";
  for (int i : {0, 2}) {
    expected.objects[i].sprite = "ship";
    expected.objects[i].image = p.frames[0].image;
    expected.objects[i].imagewidth = 4;
    expected.objects[i].imageheight = 3;
  }
  RenameResource(p, ResourceKind::Sprite, 0, "ship");
  EXPECT_EQ(p.sprites, expected.sprites);
  EXPECT_EQ(p.frames, expected.frames);
  EXPECT_EQ(p.objects, expected.objects);
}

TEST(Rename, BackgroundAndSceneAreFollowedByWhatUsesThem) {
  Project p = Game();
  Project expected = p;
  expected.backgrounds[0].name = expected.scenes[0].background = expected.tiles[0].background = "bricks";
  expected.scenes[0].name = expected.objects[2].scene = expected.layers[0].scene =
      expected.tiles[0].scene = "level2";
  RenameResource(p, ResourceKind::Background, 0, "bricks");
  RenameResource(p, ResourceKind::Scene, 0, "level2");
  EXPECT_EQ(p.backgrounds, expected.backgrounds);
  EXPECT_EQ(p.scenes, expected.scenes);
  EXPECT_EQ(p.objects, expected.objects);
  EXPECT_EQ(p.layers, expected.layers);
  EXPECT_EQ(p.tiles, expected.tiles);
}

TEST(Rename, PlainKindsAndOddCallsChangeOnlyTheName) {
  Project p = Game();
  const Project before = p;
  RenameResource(p, ResourceKind::Sound, 5, "x");   // no such record
  RenameResource(p, ResourceKind::Scene, -1, "x");
  RenameResource(p, ResourceKind::Object, 0, "player");  // same name
  EXPECT_EQ(p.objects, before.objects);
  EXPECT_EQ(p.scripts, before.scripts);
  RenameResource(p, ResourceKind::Sound, 0, "boop");
  EXPECT_EQ(p.sounds[0].name, "boop");
  EXPECT_EQ(p.sounds[0].wav, "beep.wav");
  EXPECT_EQ(p.modified, 0);  // the dialog marks the project, not the rename
}

}  // namespace
}  // namespace vorlane
