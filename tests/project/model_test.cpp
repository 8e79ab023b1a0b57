#include "project/model.h"

#include <gtest/gtest.h>

#include "project/project_file.h"
#include "support/sample_project.h"

namespace vorlane {
namespace {

template <typename Record>
std::vector<std::string> Names(const std::vector<Record>& list) {
  std::vector<std::string> names;
  for (const auto& record : list) names.push_back(record.name);
  return names;
}

using Strings = std::vector<std::string>;

// One counter numbers every kind; a scene gets its first layer.
TEST(ModelTest, NewNamesNumberOnAcrossKinds) {
  Project p;
  const Strings made = {NewSprite(p),     NewSound(p),    NewMusic(p),
                        NewBackground(p), NewFont(p),     NewObject(p),
                        NewScene(p),      NewFunction(p), NewScript(p, "object_7", "Step", "")};
  EXPECT_EQ(made, (Strings{"sprite_2", "sound_3", "music_4", "background_5", "font_6", "object_7",
                           "scene_8", "function_10", "scr_11"}));
  EXPECT_EQ(Names(p.layers), Strings{"layer_9"});
  EXPECT_EQ(p.layers[0].scene, "scene_8");
  EXPECT_EQ(p.modified, 1);

  // Reset empties everything but the program-wide folders and starts again.
  p.imgfolder = "pics";
  ResetProject(p);
  EXPECT_EQ(ProjectXml(p), ProjectXml(Project{.imgfolder = "pics"}));
  EXPECT_EQ(NewSprite(p), "sprite_2");
}

// A deletion takes what belongs to the record (an object's instances and
// scripts, a scene's instances, tiles and layers, a background's tiles) but
// leaves references to it (a parent, a view, a scene's background) to the
// generator; the survivors keep their order.
TEST(ModelTest, DeletionsTakeWhatBelongsToTheRecord) {
  Project p = test::SampleProject();
  DeleteObject(p, "obj_player");
  EXPECT_EQ(Names(p.objects), (Strings{"obj_wall", "inst_12"}));
  EXPECT_EQ(p.objects[0].parent, "obj_player");
  EXPECT_EQ(Names(p.scripts), Strings{"scr_15"});
  EXPECT_EQ(p.scenes[0].viewportobject, "obj_player");

  p = test::SampleProject();
  DeleteBackground(p, "bg_tiles");
  EXPECT_TRUE(p.backgrounds.empty() && p.tiles.empty());
  EXPECT_EQ(p.scenes[0].background, "");

  p = test::SampleProject();
  const auto other = NewScene(p);
  p.tiles.push_back({"t_other", "bg_tiles", 0, 0, 1, 1, 0, 0, 0, other, nullptr, 0});
  p.objects.push_back(p.objects[3]);
  p.objects.back().name = "inst_other";
  p.objects.back().scene = other;
  DeleteScene(p, "level");
  EXPECT_EQ(Names(p.scenes), Strings{other});
  EXPECT_EQ(Names(p.objects), (Strings{"obj_player", "obj_wall", "inst_other"}));
  EXPECT_EQ(Names(p.tiles), Strings{"t_other"});
  ASSERT_EQ(p.layers.size(), 1u);
  EXPECT_EQ(p.layers[0].scene, other);
  EXPECT_EQ(p.scripts.size(), 3u);

  p = Project{};
  const Strings fns = {NewFunction(p), NewFunction(p), NewFunction(p)};
  DeleteFunction(p, fns[1]);
  DeleteFunction(p, "no such function");
  EXPECT_EQ(Names(p.fns), (Strings{fns[0], fns[2]}));
}

// Objects and instances of a deleted sprite lose its picture; the others are
// refreshed from their sprite's first frame.
TEST(ModelTest, DeleteSpriteClearsUsersAndRefreshesOthers) {
  Project p = test::SampleProject();
  const auto wall = NewSprite(p);
  p.frames.push_back({"0", wall, ShareImage(Image::Transparent(16, 4)), "", 0, -1});
  p.objects[2].sprite = wall;
  DeleteSprite(p, "spr_hero");
  EXPECT_EQ(Names(p.sprites), Strings{wall});
  ASSERT_EQ(p.frames.size(), 1u);
  for (int i : {0, 1}) EXPECT_EQ(p.objects[i].sprite + (p.objects[i].image ? "?" : ""), "");
  EXPECT_EQ(p.objects[2].image, p.frames[0].image);
  EXPECT_EQ(p.objects[2].imagewidth * 100 + p.objects[2].imageheight, 1604);
  EXPECT_EQ(FirstFrameImage(p, wall), p.frames[0].image);
  EXPECT_EQ(FirstFrameImage(p, "nobody"), nullptr);
  EXPECT_EQ(FindObject(p, "obj_wall"), &p.objects[2]);
  EXPECT_EQ(FindObject(p, "inst_11"), nullptr) << "instances are not objects";
}

// A copy of every field and script, named "_dup" however often it is made.
TEST(ModelTest, DuplicateObjectCopiesFieldsAndScripts) {
  const Project sample = test::SampleProject();
  Project p = sample;
  DuplicateObject(p, "obj_player");
  DuplicateObject(p, "obj_player");
  GameObject copy = sample.objects[0];
  copy.name = "obj_player_dup";
  std::vector<GameObject> objects = sample.objects;
  objects.insert(objects.end(), {copy, copy});
  EXPECT_EQ(p.objects, objects);
  std::vector<Script> scripts = sample.scripts;
  for (int i : {0, 1, 0, 1}) {
    scripts.push_back(sample.scripts[i]);
    scripts.back().object = copy.name;
  }
  EXPECT_EQ(p.scripts, scripts);
}

}  // namespace
}  // namespace vorlane
