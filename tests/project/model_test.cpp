#include "project/model.h"

#include <gtest/gtest.h>

namespace vorlane {
namespace {

ImageRef Pixels(int w, int h) { return ShareImage(Image::Transparent(w, h)); }

TEST(ModelTest, FreshProjectNumbersResourcesFromTwoAcrossKinds) {
  Project p;
  EXPECT_EQ(p.uid, 1);
  EXPECT_EQ(NewSprite(p), "sprite_2");
  EXPECT_EQ(NewSound(p), "sound_3");
  EXPECT_EQ(NewMusic(p), "music_4");
  EXPECT_EQ(NewBackground(p), "background_5");
  EXPECT_EQ(NewFont(p), "font_6");
  EXPECT_EQ(NewObject(p), "object_7");
  EXPECT_EQ(NewScene(p), "scene_8");  // its layer takes 9
  EXPECT_EQ(NewFunction(p), "function_10");
  EXPECT_EQ(NewScript(p, "object_7", "Step", ""), "scr_11");
  EXPECT_EQ(p.uid, 11);
  EXPECT_EQ(p.modified, 1);
}

TEST(ModelTest, CreationDefaults) {
  Project p;
  NewSprite(p);
  NewBackground(p);
  NewFont(p);
  NewObject(p);
  NewScene(p);
  const Sprite& s = p.sprites[0];
  EXPECT_EQ(s.collisionshape, "Box");
  EXPECT_EQ(s.thumbnail, nullptr);
  const Background& b = p.backgrounds[0];
  EXPECT_EQ(b.tilewidth, 32);
  EXPECT_EQ(b.tileheight, 32);
  EXPECT_EQ(b.tile, 0);
  EXPECT_EQ(p.fonts[0].family, "Arial");
  EXPECT_EQ(p.fonts[0].size, 12);
  const GameObject& o = p.objects[0];
  EXPECT_EQ(o.prototype, 1);
  EXPECT_EQ(o.visible, 1);
  EXPECT_EQ(o.collision, 1);
  EXPECT_EQ(o.image, nullptr);
  const Scene& sc = p.scenes[0];
  EXPECT_EQ(sc.width, 640);
  EXPECT_EQ(sc.viewportheight, 480);
  EXPECT_EQ(sc.speed, 30);
  EXPECT_EQ(sc.viewportxborder, 50);
  ASSERT_EQ(p.layers.size(), 1u);
  EXPECT_EQ(p.layers[0].scene, sc.name);
  EXPECT_EQ(p.layers[0].value, 1000000);
}

TEST(ModelTest, DeleteSpriteClearsUsersAndRefreshesOthers) {
  Project p;
  const auto hero = NewSprite(p);
  const auto wall = NewSprite(p);
  p.frames = {{"0", hero, Pixels(8, 8)}, {"0", wall, Pixels(16, 4)}, {"1", hero, Pixels(2, 2)}};
  const auto player = NewObject(p);
  p.objects[0].sprite = hero;
  p.objects[0].image = p.frames[0].image;
  GameObject block;
  block.name = "block";
  block.sprite = wall;
  p.objects.push_back(block);  // image not set yet: the delete refreshes it
  GameObject instance = p.objects[0];
  instance.prototype = 0;
  instance.template_ = player;
  instance.name = "inst";
  p.objects.push_back(instance);

  DeleteSprite(p, hero);
  ASSERT_EQ(p.sprites.size(), 1u);
  EXPECT_EQ(p.sprites[0].name, wall);
  ASSERT_EQ(p.frames.size(), 1u);
  EXPECT_EQ(p.frames[0].sprite, wall);
  for (const auto& name : {player, std::string("inst")}) {
    const auto& o = *std::find_if(p.objects.begin(), p.objects.end(),
                                  [&](const GameObject& g) { return g.name == name; });
    EXPECT_EQ(o.sprite, "");
    EXPECT_EQ(o.image, nullptr);
  }
  EXPECT_EQ(p.objects[1].image, p.frames[0].image);
  EXPECT_EQ(p.objects[1].imagewidth, 16);
  EXPECT_EQ(p.objects[1].imageheight, 4);
}

TEST(ModelTest, DeleteObjectTakesInstancesAndScriptsButNotReferences) {
  Project p;
  const auto enemy = NewObject(p);
  const auto other = NewObject(p);
  const auto scene = NewScene(p);
  p.scenes[0].viewportobject = enemy;
  p.objects[1].parent = enemy;
  GameObject instance;
  instance.prototype = 0;
  instance.template_ = enemy;
  instance.name = "enemy_in_scene";
  instance.scene = scene;
  p.objects.push_back(instance);
  NewScript(p, enemy, "Step", "");
  NewScript(p, other, "Collision", enemy);

  DeleteObject(p, enemy);
  ASSERT_EQ(p.objects.size(), 1u);
  EXPECT_EQ(p.objects[0].name, other);
  EXPECT_EQ(p.objects[0].parent, enemy);
  ASSERT_EQ(p.scripts.size(), 1u);
  EXPECT_EQ(p.scripts[0].object, other);
  EXPECT_EQ(p.scenes[0].viewportobject, enemy);
}

TEST(ModelTest, DeleteSceneTakesOnlyWhatIsInIt) {
  Project p;
  const auto object = NewObject(p);
  const auto a = NewScene(p);
  const auto b = NewScene(p);
  for (const auto& scene : {a, b}) {
    GameObject instance;
    instance.prototype = 0;
    instance.template_ = object;
    instance.name = "i_" + scene;
    instance.scene = scene;
    p.objects.push_back(instance);
    Tile tile;
    tile.name = "t_" + scene;
    tile.scene = scene;
    p.tiles.push_back(tile);
  }
  DeleteScene(p, a);
  ASSERT_EQ(p.scenes.size(), 1u);
  EXPECT_EQ(p.scenes[0].name, b);
  ASSERT_EQ(p.objects.size(), 2u);
  EXPECT_EQ(p.objects[0].name, object);
  EXPECT_EQ(p.objects[1].name, "i_" + b);
  ASSERT_EQ(p.layers.size(), 1u);
  EXPECT_EQ(p.layers[0].scene, b);
  ASSERT_EQ(p.tiles.size(), 1u);
  EXPECT_EQ(p.tiles[0].scene, b);
}

TEST(ModelTest, DeleteBackgroundClearsScenesAndRemovesItsTiles) {
  Project p;
  const auto set = NewBackground(p);
  const auto keep = NewBackground(p);
  NewScene(p);
  p.scenes[0].background = set;
  p.tiles = {{"a", set}, {"b", keep}, {"c", set}};
  DeleteBackground(p, set);
  ASSERT_EQ(p.backgrounds.size(), 1u);
  EXPECT_EQ(p.scenes[0].background, "");
  ASSERT_EQ(p.tiles.size(), 1u);
  EXPECT_EQ(p.tiles[0].name, "b");
}

TEST(ModelTest, SimpleDeletionsKeepOrderOfSurvivors) {
  Project p;
  std::vector<std::string> names;
  for (int i = 0; i < 4; ++i) names.push_back(NewFunction(p));
  DeleteFunction(p, names[1]);
  ASSERT_EQ(p.fns.size(), 3u);
  EXPECT_EQ(p.fns[0].name, names[0]);
  EXPECT_EQ(p.fns[1].name, names[2]);
  EXPECT_EQ(p.fns[2].name, names[3]);
  const auto s = NewSound(p), m = NewMusic(p), f = NewFont(p);
  DeleteSound(p, s);
  DeleteMusic(p, m);
  DeleteFont(p, f);
  EXPECT_TRUE(p.sounds.empty() && p.musics.empty() && p.fonts.empty());
  DeleteSound(p, "no such sound");  // unknown names change nothing
  EXPECT_EQ(p.fns.size(), 3u);
}

TEST(ModelTest, DuplicateObjectCopiesFieldsAndScriptsWithoutUniqueness) {
  Project p;
  p.objects.push_back(GameObject{});
  p.objects[0].name = "enemy";
  p.objects[0].depth = -5;
  p.objects[0].sprite = "spr";
  p.objects[0].parent = "base";
  NewScript(p, "enemy", "Step", "");
  NewScript(p, "enemy", "Collision", "wall");
  p.scripts[0].code = "x += 1;";
  NewScript(p, "other", "Draw", "");

  DuplicateObject(p, "enemy");
  DuplicateObject(p, "enemy");
  ASSERT_EQ(p.objects.size(), 3u);
  EXPECT_EQ(p.objects[1].name, "enemy_dup");
  EXPECT_EQ(p.objects[2].name, "enemy_dup");
  EXPECT_EQ(p.objects[1].depth, -5);
  EXPECT_EQ(p.objects[1].parent, "base");
  ASSERT_EQ(p.scripts.size(), 7u);
  EXPECT_EQ(p.scripts[3].object, "enemy_dup");
  EXPECT_EQ(p.scripts[3].code, "x += 1;");
  EXPECT_EQ(p.scripts[3].name, p.scripts[0].name);
  EXPECT_EQ(p.scripts[4].event, "Collision");
  EXPECT_EQ(p.scripts[4].parameter, "wall");
}

TEST(ModelTest, FirstFrameImageFollowsFrameOrder) {
  Project p;
  auto first = Pixels(1, 1), second = Pixels(2, 2);
  p.frames = {{"0", "other", Pixels(3, 3)}, {"5", "hero", first}, {"1", "hero", second}};
  EXPECT_EQ(FirstFrameImage(p, "hero"), first);
  EXPECT_EQ(FirstFrameImage(p, "nobody"), nullptr);
}

TEST(ModelTest, ResetEmptiesEverythingAndRestartsNumbers) {
  Project p;
  NewScene(p);
  NewSprite(p);
  p.settings.comments = "hello";
  p.settings.advancedscriptmode = 1;
  p.imgfolder = "pics";
  ResetProject(p);
  EXPECT_EQ(p.uid, 1);
  EXPECT_TRUE(p.sprites.empty() && p.scenes.empty() && p.layers.empty());
  EXPECT_EQ(p.settings.comments, "");
  EXPECT_EQ(p.settings.advancedscriptmode, 0);
  EXPECT_EQ(p.imgfolder, "pics");  // program-wide, kept
  EXPECT_EQ(NewSprite(p), "sprite_2");
}

TEST(ModelTest, FindObjectSeesOnlyObjects) {
  Project p;
  GameObject instance;
  instance.prototype = 0;
  instance.name = "x";
  p.objects.push_back(instance);
  EXPECT_EQ(FindObject(p, "x"), nullptr);
  p.objects.push_back(GameObject{});
  p.objects.back().name = "x";
  EXPECT_EQ(FindObject(p, "x"), &p.objects.back());
}

}  // namespace
}  // namespace vorlane
