#include "project/model.h"

#include <gtest/gtest.h>

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

TEST(ModelTest, NamesNumberOnAcrossKindsAndSceneGetsItsLayer) {
  Project p;
  EXPECT_EQ(NewSprite(p), "sprite_2");
  EXPECT_EQ(NewSound(p), "sound_3");
  EXPECT_EQ(NewMusic(p), "music_4");
  EXPECT_EQ(NewBackground(p), "background_5");
  EXPECT_EQ(NewFont(p), "font_6");
  EXPECT_EQ(NewObject(p), "object_7");
  EXPECT_EQ(NewScene(p), "scene_8");
  EXPECT_EQ(Names(p.layers), Strings{"layer_9"});
  EXPECT_EQ(p.layers[0].scene, "scene_8");
  EXPECT_EQ(NewFunction(p), "function_10");
  EXPECT_EQ(NewScript(p, "object_7", "Step", ""), "scr_11");
  EXPECT_EQ(p.modified, 1);
}

TEST(ModelTest, DeleteSpriteClearsUsersAndRefreshesOthers) {
  Project p = test::SampleProject();
  const auto wall = NewSprite(p);
  p.frames.push_back({"0", wall, ShareImage(Image::Transparent(16, 4)), "", 0, -1});
  p.objects[2].sprite = wall;  // its picture is not set yet: the delete refreshes it
  DeleteSprite(p, "spr_hero");
  EXPECT_EQ(Names(p.sprites), Strings{wall});
  ASSERT_EQ(p.frames.size(), 1u);
  for (int i : {0, 1}) {  // obj_player and its instance
    EXPECT_EQ(p.objects[i].sprite, "");
    EXPECT_EQ(p.objects[i].image, nullptr);
  }
  EXPECT_EQ(p.objects[2].image, p.frames[0].image);
  EXPECT_EQ(p.objects[2].imagewidth, 16);
  EXPECT_EQ(p.objects[2].imageheight, 4);
}

TEST(ModelTest, DeletionsTakeWhatBelongsToTheRecordButNotReferences) {
  Project p = test::SampleProject();
  DeleteObject(p, "obj_player");  // parent of obj_wall, followed by the scene's view
  EXPECT_EQ(Names(p.objects), (Strings{"obj_wall", "inst_12"}));
  EXPECT_EQ(p.objects[0].parent, "obj_player");
  EXPECT_EQ(Names(p.scripts), Strings{"scr_15"});
  EXPECT_EQ(p.scenes[0].viewportobject, "obj_player");

  p = test::SampleProject();
  DeleteBackground(p, "bg_tiles");
  EXPECT_TRUE(p.backgrounds.empty());
  EXPECT_EQ(p.scenes[0].background, "");
  EXPECT_TRUE(p.tiles.empty());

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

  // The survivors keep their order; unknown names change nothing. That each
  // kind's deletion takes its own record is the browser actions' test.
  p = Project{};
  const Strings fns = {NewFunction(p), NewFunction(p), NewFunction(p)};
  DeleteFunction(p, fns[1]);
  DeleteFunction(p, "no such function");
  EXPECT_EQ(Names(p.fns), (Strings{fns[0], fns[2]}));
}

TEST(ModelTest, DuplicateObjectCopiesFieldsAndScriptsWithoutUniqueness) {
  const Project sample = test::SampleProject();
  Project p = sample;
  DuplicateObject(p, "obj_player");
  DuplicateObject(p, "obj_player");
  GameObject copy = sample.objects[0];
  copy.name = "obj_player_dup";
  EXPECT_EQ(p.objects, (std::vector<GameObject>{sample.objects[0], sample.objects[1],
                                                sample.objects[2], sample.objects[3], copy, copy}));
  std::vector<Script> scripts = sample.scripts;
  for (int i : {0, 1, 0, 1}) {  // the scripts keep their names
    scripts.push_back(sample.scripts[i]);
    scripts.back().object = copy.name;
  }
  EXPECT_EQ(p.scripts, scripts);
}

TEST(ModelTest, LookUps) {
  Project p = test::SampleProject();
  EXPECT_EQ(FirstFrameImage(p, "spr_hero"), p.frames[0].image);
  EXPECT_EQ(FirstFrameImage(p, "nobody"), nullptr);
  EXPECT_EQ(FindObject(p, "obj_wall"), &p.objects[2]);
  EXPECT_EQ(FindObject(p, "inst_11"), nullptr) << "instances are not objects";
}

TEST(ModelTest, ResetEmptiesEverythingAndRestartsNumbers) {
  Project p = test::SampleProject();
  p.imgfolder = "pics";
  ResetProject(p);
  EXPECT_TRUE(p.sprites.empty() && p.frames.empty() && p.objects.empty() && p.scenes.empty() &&
              p.layers.empty() && p.tiles.empty() && p.fns.empty());
  EXPECT_EQ(p.settings.title, "");
  EXPECT_EQ(p.settings.comments, "");
  EXPECT_EQ(p.imgfolder, "pics");  // program-wide, kept
  EXPECT_EQ(NewSprite(p), "sprite_2");
}

}  // namespace
}  // namespace vorlane
