#include "project/rename.h"

#include <gtest/gtest.h>

#include "project/reserved_names.h"
#include "support/sample_project.h"
#include "support/temp_dir.h"

namespace vorlane {
namespace {

using test::SampleProject;

TEST(Rename, NameChecksUseTheKindsWordAndLeaveTheRecordItselfOut) {
  Project p = SampleProject();
  p.scenes.push_back(Scene{});
  p.scenes.back().name = "menu";
  EXPECT_EQ(CheckResourceName(p, ResourceKind::Sprite, "", 0), "The sprite name is missing");
  EXPECT_EQ(CheckResourceName(p, ResourceKind::Scene, "menu", 0),
            "The scene name 'menu' already exists");
  EXPECT_EQ(CheckResourceName(p, ResourceKind::Scene, "level", 0), "");  // unchanged name
  EXPECT_EQ(CheckResourceName(p, ResourceKind::Scene, "Menu", 0), "");   // case matters
  // Objects share their list with instances: an instance's name is taken.
  EXPECT_EQ(CheckResourceName(p, ResourceKind::Object, "inst_11", 0),
            "The object name 'inst_11' already exists");
  EXPECT_EQ(CheckResourceName(p, ResourceKind::Function, "", -1), "The function name is missing");
}

// Every kind's name becomes a variable of the game; the rule comes before
// the duplicate check.
TEST(Rename, NamesMustBeJavaScriptIdentifiers) {
  Project p = SampleProject();
  EXPECT_EQ(
      CheckResourceName(p, ResourceKind::Sprite, "my sprite", 0),
      "The sprite name 'my sprite' is not a valid name: use letters, digits and _, not starting "
      "with a digit");
  EXPECT_EQ(CheckResourceName(p, ResourceKind::Object, "new", 0),
            "The object name 'new' is not a valid name: it is a word JavaScript keeps for itself");
  for (const char* bad : {"2d", "don't", "a-b", "x.y", "\xc3\xa9t\xc3", "undefined", "class"})
    EXPECT_NE(CheckResourceName(p, ResourceKind::Scene, bad, 0), "") << bad;
  for (const char* good :
       {"v\xc3\xa9", "parent_\xc3\xa9", "_x$2", "\xf0\x9d\x92\xb3", "a\xcc\x81", "New", "of"})
    EXPECT_EQ(CheckResourceName(p, ResourceKind::Function, good, -1), "") << good;
}

// Every resource is a global of the game (a variable, and a constructor
// "__" + name for all but functions): after the rules above, a name the
// engine, the browser or another resource of any kind has is refused.
TEST(Rename, NamesTheGameAlreadyHasAreRefused) {
  test::ScopedTempDir dir;
  test::WriteAll("keywords.dat", "!instance_create\nhelp\n\n.speed\nhelp\n\n");
  LoadEngineNames("var score = 0;\nfunction __vr_run() { var local; }");
  const Project p = SampleProject();
  using K = ResourceKind;
  const std::string engine = "' is already used by the game engine";
  const std::string browser = "' is already used by the browser";
  const struct {
    K kind;
    std::string name;
    std::string refusal;
  } cases[] = {
      {K::Object, "score", "The object name 'score" + engine},
      {K::Sprite, "speed", "The sprite name 'speed" + engine},
      {K::Font, "instance_create", "The font name 'instance_create" + engine},
      {K::Sprite, "vr_run", "The sprite name 'vr_run" + engine},  // its constructor __vr_run
      {K::Function, "vr_run", ""},
      {K::Object, "local", ""},
      {K::Object, "Math", "The object name 'Math" + browser},
      {K::Sprite, "setTimeout", "The sprite name 'setTimeout" + browser},
      {K::Scene, "document", "The scene name 'document" + browser},
      {K::Sound, "top", "The sound name 'top" + browser},
      {K::Object, "name", "The object name 'name" + browser},
      {K::Object, "onload", "The object name 'onload" + browser},
      {K::Object, "Score", ""},  // case matters
      {K::Object, "level", "The object name 'level' is already used by the scene 'level'"},
      {K::Sprite, "obj_wall",
       "The sprite name 'obj_wall' is already used by the object 'obj_wall'"},
      {K::Music, "snd_jump", "The music name 'snd_jump' is already used by the sound 'snd_jump'"},
      {K::Scene, "add", "The scene name 'add' is already used by the function 'add'"},
      {K::Function, "__bg_tiles",
       "The function name '__bg_tiles' is already used by the background 'bg_tiles'"},
      {K::Sprite, "inst_11", ""},  // instances are no globals
      {K::Sprite, "spr_hero", ""},
      {K::Object, "Level", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(CheckResourceName(p, c.kind, c.name, 0), c.refusal);
  LoadEngineNames("", "");
}

TEST(Rename, ObjectIsFollowedByScriptsInstancesParentsCollisionsAndViews) {
  Project p = SampleProject();
  Project expected = p;
  for (std::string* field : {&expected.objects[0].name, &expected.objects[1].template_,
                             &expected.objects[2].parent, &expected.objects[3].parent,
                             &expected.scripts[0].object, &expected.scripts[1].object,
                             &expected.scenes[0].viewportobject})
    *field = "hero";
  for (std::string* field : {&expected.objects[2].name, &expected.objects[3].template_,
                             &expected.scripts[1].parameter, &expected.scripts[2].object})
    *field = "block";
  p.scripts[1].parameter += " ";  // typed with a blank: still names the object
  RenameResource(p, ResourceKind::Object, ResourceIndex(p, ResourceKind::Object, "obj_player"),
                 "hero");
  RenameResource(p, ResourceKind::Object, 2, "block");
  EXPECT_EQ(p.objects, expected.objects);
  EXPECT_EQ(p.scripts, expected.scripts);
  EXPECT_EQ(p.scenes, expected.scenes);
}

TEST(Rename, SpriteIsFollowedByFramesAndEveryObjectWithItsPicture) {
  Project p = SampleProject();  // its objects' pictures are not set yet
  Project expected = p;
  expected.sprites[0].name = expected.frames[0].sprite = expected.frames[1].sprite = "ship";
  for (int i : {0, 1}) {  // obj_player and its instance
    expected.objects[i].sprite = "ship";
    expected.objects[i].image = p.frames[0].image;
    expected.objects[i].imagewidth = expected.objects[i].imageheight = 16;
  }
  RenameResource(p, ResourceKind::Sprite, 0, "ship");
  EXPECT_EQ(p.sprites, expected.sprites);
  EXPECT_EQ(p.frames, expected.frames);
  EXPECT_EQ(p.objects, expected.objects);
}

TEST(Rename, BackgroundAndSceneAreFollowedByWhatUsesThem) {
  Project p = SampleProject();
  Project expected = p;
  expected.backgrounds[0].name = expected.scenes[0].background = "bricks";
  expected.scenes[0].name = expected.layers[0].scene = "level2";
  for (Tile& tile : expected.tiles) tile.background = "bricks", tile.scene = "level2";
  for (int i : {1, 3}) expected.objects[i].scene = "level2";  // the instances
  RenameResource(p, ResourceKind::Background, 0, "bricks");
  RenameResource(p, ResourceKind::Scene, 0, "level2");
  EXPECT_EQ(p.backgrounds, expected.backgrounds);
  EXPECT_EQ(p.scenes, expected.scenes);
  EXPECT_EQ(p.objects, expected.objects);
  EXPECT_EQ(p.layers, expected.layers);
  EXPECT_EQ(p.tiles, expected.tiles);
}

TEST(Rename, PlainKindsAndOddCallsChangeOnlyTheName) {
  Project p = SampleProject();
  const Project before = p;
  RenameResource(p, ResourceKind::Sound, 5, "x");  // no such record
  RenameResource(p, ResourceKind::Scene, -1, "x");
  RenameResource(p, ResourceKind::Object, 0, "obj_player");  // same name
  EXPECT_EQ(p.objects, before.objects);
  EXPECT_EQ(p.scripts, before.scripts);
  RenameResource(p, ResourceKind::Sound, 0, "snd_boop");
  Sound renamed = before.sounds[0];
  renamed.name = "snd_boop";
  EXPECT_EQ(p.sounds, std::vector<Sound>{renamed});
  EXPECT_EQ(p.modified, 0);  // the dialog marks the project, not the rename
}

}  // namespace
}  // namespace vorlane
